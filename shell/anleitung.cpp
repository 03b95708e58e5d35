#include "shell/anleitung.h"

#include "app/tform.h"

Anleitung::Anleitung(TForm& haupt) : haupt_(haupt) {}

void Anleitung::Form_Load() {}
