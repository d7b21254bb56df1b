#include "app/values_window.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
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
  if (view.heading != shown_.heading || view.secondHeading != shown_.secondHeading) {
    heading_->setText(view.secondHeading.empty()
                          ? Text(view.heading)
                          : Text(view.heading) + '\n' + Text(view.secondHeading));
  }
  if (view.rows != shown_.rows || view.compared != shown_.compared) {
    const bool compared = !view.compared.empty();
    list_->clear();
    list_->setColumnCount(compared ? 5 : 3);
    QStringList headings{tr("Quantity"), tr("Value"), tr("Unit")};
    if (compared) headings << tr("Second log") << tr("Difference");
    list_->setHeaderLabels(headings);
    for (size_t r = 0; r < view.rows.size(); ++r) {
      const channels::ValueRow& row = view.rows[r];
      QStringList texts{Text(row.quantity), Text(row.value), Text(row.unit)};
      if (r < view.compared.size()) {
        const channels::ComparedValue& both = view.compared[r];
        texts << Text(form::SecondText(both)) << Text(both.difference);
      }
      auto* item = new QTreeWidgetItem(list_, texts);
      for (const int column : {1, 3, 4}) {
        item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
      }
    }
    // Wide enough for every column: the second log's two add to the three.
    for (int column = 0; column < list_->columnCount(); ++column) {
      list_->resizeColumnToContents(column);
    }
    const int wanted = list_->header()->length() + list_->frameWidth() * 2 +
                       list_->verticalScrollBar()->sizeHint().width() +
                       layout()->contentsMargins().left() + layout()->contentsMargins().right();
    if (compared && width() < wanted) resize(wanted, height());
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
