// SPDX-FileCopyrightText: 2026 Norvane Works
// SPDX-License-Identifier: GPL-3.0-or-later

// A save of the highscore list killed at any moment leaves either the old
// list or the new one on disk, whole, never a mixture or a stump.

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <random>

#include "highscore/hsdatei.h"

namespace {

struct List {
  highscore::Punkteliste scores{};
  highscore::Textliste names;
  QByteArray bytes;  // the file as the rules lay it out, written out here
};

// Ten descending scores and one long name for every rank.
List MakeList(int best, char letter, int nameLength) {
  List l;
  l.bytes = "[Highscore]\r\n";
  for (int r = 1; r <= 10; ++r) {
    const int score = best - 97 * (r - 1);
    const QString name = QString(nameLength, QLatin1Char(letter)) + QString::number(r);
    l.scores[static_cast<size_t>(r)] = score;
    l.names[static_cast<size_t>(r)] = name;
    QByteArray field = QByteArray::number(score);
    while (field.size() < 5) field += ' ';
    l.bytes += field + ',' + name.toUtf8() + "\r\n";
  }
  return l;
}

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Waits for one byte from the child; false when none came in ten seconds.
bool ReadProgress(int fd) {
  pollfd p{fd, POLLIN, 0};
  char c = 0;
  return poll(&p, 1, 10000) == 1 && read(fd, &c, 1) == 1;
}

TEST(SaveCrash, AKilledSaveLeavesOneOfTheTwoListsWhole) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.path() + QStringLiteral("/NORVANE.INI");
  const List lists[2] = {MakeList(99999, 'a', 300), MakeList(5000, 'B', 40)};
  for (const List& l : lists) {
    ASSERT_TRUE(highscore::ListeSchreiben(path, l.scores, l.names));
    ASSERT_EQ(Contents(path), l.bytes);
  }

  std::mt19937 rng(20261207);
  int found[2] = {0, 0};
  for (int kill = 0; kill < 120; ++kill) {
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(pipeFds[0]);
      for (unsigned k = 0;; ++k) {
        const List& l = lists[k % 2];
        highscore::ListeSchreiben(path, l.scores, l.names);
        const char done = 1;
        if (write(pipeFds[1], &done, 1) != 1) _exit(1);
      }
    }
    close(pipeFds[1]);
    // A few whole saves first, then a random stretch into the next one.
    bool alive = true;
    for (int saves = static_cast<int>(rng() % 3); saves > 0 && alive; --saves) alive = ReadProgress(pipeFds[0]);
    volatile unsigned spin = 0;
    for (unsigned n = static_cast<unsigned>(rng() % 200000); n > 0; --n) spin = spin + 1;
    ::kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(pipeFds[0]);
    ASSERT_TRUE(alive) << "the saving child stopped making progress";
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "kill " << kill;

    const QByteArray now = Contents(path);
    ASSERT_TRUE(now == lists[0].bytes || now == lists[1].bytes)
        << "kill " << kill << " left " << now.size() << " bytes:\n"
        << now.left(200).toStdString();
    ++found[now == lists[1].bytes];
    // A temporary file a kill left behind is no list; it must not pile up either.
    for (const QString& other : QDir(dir.path()).entryList(QDir::Files))
      if (other != QLatin1String("NORVANE.INI")) QFile::remove(dir.filePath(other));
  }
  // The kills fell at different points of the alternation.
  EXPECT_GT(found[0], 10);
  EXPECT_GT(found[1], 10);
}

}  // namespace
