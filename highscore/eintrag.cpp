// Placeholder, being written.
#include "app/tform.h"
#include "shell/sound.h"

void TForm::HighscoreEintrag() { HauptModul::SoundAbspielen(QStringLiteral("GAMEOVER.WAV")); }

void TForm::picButtonHighscore_Click() { HauptModul::SoundAbspielen(QStringLiteral("CLICK.WAV")); }
