// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Joystick 0: a position in a calibrated range and two buttons, read on demand.

#include <cstdint>

namespace platform::joystick {

struct Position {
  uint32_t x = 0, y = 0, z = 0;
  uint32_t buttons = 0;  // bit 0 = button 1, bit 1 = button 2
};

struct Caps {
  uint32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

// Reads the position of joystick `id`; 0 on success, non-zero when there is
// no such joystick or it cannot be read.
int GetPos(int id, Position& pos);
// Reads the calibrated range; 0 on success.
int GetDevCaps(int id, Caps& caps);

// A stand-in device for tests.
class Device {
 public:
  virtual ~Device() = default;
  virtual bool Read(Position& pos) = 0;
  virtual Caps Range() = 0;
};
// Replaces the real joysticks by `fake` (nullptr restores them).
void SetFake(Device* fake);

}  // namespace platform::joystick
