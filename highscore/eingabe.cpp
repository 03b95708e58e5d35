#include "highscore/eingabe.h"

#include "app/tform.h"

Eingabe::Eingabe(TForm& haupt) : haupt_(haupt) {}

void Eingabe::Form_Load() {}
