#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gravlin::storage {

// The whole file, or nothing when it cannot be opened or read or is longer than maxBytes.
std::optional<std::string> readWholeFile(const std::string& path, std::size_t maxBytes);

// Replaces the file's content; false when it cannot be created or written.
bool writeWholeFile(const std::string& path, std::string_view text);

// Something answers to the name: a file we could read, or one we may not.
bool fileExists(const std::string& path);

}  // namespace gravlin::storage
