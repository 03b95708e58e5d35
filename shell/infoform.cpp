#include "shell/infoform.h"

#include "app/tform.h"

InfoForm::InfoForm(TForm& haupt) : haupt_(haupt) {}

void InfoForm::Form_Load() {}
