#pragma once
// Placeholder, being written.

#include <QWidget>

class TForm;

class Anleitung : public QWidget {
  Q_OBJECT
 public:
  explicit Anleitung(TForm& haupt);
  void Form_Load();

 private:
  TForm& haupt_;
};
