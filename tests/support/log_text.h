// Log texts that the tests write.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zelk::testlogs {

using Texts = std::vector<std::string>;

// Writes `bytes` to `path`, making its folder as needed; gives back the path.
std::string WriteFile(const std::filesystem::path& path, std::string_view bytes);
// The bytes of the file at `path`; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

// The pieces of `text` between separators: "1||0" holds "1", "" and "0".
Texts Split(const std::string& text, char separator = '|');

// A frame log of `samples` alternating 0x80/0x7D pairs with the given speeds
// (cycled), 0x7D frames holding 20 in byte 0 and 80 in byte 11, lines joined
// by `eol`; `extra80` more 0x80 frames at the end.
std::string FrameLog(int samples, const std::vector<int>& rpms, const std::string& eol = "\r\n",
                     int extra80 = 0);

// Two upper-case hexadecimal digits of a byte: 0x3E -> "3E".
std::string Hex(int value);
// A frame text: its code, two blanks, then its bytes (the first being the
// size byte, their count - 1), all "00" but those given by their index; a
// given text is put in as it is, so it may be lower case or no hexadecimal
// at all.
std::string Frame80With(const std::map<int, std::string>& bytes);  // 29 bytes
std::string Frame7DWith(const std::map<int, std::string>& bytes);  // 32 bytes
// A frame log of 0x80 and 0x7D texts taken pairwise; the shorter list is
// made up with full frames of zeros.
std::string FrameLogOf(const std::vector<std::string>& frames80,
                       const std::vector<std::string>& frames7D);
// Column logs of one row per sample: `columns` maps a column number to its
// texts, row by row; every other value is "0". Row r records time r.
std::string TimeLog(const std::map<int, std::vector<std::string>>& columns);       // 31 values
std::string ShortTimeLog(const std::map<int, std::vector<std::string>>& columns);  // 10 values

}  // namespace zelk::testlogs
