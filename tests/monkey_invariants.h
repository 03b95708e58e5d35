// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What must hold between any two events of the whole program: the game's own
// rules, the windows, the timers of each phase and the highscore file. The
// watcher remembers the previous event where a rule spans several events.

#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QStringDecoder>
#include <QWindow>

#include <sys/stat.h>

#include <array>
#include <string>

#include "app/tform.h"
#include "highscore/eingabe.h"
#include "highscore/highscore_form.h"
#include "invariants.h"
#include "monkey.h"
#include "shell/anleitung.h"
#include "shell/infoform.h"

namespace monkey {

// The highscore file as the rules describe it: the header line, then ten
// lines of a score left-aligned in five columns, a comma and a name, each
// line ended by CR LF, best score first.
struct StoredList {
  bool present = false;
  std::string fault;  // empty when the file is a whole list
  QStringList scores, names;
};

inline StoredList ReadStoredList(const QString& path) {
  StoredList list;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return list;
  list.present = true;
  const QByteArray bytes = file.readAll();
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(bytes);
  if (utf8.hasError()) {
    list.fault = "the file is not UTF-8";
    return list;
  }
  QStringList lines = text.split(QStringLiteral("\r\n"));
  if (lines.size() != 12 || !lines.last().isEmpty()) {
    list.fault = "the file has " + std::to_string(lines.size() - 1) + " lines ended by CR LF, or text after the last";
    return list;
  }
  if (lines[0] != QLatin1String("[Highscore]")) {
    list.fault = "the first line is not the header";
    return list;
  }
  long previous = 100000;
  for (int rank = 1; rank <= 10; ++rank) {
    const QString& line = lines[rank];
    const std::string where = "rank " + std::to_string(rank) + " \"" + line.toStdString() + "\": ";
    if (line.size() < 6 || line[5] != u',' || line.contains(u'\r') || line.contains(u'\n')) {
      list.fault = where + "no comma in column 6";
      return list;
    }
    const QString field = line.left(5);
    const QString digits = field.trimmed();
    bool number = !digits.isEmpty() && !field.startsWith(u' ');
    for (QChar c : digits) number = number && c.isDigit() && c.unicode() < 128;
    if (!number || field != digits.leftJustified(5, u' ')) {
      list.fault = where + "the score is not digits padded with blanks";
      return list;
    }
    const long score = digits.toLong();
    if (score > previous) {
      list.fault = where + "scores are not in descending order";
      return list;
    }
    previous = score;
    const QString name = line.mid(6);
    if (name != name.trimmed()) {
      list.fault = where + "blanks around the name";
      return list;
    }
    list.scores << digits;
    list.names << name;
  }
  return list;
}

class Watcher {
 public:
  // Checks everything after one event. `restarted` says that the program was
  // started anew since the last check, which forgets the previous event.
  ::testing::AssertionResult Check(TForm& f, bool restarted, const std::string& violation) {
    if (restarted) *this = Watcher();
    if (!violation.empty()) return ::testing::AssertionFailure() << violation;
    auto result = CheckAll(f);
    Remember(f);
    return result;
  }

 private:
  struct Piece {
    int stein = 0, punkte = 0, reihen = 0;
    float x = 0, y = 0;
    bool operator==(const Piece&) const = default;
  };
  static Piece PieceOf(const TForm& f) { return {f.AktStein, f.Punktestand, f.Reihen, f.SteinX, f.SteinY}; }

  struct Windows {
    QWidget* list = nullptr;
    QWidget* entry = nullptr;
    QWidget* instructions = nullptr;
    QWidget* about = nullptr;
    int visible = 0;
    std::string names;
  };
  static Windows WindowsOf(TForm& f) {
    Windows w;
    if (f.HighscoreGeladen()) w.list = &f.HighscoreForm();
    if (f.EingabeGeladen()) w.entry = &f.EingabeForm();
    if (f.AnleitungGeladen()) w.instructions = &f.AnleitungForm();
    if (f.InfoFormGeladen()) w.about = &f.InfoFormForm();
    const std::pair<QWidget*, const char*> all[] = {
        {w.list, "list"}, {w.entry, "entry"}, {w.instructions, "instructions"}, {w.about, "about"}};
    for (const auto& [window, name] : all) {
      if (window && window->isVisible()) {
        ++w.visible;
        w.names += std::string(w.names.empty() ? "" : ", ") + name;
      }
    }
    return w;
  }
  static bool Shown(const QWidget* w) { return w && w->isVisible(); }

