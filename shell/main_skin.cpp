// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's look.

#include "app/tform.h"
#include "shell/skin.h"

void TForm::FormAnpassen() {
  skin::FormAnpassen(*this, *TFormPic, picHG, {picRandHorizontal, picRandVertikal, picEcke}, Logo, LogoBlack, 35);
}
