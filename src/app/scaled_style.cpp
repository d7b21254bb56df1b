#include "app/scaled_style.h"

#include <QApplication>

namespace zelk::app {

int ScaledStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
  const int base = QProxyStyle::pixelMetric(metric, option, widget);
  switch (metric) {
    case PM_ScrollBarExtent:
    case PM_ScrollBarSliderMin:
      return qRound(base * scale_);
    default:
      return base;
  }
}

ScaledStyle& AppStyle() {
  if (auto* style = dynamic_cast<ScaledStyle*>(QApplication::style())) return *style;
  auto* style = new ScaledStyle;
  QApplication::setStyle(style);
  return *style;
}

}  // namespace zelk::app
