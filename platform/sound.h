#pragma once
// Sound output: a count of output devices and playback of one wave file at a
// time. A new sound replaces one still playing; nothing is queued or mixed.
// A missing or unreadable file plays nothing and reports nothing.

#include <QString>
#include <QStringList>
#include <optional>

namespace platform::sound {

// Number of sound output devices, asked anew on every call.
int OutputDeviceCount();
// Starts playing the file and returns at once.
void PlayAsync(const QString& path);
// Plays the file and returns when it has ended.
void PlaySync(const QString& path);

// Test seams: a fixed device count, and a recorder that keeps the requested
// file names (without directory) instead of playing them.
void SetDeviceCountOverride(std::optional<int> count);
void SetRecording(bool on);
const QStringList& Requests();
void ClearRequests();

}  // namespace platform::sound
