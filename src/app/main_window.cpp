#include "app/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>

#include "app/canvas_widget.h"
#include "app/colours.h"
#include "app/control_widgets.h"
#include "app/key_codes.h"
#include "app/pictures.h"
#include "app/save_file.h"

namespace zelk::app {
namespace {

using form::Control;
using form::ControlSpec;
using form::ControlState;
using form::Kind;

constexpr double kTwipsPerPixel = 15;
constexpr const char* kCanvasName = "Picture1";

int Pixels(double twips) { return qRound(twips / kTwipsPerPixel); }

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// The first local file of a drop, or empty when it holds none.
QString DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

// The fonts the program names, as the metric-compatible families installed
// with it.
QString Family(const std::string& name) {
  if (name == "Times New Roman") return QStringLiteral("Liberation Serif");
  if (name == "Courier New") return QStringLiteral("Liberation Mono");
  if (name == "MS Sans Serif") return QStringLiteral("Liberation Sans");
  return Text(name);
}

// Sizes in pixels at 96 per inch, so that text keeps to the controls' twip
// sizes whatever the screen's density.
QFont MakeFont(const form::Font& font) {
  QFont qfont(Family(font.family));
  qfont.setPixelSize(qMax(1, qRound(font.points * 96 / 72)));
  qfont.setBold(font.bold);
  return qfont;
}

// The window's own font, which controls without one take.
const form::Font kWindowFont{"Times New Roman", 9.75, true};

// Labels and images are drawn on their container itself, so every other
// control in the same container lies over them.
bool DrawnOnContainer(Kind kind) { return kind == Kind::Label || kind == Kind::Image; }

QStringList ToStrings(const std::vector<std::string>& items) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) list.push_back(Text(item));
  return list;
}

// Puts the entries into a combo box or list widget when they changed since
// they were last shown; true when it did.
template <class ListWidget>
bool ReplaceItems(ListWidget* widget, std::vector<std::string>& shown,
                  const std::vector<std::string>& items) {
  if (shown == items) return false;
  shown = items;
  widget->clear();
  widget->addItems(ToStrings(items));
  return true;
}

// The time axis's caption spaces its times with runs of blanks; where the
// font sets them wider than the caption's label, the runs are narrowed so
// that every time stays on the one line under the graph.
void FitOnOneLine(QWidget* label, const QString& caption, int width) {
  QFont font = label->font();
  font.setWordSpacing(0);
  const int natural = QFontMetrics(font).horizontalAdvance(caption);
  // The font's word spacing applies once to each run of blanks.
  int gaps = 0;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char(' ') && (i == 0 || caption[i - 1] != QLatin1Char(' '))) ++gaps;
  }
  if (natural >= width && gaps > 0) {
    font.setWordSpacing(static_cast<qreal>(width - 1 - natural) / gaps);
  }
  if (font != label->font()) label->setFont(font);
}

void SetPaletteColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  if (palette.color(role) == colour) return;
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

}  // namespace

MainWindow::MainWindow(const QString& programDir, QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QString::fromUtf8(form::kProgramTitle));
  setWindowIcon(WindowIcon());
  setAcceptDrops(true);
  Build();
  drawing_ = std::make_unique<chart::RecordingCanvas>(canvas_, false);
  page_ = std::make_unique<form::UserPage>(*drawing_, programDir.toStdString());
  page_->Form_Load();
  qApp->installEventFilter(this);
  Sync();
  ApplyFocus();
  // Messages from start-up wait until the window can be seen behind them.
  QTimer::singleShot(0, this, [this] { CarryOutRequests(); });
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

// ---- Building ----