  ::testing::AssertionResult CheckAll(TForm& f) {
    auto game = GameIsConsistent(f);
    if (!game) return game;
    if (!f.SpielVorbei) {
      if (f.Punktestand >= 500 * f.Level && f.Level != 10)
        return ::testing::AssertionFailure() << f.Punktestand << " points still at level " << f.Level;
      const bool normal = f.Fallschritt == f.Level + 2;
      const bool softDrop = f.Fallschritt == 19 && f.FallschrittSich == f.Level + 2;
      if (!normal && !softDrop)
        return ::testing::AssertionFailure()
               << "fall step " << f.Fallschritt << " (kept " << f.FallschrittSich << ") at level " << f.Level;
    }
    auto file = CheckFile(f);
    if (!file) return file;
    if (f.Beendet()) return ::testing::AssertionSuccess();
    auto windows = CheckWindows(f);
    if (!windows) return windows;
    return CheckTimers(f);
  }

  ::testing::AssertionResult CheckWindows(TForm& f) {
    const Windows w = WindowsOf(f);
    if (w.visible > 1) return ::testing::AssertionFailure() << "secondary windows visible together: " << w.names;
    // The game screen takes input exactly when no other window is up: it is
    // hidden behind the full-screen windows and disabled under the small ones.
    const bool usable = f.isVisible() && f.isEnabled();
    if (usable != (w.visible == 0))
      return ::testing::AssertionFailure() << "main window " << (f.isVisible() ? "visible" : "hidden") << " and "
                                           << (f.isEnabled() ? "enabled" : "disabled") << " while "
                                           << (w.visible ? w.names : std::string("no other window")) << " visible";
    if (!f.isVisible() && !Shown(w.list) && !Shown(w.instructions))
      return ::testing::AssertionFailure() << "the game screen is hidden and no full-screen window replaces it"
                                           << (w.visible ? " (visible: " + w.names + ")" : std::string());
    if ((Shown(w.list) || Shown(w.instructions)) && f.isVisible())
      return ::testing::AssertionFailure() << "the game screen stays visible under " << w.names;
    for (QWidget* window : {w.list, w.entry, w.instructions, w.about}) {
      if (!Shown(window)) continue;
      if (!window->isEnabled())
        return ::testing::AssertionFailure() << window->objectName().toStdString() << " is visible but disabled";
      // The desktop keeps it with the game screen only when it knows the owner.
      if (!window->windowHandle() || window->windowHandle()->transientParent() != f.windowHandle())
        return ::testing::AssertionFailure()
               << window->objectName().toStdString() << " is not transient for the game screen";
      const QWidget* modal = QApplication::activeModalWidget();
      if (modal && modal != window)
        return ::testing::AssertionFailure()
               << window->objectName().toStdString() << " is blocked by " << modal->objectName().toStdString();
    }
    return ::testing::AssertionSuccess();
  }

