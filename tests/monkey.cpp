// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#include "monkey.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>
#include <QtTest/QTest>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <type_traits>

#include "app/hauptmodul.h"
#include "app/tform.h"
#include "engine/tables.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "platform/blit.h"
#include "platform/display.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "platform/timer.h"
#include "shell/anleitung.h"
#include "shell/infoform.h"
#include "shell/sound.h"

namespace monkey {

Settings& Configured() {
  static Settings settings;
  return settings;
}

bool ReadEnvironment(std::string& error) {
  auto read = [&](const char* name, auto& target, long long min) {
    const char* text = std::getenv(name);
    if (!text || !*text) return true;
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || text[0] == '-' || static_cast<long long>(value) < min) {
      error = std::string(name) + "=\"" + text + "\" is not a whole number of at least " + std::to_string(min);
      return false;
    }
    target = static_cast<std::remove_reference_t<decltype(target)>>(value);
    return true;
  };
  return read("NORVANE_MONKEY_SEED", Configured().seed, 0) && read("NORVANE_MONKEY_EVENTS", Configured().events, 1);
}

const char* PhaseName(int phase) {
  static const char* const names[kPhaseCount] = {
      "falling",    "landing delay", "row flash",    "paused", "game-over animation",
      "name entry", "list",          "instructions", "about",  "saved entry"};
  return phase >= 0 && phase < kPhaseCount ? names[phase] : "?";
}

bool Stick::Read(platform::joystick::Position& pos) {
  if (!plugged) return false;
  if (failingReads > 0) {
    --failingReads;
    return false;
  }
  pos = position;
  return true;
}

