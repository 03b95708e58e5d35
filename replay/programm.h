#pragma once
// `norvane --replay FILE` (or `--replay last`): the command line and the
// start of a playback in the program.

#include <QString>

class TForm;

namespace replay {

struct Aufruf {
  bool wiedergabe = false;
  QString pfad;    // as given; "last" is the last game
  QString fehler;  // a malformed --replay; empty otherwise
};
// Looks only at --replay FILE and --replay=FILE; every other argument is left
// to the rest of the program.
Aufruf BefehlszeileLesen(int argc, char** argv);

// Reads the file to be played; false, with one line on stderr, when it cannot
// be played at all. Call once the application object exists.
bool Vorbereiten(const QString& pfad);
// Starts the playback prepared before on the loaded main window.
void Starten(TForm& form);
// True when the playback stopped at damage in the file or did not match.
bool MitFehler();

}  // namespace replay