  ::testing::AssertionResult CheckTimers(TForm& f) {
    const bool fall = f.FallTimer.Enabled(), wait = f.WartenTimer.Enabled(), flash = f.ReiheTimer.Enabled();
    const bool over = f.GameOverTimer.Enabled();
    const int secondary = WindowsOf(f).visible;
    auto fail = [&] {
      return ::testing::AssertionFailure()
             << "timers fall=" << fall << " wait=" << wait << " flash=" << flash << " gameover=" << over
             << " with over=" << f.SpielVorbei << " paused=" << f.Pausiert << " waiting=" << f.Wartet
             << " window=" << secondary << ": ";
    };
    if (f.SpielVorbei && (fall || wait || flash)) return fail() << "a play timer runs after the game";
    if (!f.SpielVorbei && over) return fail() << "the game-over animation runs during a game";
    if (wait != f.Wartet) return fail() << "the landing delay and its timer disagree";
    if (flash != f.ReiheFortsetzung) return fail() << "the row flash and its timer disagree";
    // Continuing a pause starts gravity even during the landing delay; its tick
    // lands the piece again on the same spot. Nothing else overlaps.
    if (flash && (fall || wait)) return fail() << "the row flash overlaps another phase of a piece";
    if (fall && f.Pausiert) return fail() << "the piece falls while paused";
    if (fall && secondary > 0) return fail() << "the piece falls behind a window";
    if (!f.SpielVorbei && !f.Pausiert && secondary == 0 && !wait && !flash && !fall)
      return fail() << "the running game is stuck: nothing moves it on";
    if (secondary > 0 && secondaryBefore_ > 0) {
      if (f.Pausiert != pausedBefore_) return fail() << "the pause changed behind a window";
      if (!underWay_ && (wait || flash || !(PieceOf(f) == piece_)))
        return fail() << "the game moved on behind a window";
    }
    return ::testing::AssertionSuccess();
  }

  // The file is read again only when it is another file or has changed: a
  // save always puts a new file in place.
  const StoredList& Stored() {
    const QByteArray path = QFile::encodeName(Eingabe::Dateipfad());
    struct stat st {};
    const bool present = ::stat(path.constData(), &st) == 0;
    const std::array<int64_t, 5> key = {present, static_cast<int64_t>(st.st_ino), static_cast<int64_t>(st.st_size),
                                        static_cast<int64_t>(st.st_mtim.tv_sec),
                                        static_cast<int64_t>(st.st_mtim.tv_nsec)};
    if (!storedValid_ || key != storedKey_) {
      stored_ = ReadStoredList(Eingabe::Dateipfad());
      storedKey_ = key;
      storedValid_ = true;
    }
    return stored_;
  }

  ::testing::AssertionResult CheckFile(TForm& f) {
    const StoredList& stored = Stored();
    if (stored.present && !stored.fault.empty())
      return ::testing::AssertionFailure() << "the highscore file does not read back as a whole list: " << stored.fault;
    if (!f.HighscoreGeladen()) return ::testing::AssertionSuccess();
    Highscore& list = f.HighscoreForm();
    if (!list.isVisible()) return ::testing::AssertionSuccess();
    if (!stored.present) return ::testing::AssertionFailure() << "the list is shown but there is no file";
    for (size_t k = 0; k < 10; ++k) {
      const QLabel* name = list.HSName[k];
      const QLabel* score = list.HSScore[k];
      if (name->textFormat() != Qt::PlainText || score->textFormat() != Qt::PlainText)
        return ::testing::AssertionFailure() << "rank " << k + 1 << " is not shown as plain text";
      const auto i = static_cast<qsizetype>(k);
      if (name->text() != stored.names[i] || score->text() != stored.scores[i])
        return ::testing::AssertionFailure()
               << "rank " << k + 1 << " shows \"" << score->text().toStdString() << "\" \""
               << name->text().toStdString() << "\" but the file holds \"" << stored.scores[i].toStdString() << "\" \""
               << stored.names[i].toStdString() << "\"";
    }
    return ::testing::AssertionSuccess();
  }

  void Remember(TForm& f) {
    const int secondary = f.Beendet() ? 0 : WindowsOf(f).visible;
    if (secondary > 0 && secondaryBefore_ == 0) {
      underWay_ = f.Wartet || f.ReiheTimer.Enabled();
      piece_ = PieceOf(f);
    } else if (secondary > 0 && underWay_ && !f.Wartet && !f.ReiheTimer.Enabled()) {
      // The landing or flash that was under way has ended; from here nothing moves.
      underWay_ = false;
      piece_ = PieceOf(f);
    }
    secondaryBefore_ = secondary;
    pausedBefore_ = f.Pausiert;
  }

  int secondaryBefore_ = 0;
  bool pausedBefore_ = false;
  bool underWay_ = false;
  Piece piece_;
  bool storedValid_ = false;
  std::array<int64_t, 5> storedKey_{};
  StoredList stored_;
};

}  // namespace monkey