namespace {

struct Target {
  QWidget* widget;
  const char* name;
  int weight;
};

bool Reachable(QWidget* w) {
  QWidget* window = w->window();
  const QWidget* modal = QApplication::activeModalWidget();
  return w->isVisible() && w->isEnabled() && window->isVisible() && window->isEnabled() && (!modal || modal == window);
}

// Everything a click on an unreachable control could change.
struct Snapshot {
  std::vector<double> numbers;
  QStringList texts;
  QByteArray file;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(TForm& f) {
  Snapshot s;
  auto& n = s.numbers;
  for (int c = 0; c <= 10; ++c)
    for (int r = 0; r <= 20; ++r) n.push_back(f.Farbe[c][r]);
  n.insert(n.end(), {double(f.AktStein),
                     f.SteinX,
                     f.SteinY,
                     double(f.NaechsterStein),
                     double(f.Punktestand),
                     double(f.Level),
                     double(f.Reihen),
                     double(f.Fallschritt),
                     double(f.SpielVorbei),
                     double(f.Pausiert),
                     double(f.Wartet),
                     double(f.TimerWarAktiv),
                     double(f.FensterOffen),
                     double(f.FallTimer.Enabled()),
                     double(f.WartenTimer.Enabled()),
                     double(f.ReiheTimer.Enabled()),
                     double(f.GameOverTimer.Enabled()),
                     double(f.timJoystick.Enabled()),
                     double(HauptModul::SoundAn),
                     double(f.Vorschau->isVisible()),
                     double(f.isVisible()),
                     double(f.isEnabled()),
                     double(f.Beendet()),
                     double(platform::sound::Requests().size())});
  for (QWidget* w : {f.HighscoreGeladen() ? static_cast<QWidget*>(&f.HighscoreForm()) : nullptr,
                     f.EingabeGeladen() ? static_cast<QWidget*>(&f.EingabeForm()) : nullptr,
                     f.AnleitungGeladen() ? static_cast<QWidget*>(&f.AnleitungForm()) : nullptr,
                     f.InfoFormGeladen() ? static_cast<QWidget*>(&f.InfoFormForm()) : nullptr}) {
    n.push_back(w ? w->isVisible() + 2 * w->isEnabled() : -1);
  }
  if (f.EingabeGeladen()) s.texts << f.EingabeForm().HSEingabe->text();
  QFile file(Eingabe::Dateipfad());
  if (file.open(QIODevice::ReadOnly)) s.file = file.readAll();
  return s;
}

// Texts a player might paste into the name box.
struct PasteText {
  const char* text;
};
const PasteText kPastes[] = {
    {"Ada"},
    {"  Grace Hopper  "},
    {"<b>bold</b> & <i>"},
    {"a,b,,c"},
    {"J\xC3\xB6rg M\xC3\xBCller"},
    {"\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D"},
    {"0123456789012345678901234567"},
    {"two\nlines"},
    {"cr\r\nlf\r\n"},
    {"\ttabbed"},
    {"\n"},
    {"\xF0\x9F\x99\x82\xF0\x9F\x99\x82 smile"},
    {"nineteen characters\xF0\x9F\x99\x82"},
};

}  // namespace

struct Player::Choice {
  int weight;
  std::string (Player::*action)();
};

Player::Player(uint64_t seed) : rng_(seed) {}

Player::~Player() {
  owned_.reset();
  platform::joystick::SetFake(nullptr);
  platform::dialog::SetMessageBoxSeam(nullptr);
  platform::links::SetSeam(nullptr);
  platform::sound::SetDeviceCountOverride(std::nullopt);
  platform::display::SetOverride(std::nullopt, std::nullopt);
  platform::sound::ClearRequests();
  HauptModul::SoundAn = true;
  QFile::remove(Eingabe::Dateipfad());
}

void Player::Start() {
  platform::display::SetOverride(96, QSize(640, 480));
  platform::sound::SetDeviceCountOverride(1);
  platform::dialog::SetMessageBoxSeam([](QWidget*, const QString&, const QString&, platform::dialog::Icon) {});
  platform::links::SetSeam([](const QString&) {});
  platform::joystick::SetFake(&stick_);
  // The game seeds its piece choice from the time of day: start every run at midnight.
  const int64_t day = 86400000;
  platform::clock::Advance((day - platform::clock::NowMs() % day) % day);
  platform::random::Reset(rng_());
  Restart(true);
  restarted_ = true;
}

std::string Player::Restart(bool removeFile) {
  owned_.reset();
  if (removeFile) QFile::remove(Eingabe::Dateipfad());
  stick_ = Stick();
  owned_ = HauptModul::Main();
  if (!owned_) return "restart failed";
  form_ = owned_.get();
  restarted_ = true;
  ++restarts;
  inPhase_ = {};
  Settle();
  return removeFile ? "restart without a highscore file" : "restart";
}

bool Player::TakeRestarted() {
  const bool r = restarted_;
  restarted_ = false;
  return r;
}

void Player::Settle() {
  QCoreApplication::processEvents();
  if (platform::sound::Requests().size() > 256) platform::sound::ClearRequests();
}

std::string Player::Step() {
  ++events_;
  violation_.clear();
  std::string what;
  if (form_->Beendet()) {
    // The quit button ended the program; the player starts it again.
    what = Restart(Chance(20));
  } else {
    TForm& f = *form_;
    const bool entry = f.EingabeGeladen() && f.EingabeForm().isVisible();
    const bool secondary = entry || (f.HighscoreGeladen() && f.HighscoreForm().isVisible()) ||
                           (f.AnleitungGeladen() && f.AnleitungForm().isVisible()) ||
                           (f.InfoFormGeladen() && f.InfoFormForm().isVisible());
    const Choice choices[] = {
        {entry ? 150 : 300, &Player::KeyEvent},
        {entry ? 300 : 0, &Player::TypeIntoEntry},
        {entry ? 30 : 2, &Player::Paste},
        {secondary ? 120 : 70, &Player::Click},
        // A close request on the game screen quits: rarer, so games run long enough.
        {secondary ? 20 : 2, &Player::Close},
        {f.timJoystick.Enabled() ? 60 : 15, &Player::Joystick},
        {entry ? 100 : 320, &Player::AdvanceClock},
        {15, &Player::Activate},
    };
    int total = 0;
    for (const Choice& c : choices) total += c.weight;
    if (Roll(20000) == 0) {
      what = Restart(Chance(30));
    } else {
      int roll = Roll(total);
      for (const Choice& c : choices) {
        if (roll < c.weight) {
          what = (this->*c.action)();
          break;
        }
        roll -= c.weight;
      }
    }
  }
  Settle();
  if (!form_->Beendet() && !form_->SpielVorbei && form_->Wartet && form_->SteinY > 0 && Chance(12))
    what += "; " + SeedRowUnderLanding();
  CountPhases();
  Mix(what);
  history_.push_back(std::to_string(events_ - 1) + ": " + what);
  if (history_.size() > 40) history_.pop_front();
  return what;
}

std::string Player::KeyEvent() {
  struct Key {
    Qt::Key key;
    const char* name;
    int weight;
  };
  static const Key keys[] = {
      {Qt::Key_Left, "Left", 14},
      {Qt::Key_Right, "Right", 14},
      {Qt::Key_Up, "Up", 10},
      {Qt::Key_Down, "Down", 8},
      {Qt::Key_Space, "Space", 6},
      {Qt::Key_P, "P", 5},
      {Qt::Key_S, "S", 3},
      {Qt::Key_V, "V", 3},
      {Qt::Key_J, "J", 4},
      {Qt::Key_Return, "Enter", 3},
      {Qt::Key_Escape, "Escape", 3},
      {Qt::Key_Tab, "Tab", 1},
      {Qt::Key_Backspace, "Backspace", 1},
      {Qt::Key_A, "A", 1},
      {Qt::Key_Z, "Z", 1},
      {Qt::Key_5, "5", 1},
      {Qt::Key_F4, "F4", 1},
  };
  int total = 0;
  for (const Key& k : keys) total += k.weight;
  int roll = Roll(total);
  const Key* key = &keys[0];
  for (const Key& k : keys) {
    if (roll < k.weight) {
      key = &k;
      break;
    }
    roll -= k.weight;
  }
  const Qt::KeyboardModifiers mods = Chance(5) ? Qt::ShiftModifier : Qt::NoModifier;
  QWindow* window = QGuiApplication::focusWindow();
  const int how = Roll(10);  // 0-6 press and release, 7-8 press only (held), 9 release only
  const char* verb = how < 7 ? "key" : how < 9 ? "press" : "release";
  if (!window) {
    ++lostKeys;
    return std::string(verb) + " " + key->name + " (no window has the focus)";
  }
  if (how < 7) {
    QTest::keyClick(window, key->key, mods);
  } else if (how < 9) {
    QTest::keyPress(window, key->key, mods);
  } else {
    QTest::keyRelease(window, key->key, mods);
  }
  return std::string(verb) + " " + key->name + " to " + window->objectName().toStdString();
}

std::string Player::TypeIntoEntry() {
  QWindow* window = QGuiApplication::focusWindow();
  if (!window) {
    ++lostKeys;
    return "typing (no window has the focus)";
  }
  const int roll = Roll(100);
  if (roll < 8) {
    QTest::keyClick(window, Qt::Key_Return);
    return "Enter in " + window->objectName().toStdString();
  }
  if (roll < 14) {
    QTest::keyClick(window, Qt::Key_Backspace);
    return "Backspace in " + window->objectName().toStdString();
  }
  if (roll < 20) {
    QTest::keyClick(window, ' ');
    return "blank in " + window->objectName().toStdString();
  }
  const char c = roll < 30 ? static_cast<char>('0' + Roll(10)) : static_cast<char>((Chance(30) ? 'A' : 'a') + Roll(26));
  QTest::keyClick(window, c);
  return std::string("type '") + c + "' in " + window->objectName().toStdString();
}

std::string Player::Paste() {
  const PasteText* p = &kPastes[Roll(static_cast<int>(std::size(kPastes)))];
  QGuiApplication::clipboard()->setText(QString::fromUtf8(p->text));
  QWindow* window = QGuiApplication::focusWindow();
  if (!window) {
    ++lostKeys;
    return "paste (no window has the focus)";
  }
  QTest::keyClick(window, Qt::Key_V, Qt::ControlModifier);
  std::string shown = p->text;
  for (char& c : shown)
    if (c == '\n' || c == '\r' || c == '\t') c = '~';
  return "paste \"" + shown + "\" into " + window->objectName().toStdString();
}

std::string Player::Click() {
  TForm& f = *form_;
  std::vector<Target> targets;
  const bool entry = f.EingabeGeladen() && f.EingabeForm().isVisible();
  targets.push_back({f.picButtonNeuesSpiel, "new game", f.SpielVorbei ? 40 : 4});
  targets.push_back({f.picButtonHighscore, "highscore button", 5});
  targets.push_back({f.picButtonCopyright, "about button", 5});
  targets.push_back({f.picButtonAnleitung, "instructions button", 5});
  targets.push_back({f.picButtonBeenden, "quit button", 1});
  targets.push_back({f.TBox, "well", 3});
  if (f.HighscoreGeladen()) targets.push_back({f.HighscoreForm().picButtonZurueck, "list back button", 25});
  if (f.EingabeGeladen()) {
    targets.push_back({f.EingabeForm().picButtonOK, "entry OK", entry ? 30 : 3});
    targets.push_back({f.EingabeForm().HSEingabe, "name box", 3});
  }
  if (f.AnleitungGeladen()) {
    targets.push_back({f.AnleitungForm().picButtonZurueck, "instructions back button", 25});
    targets.push_back({f.AnleitungForm().AnleitText, "instructions text", 2});
  }
  if (f.InfoFormGeladen()) {
    InfoForm& info = f.InfoFormForm();
    targets.push_back({info.OKButton, "about OK", 25});
    for (size_t k = 0; k < info.CRTxt.size(); ++k) targets.push_back({info.CRTxt[k], "about label", 2});
  }
  int total = 0;
  for (const Target& t : targets) total += t.weight;
  int roll = Roll(total);
  for (const Target& t : targets) {
    if (roll < t.weight) return ClickOn(t.widget, t.name);
    roll -= t.weight;
  }
  return "no click";
}

std::string Player::ClickOn(QWidget* target, const char* name) {
  const bool newGame = target == form_->picButtonNeuesSpiel;
  if (Reachable(target)) {
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
    if (newGame && !form_->Beendet() && !form_->SpielVorbei) {
      ++games;
      SeedNewGame();
    }
    return std::string("click ") + name;
  }
  // The window system delivers a click to a window only where it shows it; the
  // toolkit must then drop it for a disabled or blocked window.
  ++unreachableClicks;
  QWidget* window = target->window();
  if (!window->isVisible() || !window->windowHandle()) return std::string("no click on hidden ") + name;
  Settle();
  const Snapshot before = Take(*form_);
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                    target->mapTo(window, target->rect().center()));
  Settle();
  if (!(Take(*form_) == before)) violation_ = std::string("a click on the unreachable ") + name + " had an effect";
  return std::string("click on unreachable ") + name;
}

