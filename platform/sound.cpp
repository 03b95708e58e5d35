// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/sound.h"

#include <SDL.h>
#include <QFileInfo>

#include <cstring>
#include <vector>

namespace platform::sound {

namespace {

std::optional<int> g_countOverride;
bool g_recording = false;
QStringList g_requests;
std::vector<Aufnahme> g_log;
QString g_recordedPlaying;  // the recorder's idea of the sound still playing
SDL_AudioDeviceID g_device = 0;
SDL_AudioSpec g_have{};

bool AudioReady() {
  static const bool ready = [] {
    // Without this SDL installs its own SIGINT/SIGTERM handlers and the game
    // would ignore Ctrl+C and the end of a desktop session.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  }();
  return ready;
}

bool OpenDevice() {
  if (g_device != 0) return true;
  SDL_AudioSpec want{};
  want.freq = 22050;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  want.samples = 512;
  g_device = SDL_OpenAudioDevice(nullptr, 0, &want, &g_have, 0);
  return g_device != 0;
}

Uint32 BytesPerSecond() {
  return static_cast<Uint32>(g_have.freq) * g_have.channels * (SDL_AUDIO_BITSIZE(g_have.format) / 8);
}

// Loads the file and queues it on the (silent) device. False when nothing
// could be queued.
bool Start(const QString& path) {
  if (!AudioReady() || !OpenDevice()) return false;
  const QByteArray file = QFile::encodeName(path);
  SDL_AudioSpec quelle{};
  Uint8* buf = nullptr;
  Uint32 len = 0;
  if (!SDL_LoadWAV(file.constData(), &quelle, &buf, &len)) return false;
  SDL_AudioCVT cvt;
  const int needed =
      SDL_BuildAudioCVT(&cvt, quelle.format, quelle.channels, quelle.freq, g_have.format, g_have.channels, g_have.freq);
  if (needed < 0) {
    SDL_FreeWAV(buf);
    return false;
  }
  if (needed == 0) {
    SDL_QueueAudio(g_device, buf, len);
    SDL_FreeWAV(buf);
  } else {
    cvt.len = static_cast<int>(len);
    std::vector<Uint8> work(static_cast<size_t>(len) * static_cast<size_t>(cvt.len_mult));
    std::memcpy(work.data(), buf, len);
    SDL_FreeWAV(buf);
    cvt.buf = work.data();
    if (SDL_ConvertAudio(&cvt) != 0) return false;
    SDL_QueueAudio(g_device, work.data(), static_cast<Uint32>(cvt.len_cvt));
  }
  SDL_PauseAudioDevice(g_device, 0);
  return true;
}

// Ends whatever still plays; a request does this before it looks at its file.
void StopCurrent() {
  if (g_recording) {
    if (!g_recordedPlaying.isEmpty()) g_log.push_back({Aufnahme::Art::Stop, g_recordedPlaying});
    g_recordedPlaying.clear();
    return;
  }
  if (g_device != 0) SDL_ClearQueuedAudio(g_device);
}

void Record(const QString& path, bool sync) {
  const QString name = QFileInfo(path).fileName();
  g_requests.append(name);
  g_log.push_back({sync ? Aufnahme::Art::Sync : Aufnahme::Art::Async, name});
  // A synchronous sound has ended when its request returns.
  if (!sync) g_recordedPlaying = name;
}

}  // namespace

int OutputDeviceCount() {
  if (g_countOverride) return *g_countOverride;
  if (!AudioReady()) return 0;
  const int n = SDL_GetNumAudioDevices(0);
  // A negative count means the driver cannot list devices but has a default one.
  return n < 0 ? 1 : n;
}

void PlayAsync(const QString& path) {
  StopCurrent();
  if (g_recording) {
    Record(path, false);
    return;
  }
  Start(path);
}

void PlaySync(const QString& path) {
  StopCurrent();
  if (g_recording) {
    Record(path, true);
    return;
  }
  if (!Start(path)) return;
  // Bounded by the sound's own length, so a device that stops consuming cannot hang the program.
  const Uint32 bytesPerSecond = BytesPerSecond();
  const Uint64 deadline =
      SDL_GetTicks64() + 1000ull * SDL_GetQueuedAudioSize(g_device) / (bytesPerSecond ? bytesPerSecond : 1) + 1000;
  while (SDL_GetQueuedAudioSize(g_device) > 0 && SDL_GetTicks64() < deadline) SDL_Delay(5);
  // The last buffer handed to the device still has to be heard.
  SDL_Delay(static_cast<Uint32>(1000 * g_have.samples / (g_have.freq > 0 ? g_have.freq : 22050)) + 40);
}

int RemainingMs() {
  if (g_recording) return g_recordedPlaying.isEmpty() ? 0 : 1;
  if (g_device == 0) return 0;
  const Uint32 bytesPerSecond = BytesPerSecond();
  return static_cast<int>(1000ull * SDL_GetQueuedAudioSize(g_device) / (bytesPerSecond ? bytesPerSecond : 1));
}

void SetDeviceCountOverride(std::optional<int> count) { g_countOverride = count; }
void SetRecording(bool on) { g_recording = on; }
const std::vector<Aufnahme>& Log() { return g_log; }
const QStringList& Requests() { return g_requests; }
void ClearRequests() {
  g_requests.clear();
  g_log.clear();
}

void ResetRecorder() {
  ClearRequests();
  g_recordedPlaying.clear();
}

}  // namespace platform::sound
