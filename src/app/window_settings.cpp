// What the window does for itself, apart from the page: the form's scale as
// the window grows, full screen, the recent logs, the Options dialog, and
// what it keeps between runs.
#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <cmath>

#include "app/canvas_widget.h"
#include "app/channels_window.h"
#include "app/main_window.h"
#include "app/options_dialog.h"
#include "app/values_window.h"
#include "app/window_helpers.h"
#include "form/channel_buttons.h"
#include "store/recent_files.h"

namespace zelk::app {
namespace {

const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kStateKey = QStringLiteral("window/state");
const QString kChannelsGeometryKey = QStringLiteral("channels/geometry");
const QString kStripsKey = QStringLiteral("channels/strips");
const QString kFixedAxesKey = QStringLiteral("channels/fixedAxes");
const QString kFolderKey = QStringLiteral("browser/folder");
const QString kRecentKey = QStringLiteral("recent/files");
const QString kReaderKey = QStringLiteral("reader/program");

QSize DesignSize(double scale) {
  return {Pixels(form::kClientWidth, scale), Pixels(form::kClientHeight, scale)};
}

}  // namespace

void MainWindow::Rescale() {
  const double scale = FitScale(stage_->size(), DesignSize(1));
  const QSize size = DesignSize(scale);
  client_->setGeometry(QRect(
      QPoint((stage_->width() - size.width()) / 2, (stage_->height() - size.height()) / 2), size));
  if (scale != scale_) ApplyScale(scale);
  ScalePanels();
}

// The menus and the windows beside the form grow with the window as the
// form does. Their scale comes from the whole window's size, which their
// fonts do not change, so that a taller menu bar cannot shrink the form
// and start another rescale. Each window takes its own font, since a font
// does not pass from one window to another.
void MainWindow::ScalePanels() {
  const double scale = std::round(FitScale(size(), DesignSize(1)) * 4) / 4;
  if (scale == panelScale_) return;
  panelScale_ = scale;
  const QFont others = PanelFont();
  menuBar()->setFont(others);
  for (QMenu* menu : menus_) menu->setFont(others);
  if (recentMenu_) recentMenu_->setFont(others);
  if (values_) values_->setFont(others);
  if (channels_) channels_->SetScale(scale, others);
}

void MainWindow::ToggleFullScreen() { setWindowState(windowState() ^ Qt::WindowFullScreen); }

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  if (QAction* action = menuAction(QString::fromUtf8(form::ctl::FullScreenMenu.name))) {
    action->setChecked(isFullScreen());
  }
}

