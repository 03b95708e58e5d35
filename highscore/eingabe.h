#pragma once
// Placeholder, being written.

#include <QWidget>

class TForm;

class Eingabe : public QWidget {
  Q_OBJECT
 public:
  explicit Eingabe(TForm& haupt);
  void Form_Load();

 private:
  TForm& haupt_;
};
