#include "text_file.h"

#include <filesystem>
#include <fstream>

namespace gravlin::storage {

std::optional<std::string> readWholeFile(const std::string& path, std::size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text;
    char buffer[64 * 1024];
    while (true) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<std::size_t>(in.gcount());
        if (text.size() + got > maxBytes) return std::nullopt;
        text.append(buffer, got);
        if (in.eof()) break;
        if (!in) return std::nullopt;  // e.g. a folder: it opens, but reading fails
    }
    if (in.bad()) return std::nullopt;
    return text;
}

bool writeWholeFile(const std::string& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}

bool fileExists(const std::string& path) {
    // A file that exists but may not be read still must not be replaced without asking.
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::path(path), ec)) return true;
    std::ifstream in(path, std::ios::binary);
    return static_cast<bool>(in);
}

}  // namespace gravlin::storage