void MainWindow::Remember(std::shared_ptr<QSettings> settings) {
  settings_ = std::move(settings);
  restoreGeometry(settings_->value(kGeometryKey).toByteArray());
  restoreState(settings_->value(kStateKey).toByteArray());
  std::vector<std::string> recent;
  for (const QString& path : settings_->value(kRecentKey).toStringList()) {
    recent.push_back(path.toStdString());
  }
  recent_ = store::RecentAfterOpening(recent, {});
  page_->SetReaderProgram(settings_->value(kReaderKey).toString().toStdString());
  FillRecentMenu();
  // The Channels window's strips, axes and place as the user left them.
  std::vector<channels::ChannelId> strips;
  for (const QString& name : settings_->value(kStripsKey).toStringList()) {
    if (const form::ChannelButton* button = form::ButtonCaptioned(name.toStdString())) {
      strips.push_back(button->id);
    }
  }
  page_->SetLastStrips(strips);
  page_->channelsView().SetAxis(settings_->value(kFixedAxesKey).toBool()
                                    ? channels::StripAxis::Fixed
                                    : channels::StripAxis::Fitted);
  channels_->restoreGeometry(settings_->value(kChannelsGeometryKey).toByteArray());
  // The browser opens where it was left, unless a log was opened already.
  const QString folder = settings_->value(kFolderKey).toString();
  if (!folder.isEmpty() && QFileInfo(folder).isDir() && page_->session().file().path.empty()) {
    page_->ShowFolder(QFileInfo(folder).absoluteFilePath().toStdString());
    Sync();
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (settings_) {
    settings_->setValue(kGeometryKey, saveGeometry());
    settings_->setValue(kStateKey, saveState());
    settings_->setValue(kChannelsGeometryKey, channels_->saveGeometry());
    QStringList strips;
    for (const channels::ChannelId id : page_->lastStrips()) {
      strips << Text(form::ButtonOf(id)->caption);
    }
    settings_->setValue(kStripsKey, strips);
    settings_->setValue(kFixedAxesKey, page_->channelsView().axis() == channels::StripAxis::Fixed);
    settings_->setValue(kFolderKey,
                        Text(page_->controls().Named(form::ctl::Dir1.name).state.folder));
    settings_->sync();
  }
  QMainWindow::closeEvent(event);
}

void MainWindow::NoteOpened() {
  const QString path = QFileInfo(Text(page_->session().file().path)).absoluteFilePath();
  recent_ = store::RecentAfterOpening(recent_, path.toStdString());
  if (settings_) {
    QStringList list;
    for (const std::string& entry : recent_) list.push_back(Text(entry));
    settings_->setValue(kRecentKey, list);
  }
  FillRecentMenu();
}

// The menu is made again whenever it opens, so that a file that went away
// since is shown greyed. Its old items go later: one of them may be the item
// whose choice is being carried out.
// The recent logs, to open and to compare with the loaded one; the second
// menu only while Compare With... is offered.
void MainWindow::FillRecentMenu() {
  const auto items = store::RecentMenu(
      recent_, [](const std::string& path) { return QFileInfo(Text(path)).isFile(); });
  const auto fill = [this, &items](QMenu* menu, void (MainWindow::*open)(const QString&)) {
    if (!menu) return;
    for (QAction* action : menu->actions()) {
      menu->removeAction(action);
      action->deleteLater();
    }
    for (const store::RecentItem& item : items) {
      QAction* action = menu->addAction(Text(item.caption));
      action->setEnabled(item.present);
      const QString path = Text(item.path);
      connect(action, &QAction::triggered, this, [this, open, path] { (this->*open)(path); });
    }
    menu->setEnabled(!items.empty());
  };
  fill(recentMenu_, &MainWindow::OpenLog);
  fill(compareRecentMenu_, &MainWindow::CompareLog);
  SyncCompareRecent();
}

void MainWindow::SyncCompareRecent() {
  if (!compareRecentMenu_) return;
  const QAction* compare = menuAction(QString::fromUtf8(form::ctl::CompareMenu.name));
  compareRecentMenu_->menuAction()->setEnabled(compare && compare->isEnabled() &&
                                               !compareRecentMenu_->actions().isEmpty());
}

// The offset typed for the second log goes back to the page, which takes it
// or says why not.
void MainWindow::OffsetAsked(const QString& proposed) {
  std::optional<QString> typed;
  if (askOffset_) {
    typed = askOffset_(proposed);
  } else {
    QInputDialog dialog(this);
    dialog.setFont(PanelFont());
    dialog.setWindowTitle(tr("Set Offset"));
    dialog.setLabelText(tr("Seconds the second log starts after the first:"));
    dialog.setTextValue(proposed);
    if (dialog.exec() == QDialog::Accepted) typed = dialog.textValue();
  }
  if (typed) Forward(form::UserEvent::Offset(typed->toStdString()));
}

// The reader program chosen goes to the page, and to the settings where the
// window keeps them.
void MainWindow::OptionsAsked() {
  const QString current = Text(page_->readerProgram());
  std::optional<QString> chosen;
  if (editOptions_) {
    chosen = editOptions_(current);
  } else {
    OptionsDialog dialog(current, this);
    dialog.setFont(PanelFont());
    if (dialog.exec() == QDialog::Accepted) chosen = dialog.readerProgram();
  }
  if (!chosen) return;
  page_->SetReaderProgram(chosen->toStdString());
  if (settings_) settings_->setValue(kReaderKey, *chosen);
}

}  // namespace zelk::app
