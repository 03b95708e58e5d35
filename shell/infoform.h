#pragma once
// Placeholder, being written.

#include <QWidget>

class TForm;

class InfoForm : public QWidget {
  Q_OBJECT
 public:
  explicit InfoForm(TForm& haupt);
  void Form_Load();

 private:
  TForm& haupt_;
};
