// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/joystick.h"

#include <SDL.h>

namespace platform::joystick {

namespace {

Device* g_fake = nullptr;
SDL_Joystick* g_stick = nullptr;

bool JoystickReady() {
  static const bool ready = [] {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return false;
    // Polled directly; no event queue that nobody empties.
    SDL_JoystickEventState(SDL_IGNORE);
    return true;
  }();
  return ready;
}

// The first joystick, opened on demand; a device that was unplugged is
// closed and a newly plugged one picked up.
SDL_Joystick* Stick() {
  if (!JoystickReady()) return nullptr;
  SDL_JoystickUpdate();
  if (g_stick && !SDL_JoystickGetAttached(g_stick)) {
    SDL_JoystickClose(g_stick);
    g_stick = nullptr;
  }
  if (!g_stick && SDL_NumJoysticks() > 0) g_stick = SDL_JoystickOpen(0);
  return g_stick;
}

uint32_t Axis(SDL_Joystick* stick, int axis) {
  if (axis >= SDL_JoystickNumAxes(stick)) return 32768;
  return static_cast<uint32_t>(static_cast<int>(SDL_JoystickGetAxis(stick, axis)) + 32768);
}

}  // namespace

void SetFake(Device* fake) { g_fake = fake; }

int GetPos(int id, Position& pos) {
  if (id != 0) return 1;
  if (g_fake) return g_fake->Read(pos) ? 0 : 1;
  SDL_Joystick* stick = Stick();
  if (!stick) return 1;
  pos.x = Axis(stick, 0);
  pos.y = Axis(stick, 1);
  pos.z = Axis(stick, 2);
  pos.buttons = (SDL_JoystickGetButton(stick, 0) ? 1u : 0u) | (SDL_JoystickGetButton(stick, 1) ? 2u : 0u);
  return 0;
}

int GetDevCaps(int id, Caps& caps) {
  if (id != 0) return 1;
  if (g_fake) {
    caps = g_fake->Range();
    return 0;
  }
  if (!Stick()) return 1;
  // SDL reports axes from -32768 to 32767, shifted here to 0 ... 65535.
  caps = Caps{0, 65535, 0, 65535};
  return 0;
}

}  // namespace platform::joystick
