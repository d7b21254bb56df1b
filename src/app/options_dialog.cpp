#include "app/options_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "app/window_helpers.h"
#include "form/user_page.h"

namespace zelk::app {

OptionsDialog::OptionsDialog(const QString& readerProgram, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Options"));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(tr("ECU &reader program, started by the Log button:"), this);
  layout->addWidget(label);
  auto* row = new QHBoxLayout;
  reader_ = new QLineEdit(readerProgram, this);
  reader_->setMinimumWidth(360);
  reader_->setPlaceholderText(Text(form::kExternalReader));
  label->setBuddy(reader_);
  row->addWidget(reader_);
  auto* browse = new QPushButton(tr("&Browse..."), this);
  connect(browse, &QPushButton::clicked, this, &OptionsDialog::Browse);
  row->addWidget(browse);
  layout->addLayout(row);
  auto* note = new QLabel(
      tr("Left empty, the Log button starts %1.").arg(Text(form::kExternalReader)), this);
  note->setEnabled(false);
  layout->addWidget(note);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

QString OptionsDialog::readerProgram() const {
  const QString path = reader_->text().trimmed();
  if (path.isEmpty() || path.contains(QLatin1Char('/'))) return path;
  const QString found = QStandardPaths::findExecutable(path);
  return found.isEmpty() ? path : found;
}

// The dialog opens where the program chosen is, else in the system's programs.
void OptionsDialog::Browse() {
  const QFileInfo current(readerProgram());
  const QString start = current.absoluteDir().exists() && !reader_->text().trimmed().isEmpty()
                            ? current.absoluteFilePath()
                            : QStringLiteral("/usr/bin");
  const QString chosen = QFileDialog::getOpenFileName(this, tr("Reader Program"), start);
  if (!chosen.isEmpty()) reader_->setText(chosen);
}

}  // namespace zelk::app
