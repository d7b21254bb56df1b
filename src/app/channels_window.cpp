#include "app/channels_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <algorithm>

#include "app/key_codes.h"
#include "app/save_file.h"
#include "app/window_helpers.h"
#include "form/channel_buttons.h"

namespace zelk::app {

ChannelsWindow::ChannelsWindow(form::UserPage& page, Forward forward, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      page_(page),
      forward_(std::move(forward)),
      stack_(new StackWidget(page.channelsView(), forward_, this)),
      list_(new QListWidget(this)) {
  setWindowTitle(tr("Channels"));
  setCentralWidget(stack_);
  // The strips to show, ticked, in their order from the top: drag to reorder.
  auto* dock = new QDockWidget(tr("Strips"), this);
  dock->setObjectName("Strips");
  dock->setFeatures(QDockWidget::DockWidgetMovable);
  dock->setWidget(list_);
  addDockWidget(Qt::RightDockWidgetArea, dock);
  list_->setDragDropMode(QAbstractItemView::InternalMove);
  FitList(list_->font());
  list_->setFocusPolicy(Qt::NoFocus);
  connect(list_, &QListWidget::itemChanged, this, [this] { ListChanged(); });
  connect(list_->model(), &QAbstractItemModel::rowsMoved, this, [this] { ListChanged(); });

  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("Save Picture..."), QKeySequence("Ctrl+S"), this, [this] { SaveStack(); });
  file->addAction(tr("Export Data..."), QKeySequence("Ctrl+E"), this, [this] { ExportTable(); });
  file->addSeparator();
  file->addAction(tr("Close"), QKeySequence("Ctrl+W"), this, [this] { close(); });
  QMenu* view = menuBar()->addMenu(tr("&View"));
  fixedAxes_ = view->addAction(tr("Fixed Value Axes"));
  fixedAxes_->setCheckable(true);
  connect(fixedAxes_, &QAction::toggled, this, [this](bool fixed) {
    page_.channelsView().SetAxis(fixed ? channels::StripAxis::Fixed : channels::StripAxis::Fitted);
    stack_->Changed();
  });
  // The window's length and its pages, chosen here as on the main window.
  QToolBar* bar = addToolBar(tr("Window"));
  bar->setObjectName("Window");
  bar->setMovable(false);
  previous_ = bar->addAction(QString::fromUtf8("\u25C0"), this,
                             [this] { forward_(form::UserEvent::Click("PreviousImage")); });
  lengths_ = new QComboBox(bar);
  lengths_->setFocusPolicy(Qt::NoFocus);
  bar->addWidget(lengths_);
  next_ = bar->addAction(QString::fromUtf8("\u25B6"), this,
                         [this] { forward_(form::UserEvent::Click("NextImage")); });
  previous_->setToolTip(tr("Previous page (Page Up)"));
  next_->setToolTip(tr("Next page (Page Down)"));
  connect(lengths_, &QComboBox::activated, this,
          [this](int index) { forward_(form::UserEvent::Select("YAxis", index)); });
  resize(1280, 800);
  FillList();
}

// The list as wide as its longest name and its tick box need, and no wider
// than twice that.
void ChannelsWindow::FitList(const QFont& font) {
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance("Temperature") + 4 * metrics.height();
  list_->setMinimumWidth(width);
  list_->setMaximumWidth(width * 2);
}

void ChannelsWindow::SetScale(double scale, const QFont& font) {
  setFont(font);
  FitList(font);
  stack_->SetScale(scale);
}

void ChannelsWindow::SyncWindowList() {
  const form::ControlState& list = page_.controls()(form::ctl::YAxis).state;
  if (lengths_->count() != static_cast<int>(list.items.size())) {
    lengths_->clear();
    for (const std::string& item : list.items) lengths_->addItem(Text(item));
  }
  lengths_->setCurrentIndex(list.index);
  previous_->setEnabled(page_.controls()(form::ctl::PreviousImage).state.visible);
  next_->setEnabled(page_.controls()(form::ctl::NextImage).state.visible);
}

// Every channel, the shown ones ticked in their order first.
void ChannelsWindow::FillList() {
  filling_ = true;
  list_->clear();
  std::vector<channels::ChannelId> order = page_.channelsView().channels();
  if (order.empty()) order = page_.lastStrips();
  for (const channels::ChannelId id : form::ButtonChannels()) {
    if (std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
  }
  const auto& shown = page_.channelsView().channels();
  for (const channels::ChannelId id : order) {
    auto* item = new QListWidgetItem(Text(form::ButtonOf(id)->caption), list_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled);
    item->setFlags(item->flags() & ~Qt::ItemIsDropEnabled);
    item->setCheckState(std::find(shown.begin(), shown.end(), id) != shown.end() ? Qt::Checked
                                                                                 : Qt::Unchecked);
  }
  filling_ = false;
}

void ChannelsWindow::ListChanged() {
  if (filling_) return;
  QStringList names;
  for (int row = 0; row < list_->count(); ++row) {
    if (list_->item(row)->checkState() == Qt::Checked) names << list_->item(row)->text();
  }
  // The last strip cannot be unticked: the window closes from its menu.
  if (names.isEmpty()) {
    FillList();
    return;
  }
  forward_(form::UserEvent::Strips(names.join(' ').toStdString()));
}

void ChannelsWindow::Sync() {
  const form::ChannelsView& view = page_.channelsView();
  if (view.shown() != isVisible()) {
    if (view.shown()) {
      FillList();
      if (!placed_) PlaceBesideMain();
    }
    setVisible(view.shown());
  }
  fixedAxes_->setChecked(view.axis() == channels::StripAxis::Fixed);
  if (isVisible()) SyncWindowList();
  stack_->Changed();
}

void ChannelsWindow::PlaceBesideMain() {
  placed_ = true;
  if (parentWidget()) PlaceBeside(*this, *parentWidget()->window());
}

QImage ChannelsWindow::StackImage() { return stack_->grab().toImage(); }

void ChannelsWindow::keyReleaseEvent(QKeyEvent* event) {
  if (!event->isAutoRepeat()) {
    forward_(form::UserEvent::Key(VirtualKeyCode(event->key()), HeldKeys(event->modifiers(), event->key())));
  }
}

void ChannelsWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (page_.channelsView().shown()) forward_(form::UserEvent::Click("ChannelsMenu"));
}

// The file to save to, the stack's name proposed with `extension`; empty
// for none.
QString ChannelsWindow::AskWhere(const QString& title, const QString& extension,
                                 const QString& filter) {
  const QString proposed = Text(page_.channelsView().ExportName()) + extension;
  return chooseFile_ ? chooseFile_(title, proposed, filter)
                     : QFileDialog::getSaveFileName(this, title, proposed, filter);
}

void ChannelsWindow::SaveStack() {
  const QString path = AskWhere(tr("Save Picture"), ".png", tr("PNG images (*.png)"));
  if (path.isEmpty()) return;
  QString why;
  if (!SavePng(path, StackImage(), why)) emit writeFailed(path, why);
}

void ChannelsWindow::ExportTable() {
  const QString path = AskWhere(tr("Export Data"), ".csv", tr("CSV files (*.csv)"));
  if (path.isEmpty()) return;
  QString why;
  if (!SaveBytes(path, QByteArray::fromStdString(page_.channelsView().DataCsv()), why)) {
    emit writeFailed(path, why);
  }
}

}  // namespace zelk::app
