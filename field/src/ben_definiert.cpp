#include "gravlin/field/ben_definiert.h"

#include <cctype>

#include "gravlin/game/limits.h"

namespace gravlin {

namespace {
constexpr Color kRangeNormal = 0x00C0FFC0;

TextBox makeBox(Geometry g, int tabIndex) {
    TextBox t;
    t.geometry = g;
    t.tabIndex = tabIndex;
    return t;
}
}  // namespace

BenDefiniert::BenDefiniert(Host& host, Window& owner, const BoardState& board)
    : host_(host), owner_(owner), board_(board) {
    caption = "Benutzerdefinierte Einstellung";
    geometry = {0, 0, 4545, 1875};
    Label1 = makeLabel("Höhe (y)", {240, 400, 975, 255});
    y_input = makeBox({1320, 360, 500, 285}, 5);
    Label_y = makeLabel(" 3 ... 24", {2040, 405, 615, 255});
    Label2 = makeLabel("Breite (x)", {240, 880, 975, 255});
    x_input = makeBox({1320, 840, 500, 285}, 6);
    Label_x = makeLabel(" 3 ... 30", {2040, 885, 615, 255});
    Label3 = makeLabel("Anz. Minen", {240, 1360, 855, 255});
    m_input = makeBox({1320, 1320, 500, 285}, 7);
    Label_m = makeLabel(" 1 ... 99", {2040, 1360, 615, 255});
    OKButton = makeButton("OK", {3120, 360, 1215, 375}, 0);
    CancelButton = makeButton("Abbrechen", {3120, 1200, 1215, 375}, 1);
    for (Label* l : {&Label_x, &Label_y, &Label_m}) l->backColor = kRangeNormal;
}

bool BenDefiniert::gibWerte() {
    Form_Load();
    host_.showModal(*this, &owner_);
    loaded = false;
    return accepted_;
}

void BenDefiniert::Form_Load() {
    loaded = true;
    accepted_ = false;
    x_input.text = std::to_string(xin >= kMinSide && xin <= kMaxWidth ? xin : board_.x_actual);
    y_input.text = std::to_string(yin >= kMinSide && yin <= kMaxHeight ? yin : board_.y_actual);
    m_input.text = std::to_string(min >= kMinMines && min <= kMaxMines ? min : board_.no_mines_actual);
    setNormal(Label_x, x_input);
    setNormal(Label_y, y_input);
    setNormal(Label_m, m_input);
}

void BenDefiniert::OKButton_Click() {
    accepted_ = true;
    const std::int16_t x = TextToInt(x_input.text);
    const std::int16_t y = TextToInt(y_input.text);
    const std::int16_t m = TextToInt(m_input.text);
    if (x < kMinSide || x > kMaxWidth) {
        accepted_ = false;
        setError(Label_x, x_input);
        host_.beep();
    }
    if (y < kMinSide || y > kMaxHeight) {
        accepted_ = false;
        setError(Label_y, y_input);
        host_.beep();
    }
    if (m < kMinMines || m > kMaxMines) {
        accepted_ = false;
        setError(Label_m, m_input);
        host_.beep();
    }
    if (!accepted_) return;
    xin = x;
    yin = y;
    min = m;
    setNormal(Label_x, x_input);
    setNormal(Label_y, y_input);
    setNormal(Label_m, m_input);
    if (min >= xin * yin) min = static_cast<std::int16_t>(xin * yin - 1);
    host_.closeWindow(*this);
}

void BenDefiniert::CancelButton_Click() {
    host_.closeWindow(*this);
}

void BenDefiniert::x_input_Change() {
    setNormal(Label_x, x_input);
}
void BenDefiniert::y_input_Change() {
    setNormal(Label_y, y_input);
}
void BenDefiniert::m_input_Change() {
    setNormal(Label_m, m_input);
}

void BenDefiniert::setNormal(Label& range, TextBox& box) {
    range.backColor = kRangeNormal;
    box.backColor = kSystemWindowBackground;
}

void BenDefiniert::setError(Label& range, TextBox& box) {
    range.backColor = kRed;
    box.backColor = kRed;
}

std::int16_t BenDefiniert::TextToInt(const std::string& text) {
    // Exact decimal reading: the digits are kept as text, so no length of input can
    // overflow, and the half-way case is decided on the digits themselves.
    std::size_t pos = 0;
    const std::size_t end = text.size();
    auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    while (pos < end && isSpace(text[pos])) ++pos;
    std::size_t last = end;
    while (last > pos && isSpace(text[last - 1])) --last;
    if (pos == last) return 0;

    bool negative = false;
    if (text[pos] == '+' || text[pos] == '-') {
        negative = text[pos] == '-';
        ++pos;
    }
    std::string digits;     // mantissa digits without the separator, leading zeros dropped
    long long pointAt = 0;  // digits of `digits` that stand before the decimal separator
    bool anyDigit = false;
    bool inFraction = false;
    for (; pos < last; ++pos) {
        const char c = text[pos];
        if (isDigit(c)) {
            anyDigit = true;
            if (digits.empty() && c == '0') {
                if (inFraction) --pointAt;  // a zero right after the separator shifts the point
                continue;
            }
            if (digits.size() < 64) {
                digits.push_back(c);
                if (!inFraction) ++pointAt;
            } else if (!inFraction) {
                ++pointAt;  // an integer digit beyond what can matter still counts as a place
            }
        } else if ((c == '.' || c == ',') && !inFraction) {
            inFraction = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return 0;
    if (pos < last) {
        // Only an exponent may follow the mantissa.
        if (text[pos] != 'e' && text[pos] != 'E') return 0;
        ++pos;
        bool expNegative = false;
        if (pos < last && (text[pos] == '+' || text[pos] == '-')) {
            expNegative = text[pos] == '-';
            ++pos;
        }
        if (pos == last) return 0;
        long long exponent = 0;
        for (; pos < last; ++pos) {
            if (!isDigit(text[pos])) return 0;
            if (exponent < 1000000) exponent = exponent * 10 + (text[pos] - '0');
        }
        pointAt += expNegative ? -exponent : exponent;
    }
    if (digits.empty()) return 0;  // the number is zero
    if (pointAt > 5) return 0;     // at least 100000: out of range
    long long whole = 0;
    for (long long i = 0; i < pointAt; ++i) {
        const char c = i < static_cast<long long>(digits.size()) ? digits[static_cast<std::size_t>(i)] : '0';
        whole = whole * 10 + (c - '0');
    }
    // The first digit after the point decides: 5 and above round away from zero.
    const long long firstFraction = pointAt;
    if (firstFraction >= 0 && firstFraction < static_cast<long long>(digits.size()) &&
        digits[static_cast<std::size_t>(firstFraction)] >= '5') {
        ++whole;
    }
    const long long value = negative ? -whole : whole;
    if (value < -32768 || value > 32767) return 0;
    return static_cast<std::int16_t>(value);
}

}  // namespace gravlin
