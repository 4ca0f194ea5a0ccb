#pragma once

#include <string_view>

namespace gravlin::engine {

// Appends "YYYY-MM-DD hh:mm:ss.mmm text" and a line end to the file, created when missing.
// Only a regular file is written, never through a link, and nothing waits: any other kind of
// file under that name, like every other failure, is ignored.
void appendTrace(const char* fileName, std::string_view text);

}  // namespace gravlin::engine
