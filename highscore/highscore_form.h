#pragma once
// Placeholder, being written.

#include <QWidget>

class TForm;

class Highscore : public QWidget {
  Q_OBJECT
 public:
  explicit Highscore(TForm& haupt);
  void Form_Load();

 private:
  TForm& haupt_;
};
