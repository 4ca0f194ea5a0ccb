#include "gravlin/storage/saved_game_format.h"

#include "gravlin/storage/limits.h"
#include "gravlin/storage/text_lines.h"

namespace gravlin::storage {

namespace {

constexpr std::string_view kCrLf = "\r\n";

void appendBool(std::string& out, bool value) { out += value ? "#TRUE#" : "#FALSE#"; }

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A whole number within [lo, hi]; anything else, however long, is refused.
std::optional<int> parseInt(std::string_view field, int lo, int hi) {
    field = trimBlanks(field);
    bool negative = false;
    if (!field.empty() && (field.front() == '-' || field.front() == '+')) {
        negative = field.front() == '-';
        field.remove_prefix(1);
    }
    if (field.empty()) return std::nullopt;
    long long value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 1'000'000) return std::nullopt;  // far beyond any limit; stops growth
    }
    if (negative) value = -value;
    if (value < lo || value > hi) return std::nullopt;
    return static_cast<int>(value);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != b[i]) return false;
    }
    return true;
}

std::optional<bool> parseBool(std::string_view field) {
    field = trimBlanks(field);
    if (equalsIgnoringCase(field, "#TRUE#")) return true;
    if (equalsIgnoringCase(field, "#FALSE#")) return false;
    return std::nullopt;
}

std::optional<SavedGame> refuse(std::string* why, std::string reason) {
    if (why) *why = std::move(reason);
    return std::nullopt;
}

}  // namespace

std::string formatSavedGame(const SavedGame& game) {
    std::string out;
    const std::size_t cells = game.width > 0 && game.height > 0 ? static_cast<std::size_t>(game.width) * game.height : 0;
    out.reserve(32 + cells * 40);
    for (int value : {int{game.width}, int{game.height}, int{game.mines}}) {
        out += std::to_string(value);
        out += kCrLf;
    }
    for (std::size_t i = 0; i < cells && i < game.cells.size(); ++i) {
        const SavedCell& c = game.cells[i];
        appendBool(out, c.is_mine);
        out += ',';
        out += std::to_string(c.mines_around);
        out += ',';
        out += std::to_string(c.rest_around);
        out += ',';
        appendBool(out, c.marked);
        out += ',';
        appendBool(out, c.visible);
        out += ',';
        appendBool(out, c.done);
        out += kCrLf;
    }
    return out;
}

std::optional<SavedGame> parseSavedGame(std::string_view text, std::string* why) {
    const std::vector<std::string_view> lines = splitLines(text);
    if (lines.size() < 3) return refuse(why, "header cut short");
    const auto width = parseInt(lines[0], kMinSide, kMaxWidth);
    if (!width) return refuse(why, "width");
    const auto height = parseInt(lines[1], kMinSide, kMaxHeight);
    if (!height) return refuse(why, "height");
    const int cellCount = *width * *height;
    const auto mines = parseInt(lines[2], 0, cellCount);
    if (!mines) return refuse(why, "mines");
    if (lines.size() < 3 + static_cast<std::size_t>(cellCount)) return refuse(why, "cells cut short");

    SavedGame game;
    game.width = static_cast<std::int16_t>(*width);
    game.height = static_cast<std::int16_t>(*height);
    game.mines = static_cast<std::int16_t>(*mines);
    game.cells.reserve(static_cast<std::size_t>(cellCount));
    for (int L = 0; L < cellCount; ++L) {
        std::string_view line = lines[3 + static_cast<std::size_t>(L)];
        std::string_view fields[6];
        int n = 0;
        while (true) {
            const std::size_t comma = line.find(',');
            if (n == 6) return refuse(why, "extra field in cell " + std::to_string(L));
            fields[n++] = line.substr(0, comma);
            if (comma == std::string_view::npos) break;
            line.remove_prefix(comma + 1);
        }
        if (n != 6) return refuse(why, "missing field in cell " + std::to_string(L));
        const auto isMine = parseBool(fields[0]);
        const auto around = parseInt(fields[1], 0, 8);
        const auto rest = parseInt(fields[2], -8, 8);
        const auto marked = parseBool(fields[3]);
        const auto visible = parseBool(fields[4]);
        const auto done = parseBool(fields[5]);
        if (!isMine || !around || !rest || !marked || !visible || !done)
            return refuse(why, "bad value in cell " + std::to_string(L));
        game.cells.push_back({*isMine, static_cast<std::int16_t>(*around), static_cast<std::int16_t>(*rest), *marked,
                              *visible, *done});
    }
    for (std::size_t i = 3 + static_cast<std::size_t>(cellCount); i < lines.size(); ++i) {
        if (!trimBlanks(lines[i]).empty()) return refuse(why, "text after the last cell");
    }
    return game;
}

}  // namespace gravlin::storage
