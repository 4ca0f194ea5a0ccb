#include "gravlin/storage/saved_game_format.h"

#include "byte_reader.h"
#include "gravlin/game/limits.h"
#include "gravlin/text.h"

namespace gravlin::storage {

namespace {

void appendBool(std::string& out, bool value) {
    out += value ? "#TRUE#" : "#FALSE#";
}

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
    const std::size_t cells =
        game.width > 0 && game.height > 0 ? static_cast<std::size_t>(game.width) * game.height : 0;
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

// The values are list items separated by commas and line breaks, read in the order they
// were written: lines of nothing but blanks are passed over, and a line end counts once
// however it is written (a CR LF pair reads as a line end and an empty line). An item keeps
// only what it needs to be told apart: blanks around it are dropped, a run of blanks inside
// becomes one blank, a run of leading zeros one zero, and an item longer than any valid
// one reads as invalid and ends the reading. So no file, however large, makes an item grow.
class ItemReader {
  public:
    explicit ItemReader(ByteSource& source) : in_(source) { in_.skipByteOrderMark(); }

    std::optional<std::string_view> next() {
        item_.clear();
        bool blankInside = false;
        while (true) {
            if (item_.empty() && !lineOpen_) in_.skipWhile(isBlankOrLineEnd);
            const int c = in_.get();
            if (c == ByteReader::kEnd) {
                if (item_.empty() && !lineOpen_) return std::nullopt;
                lineOpen_ = false;
                return item_;
            }
            if (c == '\r' || c == '\n' || c == ',') {
                lineOpen_ = c == ',';
                return item_;
            }
            if (c == ' ' || c == '\t') {
                blankInside = !item_.empty();
                in_.skipWhile(isBlank);
                continue;
            }
            if (blankInside) item_ += ' ';
            blankInside = false;
            item_ += static_cast<char>(c);
            // Nothing valid is this long; the reading ends with this item.
            if (item_.size() > kLongestItem) return std::string_view("#");
            if (isLeadingZero()) in_.skipWhile([](char z) { return z == '0'; });
        }
    }

  private:
    static bool isBlank(char c) { return c == ' ' || c == '\t'; }
    static bool isBlankOrLineEnd(char c) { return isBlank(c) || c == '\r' || c == '\n'; }

    bool isLeadingZero() const {
        const std::size_t n = item_.size();
        return (n == 1 && item_[0] == '0') ||
               (n == 2 && (item_[0] == '-' || item_[0] == '+') && item_[1] == '0');
    }

    // Longer than "#FALSE#" and any number the limits allow.
    static constexpr std::size_t kLongestItem = 16;
    ByteReader in_;
    std::string item_;
    bool lineOpen_ = false;  // a comma came, so the line holds one more item, perhaps empty
};

std::optional<SavedGame> parseSavedGame(std::string_view text, std::string* why) {
    TextSource source(text);
    return readSavedGame(source, why);
}

std::optional<SavedGame> readSavedGame(ByteSource& source, std::string* why) {
    ItemReader items(source);
    auto readInt = [&items](int lo, int hi) -> std::optional<int> {
        const auto item = items.next();
        return item ? parseInt(*item, lo, hi) : std::nullopt;
    };
    auto readBool = [&items]() -> std::optional<bool> {
        const auto item = items.next();
        return item ? parseBool(*item) : std::nullopt;
    };
    const auto width = readInt(kMinSide, kMaxWidth);
    if (!width) return refuse(why, "width");
    const auto height = readInt(kMinSide, kMaxHeight);
    if (!height) return refuse(why, "height");
    const int cellCount = *width * *height;
    const auto mines = readInt(0, cellCount);
    if (!mines) return refuse(why, "mines");

    SavedGame game;
    game.width = static_cast<std::int16_t>(*width);
    game.height = static_cast<std::int16_t>(*height);
    game.mines = static_cast<std::int16_t>(*mines);
    game.cells.reserve(static_cast<std::size_t>(cellCount));
    for (int L = 0; L < cellCount; ++L) {
        const auto isMine = readBool();
        const auto around = readInt(0, 8);
        const auto rest = readInt(-8, 8);
        const auto marked = readBool();
        const auto visible = readBool();
        const auto done = readBool();
        if (!isMine || !around || !rest || !marked || !visible || !done)
            return refuse(why, "missing or bad value in cell " + std::to_string(L));
        game.cells.push_back({*isMine, static_cast<std::int16_t>(*around), static_cast<std::int16_t>(*rest),
                              *marked, *visible, *done});
    }
    return game;
}

}  // namespace gravlin::storage