void Player::SeedNewGame() {
  TForm& f = *form_;
  auto fill = [&](int c, int r) {
    f.Belegt[c][r] = true;
    f.Farbe[c][r] = Roll(7) + 1;
    platform::BitBlt(f.TBox->Image(), (c - 1) * 20, (r - 1) * 20, 20, 20, f.Muster[f.Farbe[c][r] - 1], 0, 0,
                     platform::Rop::SrcCopy);
  };
  // Gapped rows, so that drops complete some of them; a high stack ends the game soon.
  // Gaps lined up in one column are filled by any piece that reaches into it.
  const int roll = Roll(100);
  const int top = roll < 25 ? 21 : roll < 75 ? 12 + Roll(6) : 5 + Roll(4);
  const int column = roll < 50 ? Roll(10) + 1 : 0;
  for (int r = top; r <= 20; ++r) {
    const int gap = column ? column : Roll(10) + 1;
    for (int c = 1; c <= 10; ++c)
      if (c != gap && !(r < 10 && Chance(25))) fill(c, r);
  }
  if (top == 21 && Chance(70)) {
    // The floor row waits for exactly the bottom of the first piece dropped straight down.
    const engine::Bild& piece = engine::kKatalog[static_cast<size_t>(f.AktStein)];
    bool gap[11] = {};
    for (const engine::Zelle& z : piece.zellen)
      if (z.dy == piece.hoehe - 1) gap[static_cast<int>(f.SteinX) / 20 + 1 + z.dx] = true;
    for (int c = 1; c <= 10; ++c)
      if (!gap[c]) fill(c, 20);
  }
  // Points near the tenth place of the stored list make qualifying results and near misses.
  const int points = Roll(100);
  int p = 0;
  if (points < 40) {
    QFile file(Eingabe::Dateipfad());
    long tenth = 0;
    if (file.open(QIODevice::ReadOnly)) {
      const QList<QByteArray> lines = file.readAll().split('\n');
      if (lines.size() > 10) tenth = lines[10].left(5).trimmed().toLong();
    }
    p = static_cast<int>(std::clamp<long>(tenth - 40 + Roll(100), 0, 99999));
  } else if (points < 65) {
    p = Roll(100000);
  } else if (points < 70) {
    p = 99999 - Roll(30);
  }
  if (p > 0) {
    f.Punktestand = p;
    f.Level = std::min(10, p / 500 + 1);
    f.Fallschritt = f.Level + 2;
    f.Punkte(0);
  }
  f.TBox->Refresh();
}

