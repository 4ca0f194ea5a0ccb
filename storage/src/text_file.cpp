#include "text_file.h"

#include <filesystem>
#include <fstream>

namespace gravlin::storage {

namespace {
// Paths are UTF-8 text; read as such they also name files with umlauts where the system's
// narrow encoding is another (Windows).
std::filesystem::path fsPath(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}
}  // namespace

std::optional<std::string> readWholeFile(const std::string& path, std::size_t maxBytes) {
    std::ifstream in(fsPath(path), std::ios::binary);
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
    std::ofstream out(fsPath(path), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}

bool fileExists(const std::string& path) {
    // A file that exists but may not be read still must not be replaced without asking.
    std::error_code ec;
    if (std::filesystem::exists(fsPath(path), ec)) return true;
    std::ifstream in(fsPath(path), std::ios::binary);
    return static_cast<bool>(in);
}

}  // namespace gravlin::storage
