// The fault and sensor lamps beside the graph and the bit display on it.
#include "form/user_page.h"
#include "status/bit_pattern.h"
#include "status/fault_lamps.h"

namespace zelk::form {

void UserPage::LoadFaultCodes() {
  const std::array<bool, status::kLampCount> red = status::LampStates(log_);
  for (int i = 0; i < status::kLampCount; ++i) {
    controls_(ctl::FaultGreen, i).state.visible = !red[i];
    controls_(ctl::FaultRed, i).state.visible = red[i];
  }
}

void UserPage::DoBits(std::string_view byteText) {
  const std::array<bool, 8> set = status::BitPattern(byteText);
  for (int k = 0; k < 8; ++k) {
    controls_(ctl::Bit, k).state.visible = set[k];
    controls_(ctl::BitClear, k).state.visible = !set[k];
  }
}

}  // namespace zelk::form
