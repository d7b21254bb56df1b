// The application's style with the scroll bars and tick boxes as large as
// the form's scale makes them: a form drawn at three times its size gets
// scroll bars three times as wide, not the style's fixed few pixels; and
// menu items wide enough for their text in a menu's large font.
#pragma once

#include <QProxyStyle>

namespace zelk::app {

class ScaledStyle : public QProxyStyle {
 public:
  void setScale(double scale) { scale_ = scale; }
  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;

 private:
  double scale_ = 1;
};

// The application's scaled style, installed the first time it is asked for.
ScaledStyle& AppStyle();

}  // namespace zelk::app
