#pragma once
#include <string_view>
#include <vector>

namespace gravlin::storage {

// Splits text into lines. A line ends at CR LF, a lone CR or a lone LF; the last line needs
// no line end, and a line end at the very end does not start another line. A UTF-8
// byte-order mark at the start is dropped. The views point into `text`.
std::vector<std::string_view> splitLines(std::string_view text);

}  // namespace gravlin::storage