std::string Player::SeedRowUnderLanding() {
  // The bottom row of the resting piece is completed around it, so placing it clears a row.
  TForm& f = *form_;
  const engine::Bild& piece = engine::kKatalog[static_cast<size_t>(f.AktStein)];
  const int column = static_cast<int>(f.SteinX) / 20 + 1;
  const int row = static_cast<int>(f.SteinY) / 20 + piece.hoehe;
  bool own[11] = {};
  for (const engine::Zelle& z : piece.zellen)
    if (z.dy == piece.hoehe - 1) own[column + z.dx] = true;
  for (int c = 1; c <= 10; ++c) {
    if (own[c] || f.Belegt[c][row]) continue;
    f.Belegt[c][row] = true;
    f.Farbe[c][row] = Roll(7) + 1;
    platform::BitBlt(f.TBox->Image(), (c - 1) * 20, (row - 1) * 20, 20, 20, f.Muster[f.Farbe[c][row] - 1], 0, 0,
                     platform::Rop::SrcCopy);
  }
  f.TBox->Refresh();
  return "row " + std::to_string(row) + " completed around the landing piece";
}

std::string Player::Close() {
  TForm& f = *form_;
  struct Window {
    QWidget* widget;
    const char* name;
  };
  std::vector<Window> visible;
  const Window all[] = {
      {&f, "main window"},
      {f.HighscoreGeladen() ? &f.HighscoreForm() : nullptr, "list"},
      {f.EingabeGeladen() ? &f.EingabeForm() : nullptr, "entry"},
      {f.AnleitungGeladen() ? &f.AnleitungForm() : nullptr, "instructions"},
      {f.InfoFormGeladen() ? &f.InfoFormForm() : nullptr, "about"},
  };
  for (const Window& w : all)
    if (w.widget && w.widget->isVisible()) visible.push_back(w);
  if (visible.empty()) return "close request: no window visible";
  // The game screen under a small window gets one request in four.
  const size_t pick = visible.size() > 1 && visible[0].widget == &f && Chance(75)
                          ? 1 + static_cast<size_t>(Roll(static_cast<int>(visible.size()) - 1))
                          : static_cast<size_t>(Roll(static_cast<int>(visible.size())));
  const Window& w = visible[pick];
  w.widget->close();
  return std::string("close request on ") + w.name;
}

