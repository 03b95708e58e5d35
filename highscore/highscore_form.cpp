#include "highscore/highscore_form.h"

#include "app/tform.h"

Highscore::Highscore(TForm& haupt) : haupt_(haupt) {}

void Highscore::Form_Load() {}