void MainWindow::Build() {
  auto* client = new Panel(this);
  client->setFill(FromBgr(form::kWindowBack));
  client->setFixedSize(Pixels(form::kClientWidth), Pixels(form::kClientHeight));
  client->setFont(MakeFont(kWindowFont));
  setCentralWidget(client);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  client_ = client;
  containers_.insert(QString(), client);

  QHash<QString, form::Font> containerFonts{{QString(), kWindowFont}};
  const std::vector<ControlSpec>& table = form::LayoutTable();
  bound_.resize(table.size());
  for (size_t i = 0; i < table.size(); ++i) {
    const ControlSpec& design = table[i];
    Bound& bound = bound_[i];
    const QString key = Text(Control{design, {}}.Key());
    const QString container = Text(design.container);
    byKey_.insert(key, static_cast<int>(i));

    if (design.kind == Kind::Menu) {
      QMenu* menu = menuBar()->addMenu(Text(design.caption));
      menus_.insert(key, menu);
      bound.action = menu->menuAction();
      continue;
    }
    if (design.kind == Kind::MenuItem) {
      QMenu* menu = menus_.value(container);
      if (!menu) continue;
      bound.action = menu->addAction(Text(design.caption));
      if (!design.shortcut.empty()) {
        bound.action->setShortcut(QKeySequence(Text(design.shortcut)));
      }
      const std::string name = design.name;
      connect(bound.action, &QAction::triggered, this, [this, name] { ForwardClick(name); });
      continue;
    }

    QWidget* parent = containers_.value(container, client);
    const form::Font inherited = containerFonts.value(container, kWindowFont);
    const form::Font& font = design.font.family.empty() ? inherited : design.font;
    QWidget* widget = MakeWidget(design, parent);
    widget->setObjectName(key);
    widget->setFont(MakeFont(font));
    // A file dropped anywhere on the window opens it: no control takes the
    // drop's text for itself.
    widget->setAcceptDrops(false);
    if (!design.toolTip.empty()) widget->setToolTip(Text(design.toolTip));
    bound.widget = widget;
    if (design.kind == Kind::Picture) {
      containerFonts.insert(key, font);
      if (!containers_.contains(key)) containers_.insert(key, widget);
    }
  }
  StackLabelsBelow();
}

QWidget* MainWindow::MakeWidget(const ControlSpec& design, QWidget* parent) {
  const std::string name = design.name;
  const std::string key = Control{design, {}}.Key();
  switch (design.kind) {
    case Kind::Button: {
      auto* button = new QPushButton(parent);
      connect(button, &QAbstractButton::clicked, this, [this, key] { ForwardClick(key); });
      return button;
    }
    case Kind::Label: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignTop |
                          (design.align == form::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft));
      if (design.border) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
      }
      if (design.foreColour != form::kNoColour) {
        SetPaletteColour(label, QPalette::WindowText, FromBgr(design.foreColour));
      }
      return label;
    }
    case Kind::TextBox: {
      auto* box = new QLineEdit(parent);
      connect(box, &QLineEdit::textEdited, this, [this, key](const QString& text) {
        Forward(form::UserEvent::Type(key, text.toStdString()));
      });
      return box;
    }
    case Kind::ListingBox: {
      auto* listing = new QPlainTextEdit(parent);
      listing->setReadOnly(true);
      listing->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      listing->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      listing->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      return listing;
    }
    case Kind::ComboBox:
    case Kind::DriveList: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(false);
      connect(combo, &QComboBox::activated, this,
              [this, key](int index) { Forward(form::UserEvent::Select(key, index)); });
      return combo;
    }
    case Kind::Image: {
      auto* image = new ClickableLabel(parent);
      image->setPixmap(ArtPixmap(design.art));
      image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      connect(image, &ClickableLabel::clicked, this, [this, key] { ForwardClick(key); });
      return image;
    }
    case Kind::Picture: {
      auto* panel = new Panel(parent);
      if (design.border) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setLineWidth(2);
      }
      if (name == kCanvasName) {
        // The canvas fills the picture box inside its border; what the
        // picture box holds lies over the canvas.
        canvas_ = new CanvasWidget(panel);
        connect(canvas_, &CanvasWidget::leftPressed, this,
                [this](QPointF twips) { Forward(form::UserEvent::ClickAt(twips.x(), twips.y())); });
        auto* layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(canvas_);
        containers_.insert(Text(key), canvas_);
      } else {
        // A picture box with no colour of its own has the button face's.
        panel->setFill(design.backColour == form::kNoColour
                           ? palette().color(QPalette::Button)
                           : Resolve(design.backColour, palette()));
        panel->setPicture(ArtPixmap(design.art));
      }
      connect(panel, &Panel::clicked, this, [this, key] { ForwardClick(key); });
      return panel;
    }
    case Kind::ScrollBar: {
      auto* bar = new QScrollBar(Qt::Vertical, parent);
      bar->setRange(design.scrollMin, design.scrollMax);
      // The new position is known here but not yet the bar's value.
      connect(bar, &QAbstractSlider::actionTriggered, this, [this, key, bar](int) {
        Forward(form::UserEvent::Scroll(key, bar->sliderPosition()));
      });
      return bar;
    }
    case Kind::FolderList: {
      auto* list = new BrowserList(parent);
      connect(list, &QListWidget::itemActivated, this, [this, key, list](QListWidgetItem* item) {
        Forward(form::UserEvent::Select(key, list->row(item)));
      });
      return list;
    }
    case Kind::FileList: {
      auto* list = new FileListWidget(parent);
      const auto pick = [this, key](int row) { Forward(form::UserEvent::Select(key, row)); };
      connect(list, &QListWidget::itemClicked, this,
              [list, pick](QListWidgetItem* item) { pick(list->row(item)); });
      connect(list, &FileListWidget::rowPicked, this, pick);
      return list;
    }
    case Kind::Menu:
    case Kind::MenuItem:
      break;
  }
  return new QWidget(parent);
}