std::string Player::Joystick() {
  const int roll = Roll(100);
  if (roll < 12) {
    stick_.plugged = !stick_.plugged;
    return stick_.plugged ? "joystick plugged in" : "joystick unplugged";
  }
  if (roll < 20) {
    stick_.failingReads = 1 + Roll(30);
    return "joystick reads fail " + std::to_string(stick_.failingReads) + " times";
  }
  if (roll < 70) {
    static const uint32_t spots[] = {0, 10000, 16383, 16384, 32768, 49151, 49152, 60000, 65535};
    auto axis = [&] { return Chance(15) ? static_cast<uint32_t>(Roll(65536)) : spots[Roll(9)]; };
    stick_.position.x = axis();
    stick_.position.y = axis();
    return "stick to " + std::to_string(stick_.position.x) + "," + std::to_string(stick_.position.y);
  }
  stick_.position.buttons = static_cast<uint32_t>(Roll(4));
  return "joystick buttons " + std::to_string(stick_.position.buttons);
}

std::string Player::AdvanceClock() {
  const int roll = Roll(100);
  const int ms = roll < 60   ? 1 + Roll(60)
                 : roll < 85 ? 50 + Roll(200)
                 : roll < 97 ? 250 + Roll(750)
                             : 1000 + Roll(2001);
  platform::clock::Advance(ms);
  return "advance " + std::to_string(ms) + " ms";
}

