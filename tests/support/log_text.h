// Log texts that the tests write.
#pragma once

#include <string>
#include <vector>

namespace zelk::testlogs {

std::string Frame80(int rpm, int byte13 = 0);  // a full 0x80 frame text
std::string Frame7D(int byte11 = 0x80);        // a full 0x7D frame text
// A frame log of `samples` alternating 0x80/0x7D pairs with the given speeds
// (cycled), lines joined by `eol`; `extra80` more 0x80 frames at the end.
std::string FrameLog(int samples, const std::vector<int>& rpms, const std::string& eol = "\r\n",
                     int extra80 = 0);

}  // namespace zelk::testlogs
