// The frame drawn before every graph and the value-axis labels.
#include "chart/plot.h"
#include "form/user_page.h"

namespace zelk::form {

void UserPage::DrawGraph() {
  controls_("ScreenTitle").state.top = 120;
  controls_("InfoLabel").state.width = 0;
  canvas_.Clear();
  canvas_.SetLineWidth(1);
  canvas_.DrawLine(chart::kAxisX, chart::kAxisTop, chart::kAxisX, chart::kAxisBottom, chart::kBlue);
  canvas_.DrawLine(chart::kAxisX, chart::kAxisBottom, chart::kAxisRight, chart::kAxisBottom,
                   chart::kBlue);
  canvas_.SetLineWidth(2);
  controls_("YLabel").state.visible = true;
}

// The left edge of a value-axis label is always 50, whatever the caller asks.
void UserPage::DoLabel(int index, std::string_view caption, int /*left*/, int top) {
  ControlState& label = controls_("Label", index).state;
  label.caption = caption;
  label.visible = true;
  label.top = top;
  label.left = 50;
}

}  // namespace zelk::form
