#pragma once

#include <string_view>

namespace gravlin::engine {

// Appends "YYYY-MM-DD hh:mm:ss.mmm text" and a line end to the file; failures are ignored.
void appendTrace(const char* fileName, std::string_view text);

}  // namespace gravlin::engine