void MainWindow::StackLabelsBelow() {
  // Lowered last to first, labels and images keep their own order among
  // themselves beneath everything else of their container.
  const std::vector<ControlSpec>& table = form::LayoutTable();
  for (size_t i = table.size(); i-- > 0;) {
    if (bound_[i].widget && DrawnOnContainer(table[i].kind)) bound_[i].widget->lower();
  }
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

// ---- Events ----

void MainWindow::Forward(const form::UserEvent& event) {
  if (closing_) return;
  if (recordEvent_) recordEvent_(event.ToLine());
  page_->Apply(event);
  Sync();
  ApplyFocus();
  CarryOutRequests();
}

void MainWindow::ForwardClick(const std::string& key) { Forward(form::UserEvent::Click(key)); }

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    // A key event not taken by the widget with focus travels on to its
    // parents; it is one key-up all the same, counted where it starts.
    QWidget* first = focusWidget() ? focusWidget() : this;
    if (widget == first && !key->isAutoRepeat()) {
      Forward(form::UserEvent::Key(VirtualKeyCode(key->key())));
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString file = DroppedFile(event->mimeData());
  if (file.isEmpty()) return;
  event->acceptProposedAction();
  OpenLog(file);
}

// ---- Bringing the window up to date ----

void MainWindow::Sync() {
  const QString title = Text(page_->WindowTitle());
  if (windowTitle() != title) setWindowTitle(title);
  const std::vector<Control>& controls = page_->controls().all();
  for (size_t i = 0; i < controls.size() && i < bound_.size(); ++i) {
    SyncControl(controls[i], bound_[i]);
  }
}

void MainWindow::SyncGraph() {
  const std::vector<Control>& controls = page_->controls().all();
  for (size_t i = 0; i < controls.size() && i < bound_.size(); ++i) {
    if (controls[i].spec.container == kCanvasName) SyncControl(controls[i], bound_[i]);
  }
}

void MainWindow::SyncControl(const Control& control, Bound& bound) {
  const ControlSpec& design = control.spec;
  const ControlState& state = control.state;
  const QString caption = Text(state.caption);

  if (bound.action) {
    if (design.kind == Kind::MenuItem && bound.action->text() != caption) {
      bound.action->setText(caption);
    }
    if (bound.action->isVisible() != state.visible) bound.action->setVisible(state.visible);
    if (bound.action->isEnabled() != state.enabled) bound.action->setEnabled(state.enabled);
    return;
  }
  QWidget* widget = bound.widget;
  if (!widget) return;
  const QSignalBlocker blocker(widget);

  QRect place(Pixels(state.left), Pixels(state.top), Pixels(state.width), Pixels(state.height));
  if (design.name == "Label") {
    // A value-axis label is narrower than some captions the channels give it
    // ("Closed"); it grows to show the whole caption, into the free space
    // left of the axis.
    const int needed = widget->fontMetrics().horizontalAdvance(caption) + 1;
    if (needed > place.width()) place.setWidth(needed);
  } else if (design.name == "YLabel") {
    FitOnOneLine(widget, caption, place.width());
  }
  if (widget->geometry() != place) widget->setGeometry(place);

  const bool newColour = bound.backColour != state.backColour;
  bound.backColour = state.backColour;
  const bool hasColour = state.backColour != form::kNoColour;

  switch (design.kind) {
    case Kind::Button: {
      auto* button = static_cast<QPushButton*>(widget);
      if (button->text() != caption) button->setText(caption);
      if (newColour && hasColour) {
        SetPaletteColour(button, QPalette::Button, Resolve(state.backColour, palette()));
      }
      break;
    }
    case Kind::Label: {
      auto* label = static_cast<QLabel*>(widget);
      if (label->text() != caption) label->setText(caption);
      if (newColour) {
        label->setAutoFillBackground(hasColour);
        if (hasColour) {
          SetPaletteColour(label, QPalette::Window, Resolve(state.backColour, palette()));
        }
      }
      break;
    }
    case Kind::TextBox: {
      auto* box = static_cast<QLineEdit*>(widget);
      if (box->text() != caption) {
        // A text set by the program is shown from its start.
        box->setText(caption);
        box->setCursorPosition(0);
      }
      if (newColour && hasColour) {
        SetPaletteColour(box, QPalette::Base, Resolve(state.backColour, palette()));
      }
      break;
    }
    case Kind::ListingBox: {
      auto* listing = static_cast<QPlainTextEdit*>(widget);
      if (bound.text != state.caption) {
        bound.text = state.caption;
        listing->setPlainText(caption);
      }
      if (newColour && hasColour) {
        SetPaletteColour(listing, QPalette::Base, Resolve(state.backColour, palette()));
      }
      break;
    }
    case Kind::ComboBox:
    case Kind::DriveList: {
      auto* combo = static_cast<QComboBox*>(widget);
      ReplaceItems(combo, bound.items, state.items);
      if (combo->currentIndex() != state.index) combo->setCurrentIndex(state.index);
      break;
    }
    case Kind::FolderList:
    case Kind::FileList: {
      auto* list = static_cast<QListWidget*>(widget);
      // The file list always shows the file the program holds. In the folder
      // list the user may move the highlight between two folder changes (a
      // folder is entered on a double click or Enter), so its row is set
      // only when the program changes it.
      const bool changed =
          ReplaceItems(list, bound.items, state.items) || bound.index != state.index;
      if (changed || (design.kind == Kind::FileList && list->currentRow() != state.index)) {
        bound.index = state.index;
        list->setCurrentRow(state.index);
        if (state.index < 0) list->clearSelection();
        if (state.index >= 0) list->scrollToItem(list->item(state.index));
      }
      break;
    }
    case Kind::ScrollBar: {
      auto* bar = static_cast<QScrollBar*>(widget);
      // During the user's action the bar already stands at its new position;
      // one the program did not take goes back to the value it keeps.
      if (bar->value() != state.value || bar->sliderPosition() != state.value) {
        bar->setValue(state.value);
      }
      break;
    }
    case Kind::Picture: {
      if (newColour && hasColour && design.name != kCanvasName) {
        static_cast<Panel*>(widget)->setFill(Resolve(state.backColour, palette()));
      }
      break;
    }
    case Kind::Image:
    case Kind::Menu:
    case Kind::MenuItem:
      break;
  }

  if (widget->isHidden() == state.visible) widget->setVisible(state.visible);
}

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
    box.exec();
  };
  // A program that cannot be started is reported like any other message;
  // this one keeps running.
  for (const std::string& program : page_->TakeStarted()) {
    if (!QProcess::startDetached(Text(program), {})) page_->ProgramNotStarted(program);
  }
  if (const auto request = page_->TakeSaveRequest()) SaveAsked(*request);
  for (const form::Message& message : page_->TakeMessages()) {
    show(Text(message.title), Text(message.text));
  }
  if (page_->exitRequested() && !closing_) {
    closing_ = true;
    close();
  }
}

// Asks where to save, proposing the page's path, and writes the graph as on
// screen or the data table; a failure goes back to the page to be reported.
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
  if (!saved) page_->WriteFailed(path.toStdString(), problem.toStdString());
}

}  // namespace zelk::app
