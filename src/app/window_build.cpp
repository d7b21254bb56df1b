// Building the window: one widget for each control of the layout table, its
// font, tooltip and place among its container's children, each connected so
// that the user's events on it reach the page.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>
#include <map>

#include "app/canvas_widget.h"
#include "app/channels_window.h"
#include "app/colours.h"
#include "app/control_widgets.h"
#include "app/listing_box.h"
#include "app/main_window.h"
#include "app/pictures.h"
#include "app/scaled_style.h"
#include "app/values_window.h"
#include "app/window_helpers.h"
#include "app/key_codes.h"
#include "form/key_codes.h"

namespace zelk::app {
namespace {

using form::Control;
using form::ControlSpec;
using form::Kind;

// The fonts the program names, as the metric-compatible families installed
// with it.
QString Family(const std::string& name) {
  if (name == "Times New Roman") return QStringLiteral("Liberation Serif");
  if (name == "Courier New") return QStringLiteral("Liberation Mono");
  if (name == "MS Sans Serif") return QStringLiteral("Liberation Sans");
  return Text(name);
}

// Sizes in pixels at 96 per inch, so that text keeps to the controls' twip
// sizes whatever the screen's density, times the form's scale.
QFont MakeFont(const form::Font& font, double scale) {
  QFont qfont(Family(font.family));
  qfont.setPixelSize(qMax(1, qRound(font.points * 96 / 72 * scale)));
  qfont.setBold(font.bold);
  // A fixed-pitch font draws each character as one glyph of one width: its
  // text needs no shaping, which is most of the time a long listing takes
  // to lay out.
  if (font.family == "Courier New") qfont.setStyleStrategy(QFont::PreferNoShaping);
  return qfont;
}

// The window's own font, which controls without one take.
const form::Font kWindowFont{"Times New Roman", 9.75, true};

// Labels and images are drawn on their container itself, so every other
// control in the same container lies over them.
bool DrawnOnContainer(Kind kind) { return kind == Kind::Label || kind == Kind::Image; }

}  // namespace

void MainWindow::Build() {
  // The form lies centred in the window's central area, never smaller than
  // its design size; around it the window's green.
  auto* stage = new Panel(this);
  stage->setFill(FromBgr(form::kWindowBack));
  stage_ = stage;
  stage_->setMinimumSize(Pixels(form::kClientWidth, 1), Pixels(form::kClientHeight, 1));
  setCentralWidget(stage_);
  auto* client = new Panel(stage_);
  client->setFill(FromBgr(form::kWindowBack));
  client->resize(stage_->minimumSize());
  client->setFont(MakeFont(kWindowFont, 1));
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
      bound.action->setCheckable(design.checkable);
      if (!design.shortcut.empty()) {
        bound.action->setShortcut(QKeySequence(Text(design.shortcut)));
      }
      const std::string name = design.name;
      if (name == form::ctl::FullScreenMenu.name) {
        bound.action->setCheckable(true);
        connect(bound.action, &QAction::triggered, this, [this] { ToggleFullScreen(); });
      } else {
        connect(bound.action, &QAction::triggered, this, [this, name] { ForwardClick(name); });
      }
      if (name == form::ctl::OpenMenu.name) {
        recentMenu_ = menu->addMenu(tr("Recent Files"));
        connect(recentMenu_, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
      }
      if (name == form::ctl::CompareMenu.name) {
        compareRecentMenu_ = menu->addMenu(tr("Compare With Recent"));
        connect(compareRecentMenu_, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
      }
      continue;
    }

    QWidget* parent = containers_.value(container, client);
    const form::Font inherited = containerFonts.value(container, kWindowFont);
    const form::Font& font = design.font.family.empty() ? inherited : design.font;
    QWidget* widget = MakeWidget(design, parent);
    widget->setObjectName(key);
    widget->setFont(MakeFont(font, 1));
    bound.font = font;
    // A file dropped anywhere on the window opens it: no control takes the
    // drop's text for itself.
    widget->setAcceptDrops(false);
    if (!design.toolTip.empty()) widget->setToolTip(Text(design.toolTip));
    bound.toolTip = design.toolTip;
    bound.widget = widget;
    if (design.kind == Kind::Picture) {
      containerFonts.insert(key, font);
      if (!containers_.contains(key)) containers_.insert(key, widget);
    }
  }
  StackLabelsBelow();
  FillRecentMenu();
}

// The form drawn `scale` times its design size: fonts, frames and pictures
// made again at that size (each picture drawn once), then every place.
void MainWindow::ApplyScale(double scale) {
  scale_ = scale;
  client_->setFont(MakeFont(kWindowFont, scale));
  std::map<form::Art, QPixmap> pictures;
  const auto picture = [&pictures, scale](form::Art art) -> const QPixmap& {
    auto found = pictures.find(art);
    if (found == pictures.end()) found = pictures.emplace(art, ArtPixmap(art, scale)).first;
    return found->second;
  };
  const std::vector<ControlSpec>& table = form::LayoutTable();
  for (size_t i = 0; i < table.size(); ++i) {
    QWidget* widget = bound_[i].widget;
    if (!widget) continue;
    const ControlSpec& design = table[i];
    widget->setFont(MakeFont(bound_[i].font, scale));
    // The borders drawn by the form itself (Build gives them 1 and 2 pixels).
    if (design.border && (design.kind == Kind::Label || design.kind == Kind::Picture)) {
      const int width = design.kind == Kind::Picture ? 2 : 1;
      static_cast<QFrame*>(widget)->setLineWidth(qMax(1, qRound(width * scale)));
    }
    if (design.kind == Kind::Image) static_cast<QLabel*>(widget)->setPixmap(picture(design.art));
    if (design.kind == Kind::Picture && design.art != form::Art::None) {
      static_cast<Panel*>(widget)->setPicture(picture(design.art));
    }
    if (auto* caption = qobject_cast<TimeCaption*>(widget)) caption->setScale(scale);
  }
  canvas_->SetScale(scale);
  // The scroll bars inside the lists and boxes grow with the form: each
  // lays out its bars again for the style's new width.
  AppStyle().setScale(scale);
  for (auto* area : client_->findChildren<QAbstractScrollArea*>()) {
    QEvent changed(QEvent::StyleChange);
    QApplication::sendEvent(area, &changed);
  }
  Sync();
}

QFont MainWindow::PanelFont() const {
  static const QFont base = QApplication::font();
  QFont font = base;
  if (base.pointSizeF() > 0) {
    font.setPointSizeF(base.pointSizeF() * panelScale_);
  } else if (base.pixelSize() > 0) {
    font.setPixelSize(qRound(base.pixelSize() * panelScale_));
  }
  return font;
}

QWidget* MainWindow::MakeLabel(const ControlSpec& design, QWidget* parent) {
  auto* label = design.name == form::ctl::YLabel.name ? new TimeCaption(parent, design.left)
                                                      : new QLabel(parent);
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

QWidget* MainWindow::MakePicture(const ControlSpec& design, const std::string& key,
                                 QWidget* parent) {
  auto* panel = new Panel(parent);
  if (design.border) {
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
  }
  if (design.name == kCanvasName) {
    // The canvas fills the picture box inside its border; what the picture
    // box holds lies over the canvas.
    canvas_ = new CanvasWidget(panel);
    connect(canvas_, &CanvasWidget::leftPressed, this,
            [this](QPointF twips, Qt::KeyboardModifiers modifiers) {
              Forward(form::UserEvent::ClickAt(twips.x(), twips.y(), HeldKeys(modifiers)));
            });
    connect(canvas_, &CanvasWidget::dragged, this,
            [this](double x1, double x2) { Forward(form::UserEvent::Drag(x1, x2)); });
    connect(canvas_, &CanvasWidget::wheeled, this,
            [this](double x, int steps) { Forward(form::UserEvent::Wheel(x, steps)); });
    connect(canvas_, &CanvasWidget::panned, this,
            [this](int steps) { Forward(form::UserEvent::Pan(steps)); });
    // The right button goes back as Backspace does.
    connect(canvas_, &CanvasWidget::rightPressed, this,
            [this] { Forward(form::UserEvent::Key(form::key::kBackspace)); });
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(canvas_);
    containers_.insert(Text(key), canvas_);
  } else {
    // A picture box with no colour of its own has the button face's.
    panel->setFill(design.backColour == form::kNoColour ? palette().color(QPalette::Button)
                                                        : Resolve(design.backColour, palette()));
    panel->setPicture(ArtPixmap(design.art));
  }
  connect(panel, &Panel::clicked, this, [this, key] { ForwardClick(key); });
  return panel;
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
    case Kind::Label:
      return MakeLabel(design, parent);
    case Kind::TextBox: {
      auto* box = new QLineEdit(parent);
      connect(box, &QLineEdit::textEdited, this, [this, key](const QString& text) {
        Forward(form::UserEvent::Type(key, text.toStdString()));
      });
      return box;
    }
    case Kind::ListingBox: {
      auto* listing = new ListingBox(parent);
      listing->setReadOnly(true);
      listing->setUndoRedoEnabled(false);  // the program's texts only, each replacing the last
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
    case Kind::Picture:
      return MakePicture(design, key, parent);
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

}  // namespace zelk::app
