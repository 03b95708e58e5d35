// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Sound output: a count of output devices and playback of one wave file at a
// time. A new sound replaces one still playing; nothing is queued or mixed.
// A missing or unreadable file plays nothing and reports nothing.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace platform::sound {

// Number of sound output devices, asked anew on every call.
int OutputDeviceCount();
// Every request first stops the sound still playing, even when its own file
// then cannot be played.
// Starts playing the file and returns at once.
void PlayAsync(const QString& path);
// Plays the file and returns when it has ended.
void PlaySync(const QString& path);
// Milliseconds of sound still waiting to be played (0 when silent). The
// recorder counts an asynchronous request as playing until the next one.
int RemainingMs();

// Test seams: a fixed device count, and a recorder that keeps the requests
// instead of playing them.
void SetDeviceCountOverride(std::optional<int> count);
void SetRecording(bool on);

// One entry of the recorder's log: a request to play a file (name without
// directory), or the stop of a sound that an earlier request left playing.
struct Aufnahme {
  enum class Art { Async, Sync, Stop };
  Art art;
  QString datei;
  bool operator==(const Aufnahme&) const = default;
};
const std::vector<Aufnahme>& Log();
// The requested file names alone, in order.
const QStringList& Requests();
// Empties the log; what still plays (for the recorder) is kept.
void ClearRequests();
// Empties the log and silences the recorder.
void ResetRecorder();

}  // namespace platform::sound