std::string Player::Activate() {
  TForm& f = *form_;
  std::vector<QWidget*> visible;
  for (QWidget* w :
       {static_cast<QWidget*>(&f), f.HighscoreGeladen() ? static_cast<QWidget*>(&f.HighscoreForm()) : nullptr,
        f.EingabeGeladen() ? static_cast<QWidget*>(&f.EingabeForm()) : nullptr,
        f.AnleitungGeladen() ? static_cast<QWidget*>(&f.AnleitungForm()) : nullptr,
        f.InfoFormGeladen() ? static_cast<QWidget*>(&f.InfoFormForm()) : nullptr})
    if (w && w->isVisible()) visible.push_back(w);
  if (visible.empty()) return "activate: no window visible";
  QWidget* w = visible[static_cast<size_t>(Roll(static_cast<int>(visible.size())))];
  w->activateWindow();
  return "activate " + w->objectName().toStdString();
}

void Player::CountPhases() {
  TForm& f = *form_;
  std::array<bool, kPhaseCount> now{};
  if (!f.Beendet()) {
    now[kFalling] = !f.SpielVorbei && f.FallTimer.Enabled();
    now[kLandingDelay] = f.Wartet;
    now[kFlash] = f.ReiheTimer.Enabled();
    now[kPaused] = !f.SpielVorbei && f.Pausiert;
    now[kGameOverAnimation] = f.GameOverTimer.Enabled();
    now[kEntry] = f.EingabeGeladen() && f.EingabeForm().isVisible();
    now[kList] = f.HighscoreGeladen() && f.HighscoreForm().isVisible();
    now[kInstructions] = f.AnleitungGeladen() && f.AnleitungForm().isVisible();
    now[kAbout] = f.InfoFormGeladen() && f.InfoFormForm().isVisible();
    now[kSavedEntry] = inPhase_[kEntry] && !now[kEntry] && now[kList];
  }
  for (int p = 0; p < kPhaseCount; ++p)
    if (now[static_cast<size_t>(p)] && !inPhase_[static_cast<size_t>(p)]) ++visits[static_cast<size_t>(p)];
  inPhase_ = now;
}

void Player::Mix(const std::string& what) {
  auto mix = [&](uint64_t v) {
    digest_ ^= v;
    digest_ *= 1099511628211ull;
  };
  for (char c : what) mix(static_cast<unsigned char>(c));
  const TForm& f = *form_;
  mix(static_cast<uint64_t>(f.AktStein));
  mix(static_cast<uint64_t>(f.NaechsterStein));
  mix(static_cast<uint64_t>(static_cast<int64_t>(f.SteinX * 8 + f.SteinY * 4096)));
  mix(static_cast<uint64_t>(f.Punktestand));
  mix(static_cast<uint64_t>(f.Reihen));
  for (bool b : inPhase_) mix(b);
}

std::string Player::History() const {
  std::ostringstream out;
  for (const std::string& h : history_) out << "  " << h << "\n";
  return out.str();
}

}  // namespace monkey
