#include "app/values_window.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/window_helpers.h"

namespace zelk::app {

ValuesWindow::ValuesWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool), heading_(new QLabel(this)), list_(new QTreeWidget(this)) {
  setWindowTitle(tr("Values at Marker"));
  // The keyboard stays with the main window, whose arrow keys move the marker.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  list_->setFocusPolicy(Qt::NoFocus);
  list_->setColumnCount(3);
  list_->setHeaderLabels({tr("Quantity"), tr("Value"), tr("Unit")});
  list_->setRootIsDecorated(false);
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  heading_->setTextFormat(Qt::PlainText);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addWidget(list_);
  resize(360, 420);
}

void ValuesWindow::Show(const form::ValuesView& view) {
  if (view == shown_ && isVisible() == view.shown) return;
  if (view.heading != shown_.heading) heading_->setText(Text(view.heading));
  if (view.rows != shown_.rows) {
    list_->clear();
    for (const auto& row : view.rows) {
      auto* item =
          new QTreeWidgetItem(list_, {Text(row.quantity), Text(row.value), Text(row.unit)});
      item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
  }
  shown_ = view;
  if (isVisible() == view.shown) return;
  // First shown beside the main window, where the screen has room for it.
  if (view.shown && !placed_ && parentWidget()) {
    placed_ = true;
    PlaceBeside(*this, *parentWidget()->window());
  }
  setVisible(view.shown);
}

void ValuesWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (shown_.shown) emit closedByUser();
}

}  // namespace zelk::app
