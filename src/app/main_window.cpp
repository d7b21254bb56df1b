#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include "app/canvas_widget.h"
#include "app/channels_window.h"
#include "app/key_codes.h"
#include "app/pictures.h"
#include "app/save_file.h"
#include "app/values_window.h"
#include "app/window_helpers.h"

namespace zelk::app {
namespace {

// The first local file of a drop, or empty when it holds none.
QString DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

// What the page needs to know of the folders it proposes for saving: a
// folder counts as writable when this user may write into it, and the user's
// own folder is the documents folder where there is one, else the home folder.
form::SaveFolders SystemSaveFolders() {
  QString own = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (own.isEmpty() || !QFileInfo(own).isDir()) own = QDir::homePath();
  return {[](const std::string& folder) {
            const QFileInfo info(Text(folder));
            return info.isDir() && info.isWritable();
          },
          own.toStdString()};
}

}  // namespace

MainWindow::MainWindow(const QString& programDir, QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QString::fromUtf8(form::kProgramTitle));
  setWindowIcon(WindowIcon());
  setAcceptDrops(true);
  Build();
  values_ = new ValuesWindow(this);
  connect(values_, &ValuesWindow::closedByUser, this,
          [this] { ForwardClick(form::ctl::ValuesMenu.name); });
  drawing_ = std::make_unique<chart::RecordingCanvas>(canvas_, false);
  page_ = std::make_unique<form::UserPage>(*drawing_, programDir.toStdString());
  page_->SetSaveFolders(SystemSaveFolders());
  channels_ = new ChannelsWindow(
      *page_, [this](const form::UserEvent& event) { Forward(event); }, this);
  connect(channels_, &ChannelsWindow::writeFailed, this,
          [this](const QString& path, const QString& why) {
            page_->WriteFailed(path.toStdString(), why.toStdString());
            CarryOutRequests();
          });
  page_->Form_Load();
  qApp->installEventFilter(this);
  Sync();
  ApplyFocus();
  // Messages from start-up wait until the window can be seen behind them.
  QTimer::singleShot(0, this, [this] { CarryOutRequests(); });
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

void MainWindow::setFileChooser(FileChooser chooser) {
  chooseFile_ = chooser;
  channels_->setFileChooser(std::move(chooser));
}

// ---- Lookup ----

QWidget* MainWindow::widget(const QString& key) const {
  const int i = byKey_.value(key, -1);
  return i < 0 ? nullptr : bound_[i].widget;
}

QAction* MainWindow::menuAction(const QString& key) const {
  const int i = byKey_.value(key, -1);
  return i < 0 ? nullptr : bound_[i].action;
}

const QImage& MainWindow::canvasImage() const { return canvas_->image(); }

// The graph is opaque: without an alpha channel its picture is also quicker
// to write as a PNG.
QImage MainWindow::GraphImage() {
  return canvas_->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void MainWindow::OpenLog(const QString& path) {
  Forward(form::UserEvent::Open(path.toStdString()));
}

void MainWindow::CompareLog(const QString& path) {
  Forward(form::UserEvent::Compare(path.toStdString()));
}

// ---- Events ----

void MainWindow::Forward(const form::UserEvent& event) {
  if (closing_) return;
  if (recordEvent_) recordEvent_(event.ToLine());
  const std::string shown = page_->session().file().path;
  page_->Apply(event);
  if (page_->session().file().path != shown) NoteOpened();
  Sync();
  ApplyFocus();
  CarryOutRequests();
}

void MainWindow::ForwardClick(const std::string& key) { Forward(form::UserEvent::Click(key)); }

bool MainWindow::IsMenuKey(const QKeyEvent& key) const {
  const QKeySequence pressed(key.keyCombination());
  for (const Bound& bound : bound_) {
    if (bound.action && !bound.action->shortcut().isEmpty() && bound.action->shortcut() == pressed)
      return true;
  }
  return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == stage_ && event->type() == QEvent::Resize) Rescale();
  // A menu's keys work from every focus: a text box would otherwise keep
  // some of them for its own editing (on X11, Ctrl+E goes to the end of the
  // line), and the menu item would never hear of them.
  if (event->type() == QEvent::ShortcutOverride && IsMenuKey(*static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  if (event->type() == QEvent::KeyRelease) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    // A key event not taken by the widget with focus travels on to its
    // parents; it is one key-up all the same, counted where it starts.
    QWidget* first = focusWidget() ? focusWidget() : this;
    // The values panel takes no focus of its own: keys pressed while it is
    // the active window move the marker it follows.
    if ((widget == first || widget == values_) && !key->isAutoRepeat()) {
      Forward(form::UserEvent::Key(VirtualKeyCode(key->key()), HeldKeys(key->modifiers(), key->key())));
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

// A file dropped with Ctrl held is compared with the loaded log; without,
// it replaces it.
void MainWindow::dropEvent(QDropEvent* event) {
  const QString file = DroppedFile(event->mimeData());
  if (file.isEmpty()) return;
  event->acceptProposedAction();
  if (event->modifiers() & Qt::ControlModifier) {
    CompareLog(file);
  } else {
    OpenLog(file);
  }
}

// ---- Requests of the page ----

void MainWindow::ApplyFocus() {
  QWidget* target = widget(Text(page_->TakeFocusRequest()));
  if (target && target->isVisibleTo(this) && target->isEnabled() && !target->hasFocus()) {
    target->setFocus(Qt::OtherFocusReason);
  }
}

void MainWindow::CarryOutRequests() {
  const auto show = [this](const QString& title, const QString& text) {
    if (showMessage_) {
      showMessage_(title, text);
      return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, this);
    box.setFont(PanelFont());
    box.exec();
  };
  // A program that cannot be started is reported like any other message;
  // this one keeps running.
  for (const std::string& program : page_->TakeStarted()) {
    if (!QProcess::startDetached(Text(program), {})) page_->ProgramNotStarted(program);
  }
  if (const auto request = page_->TakeSaveRequest()) SaveAsked(*request);
  if (page_->TakeOptionsRequest()) OptionsAsked();
  if (const auto proposed = page_->TakeOffsetRequest()) OffsetAsked(Text(*proposed));
  for (const form::Message& message : page_->TakeMessages()) {
    show(Text(message.title), Text(message.text));
  }
  if (page_->exitRequested() && !closing_) {
    closing_ = true;
    close();
  }
}

// Asks where to save, proposing the page's path, and writes the graph as on
// screen or the data table; the outcome goes back to the page, which reports
// a failure and proposes the folder of a success next time.
void MainWindow::SaveAsked(const form::SaveRequest& request) {
  const bool graph = request.what == form::SaveRequest::What::Graph;
  const QString title = graph ? tr("Save Graph") : tr("Export Data");
  const QString filter = graph ? tr("PNG images (*.png)") : tr("CSV files (*.csv)");
  const QString proposed = Text(request.proposedPath);
  const QString path = chooseFile_ ? chooseFile_(title, proposed, filter)
                                   : QFileDialog::getSaveFileName(this, title, proposed, filter);
  if (path.isEmpty()) return;
  QString problem;
  const bool saved = graph ? SavePng(path, GraphImage(), problem)
                           : SaveBytes(path, QByteArray::fromStdString(page_->DataCsv()), problem);
  if (saved) {
    page_->Saved(path.toStdString());
  } else {
    page_->WriteFailed(path.toStdString(), problem.toStdString());
  }
}

}  // namespace zelk::app
