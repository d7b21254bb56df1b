#include "app/scaled_style.h"

#include <QApplication>
#include <QStyleOption>

namespace zelk::app {

int ScaledStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
  const int base = QProxyStyle::pixelMetric(metric, option, widget);
  switch (metric) {
    case PM_ScrollBarExtent:
    case PM_ScrollBarSliderMin:
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
      return qRound(base * scale_);
    default:
      return base;
  }
}

// The base style sizes a menu item with margins of fixed pixels but paints
// it with margins that grow with the font, so that in a large font a long
// item without a shortcut ("Version" under "About  F1") is cut short with
// an ellipsis. A line's height more of width covers the difference.
QSize ScaledStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                    const QSize& size, const QWidget* widget) const {
  QSize sized = QProxyStyle::sizeFromContents(type, option, size, widget);
  if (type == CT_MenuItem && option) sized.rwidth() += option->fontMetrics.height();
  return sized;
}

ScaledStyle& AppStyle() {
  if (auto* style = dynamic_cast<ScaledStyle*>(QApplication::style())) return *style;
  auto* style = new ScaledStyle;
  QApplication::setStyle(style);
  return *style;
}

}  // namespace zelk::app
