// File > Options: the path of the ECU reader program that the "Log" button
// starts, typed or chosen with a file dialog; empty for the fixed one.
#pragma once

#include <QDialog>

class QLineEdit;

namespace zelk::app {

class OptionsDialog : public QDialog {
  Q_OBJECT

 public:
  OptionsDialog(const QString& readerProgram, QWidget* parent);
  // The path as the user left it: trimmed, and a bare program name (no
  // folder) looked up in the folders of PATH where it is found there.
  QString readerProgram() const;
  QLineEdit* readerBox() const { return reader_; }

 private:
  void Browse();

  QLineEdit* reader_ = nullptr;
};

}  // namespace zelk::app
