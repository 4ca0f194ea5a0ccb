#pragma once
// Text helpers every window shares: the line end of the program's texts and files, and
// UTF-8 checks for text that comes from outside.

#include <cstddef>
#include <string>
#include <string_view>

namespace gravlin {

// The program's name: the main window's title, and the title of its own message boxes.
inline constexpr const char* kProgramTitle = "Gravlin";

// Every text the program writes or shows ends its lines with CR LF.
inline constexpr const char* kCrLf = "\r\n";

// Length of the longest prefix of `text` that is well-formed UTF-8.
std::size_t validUtf8Prefix(std::string_view text);

// Every line break (CR LF, LF or a lone CR) becomes CR LF.
std::string withCrLf(std::string_view text);

}  // namespace gravlin
