#include "equation.h"

#include <algorithm>
#include <bitset>

namespace gravlin::engine {
namespace {

// Cursor over the text; every read checks the end, so no input can run past it.
class Scanner {
  public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    void skipSpace() {
        while (!atEnd() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' || text_[pos_] == '\n'))
            ++pos_;
    }
    bool accept(char c) {
        if (peek() != c || atEnd()) return false;
        ++pos_;
        return true;
    }
    bool accept(std::string_view word) {
        if (text_.substr(pos_).substr(0, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    // Exactly "a[ dd,dd ]"; consumed only when it matches.
    bool plainCell(int32_t& x, int32_t& y) {
        if (text_.size() - pos_ < 10) return false;
        const char* p = text_.data() + pos_;
        if (p[0] != 'a' || p[1] != '[' || p[2] != ' ' || p[5] != ',' || p[8] != ' ' || p[9] != ']')
            return false;
        if (!isDigit(p[3]) || !isDigit(p[4]) || !isDigit(p[6]) || !isDigit(p[7])) return false;
        x = (p[3] - '0') * 10 + (p[4] - '0');
        y = (p[6] - '0') * 10 + (p[7] - '0');
        pos_ += 10;
        return true;
    }

    // Between minDigits and maxDigits decimal digits, not followed by another digit.
    bool digits(int minDigits, int maxDigits, int32_t& value) {
        int count = 0;
        int32_t v = 0;
        while (!atEnd() && isDigit(text_[pos_])) {
            if (count == maxDigits) return false;
            v = v * 10 + (text_[pos_] - '0');
            ++pos_;
            ++count;
        }
        if (count < minDigits) return false;
        value = v;
        return true;
    }

    // Optionally signed decimal that fits 32 bits; leading zeros allowed.
    bool integer(int64_t& value) {
        bool negative = false;
        if (accept('-'))
            negative = true;
        else
            accept('+');
        if (!isDigit(peek())) return false;
        int64_t v = 0;
        while (!atEnd() && isDigit(text_[pos_])) {
            v = v * 10 + (text_[pos_] - '0');
            if (v > int64_t{INT32_MAX} + 1) return false;
            ++pos_;
        }
        if (negative) v = -v;
        if (v > INT32_MAX || v < INT32_MIN) return false;
        value = v;
        return true;
    }

  private:
    std::string_view text_;
    size_t pos_ = 0;
};

bool validCell(int32_t x, int32_t y) {
    return x >= 1 && x <= 99 && y >= 1 && y <= 99;
}

// Sorts the codes and refuses an unknown written twice: the engine's equations have
// coefficient 1 throughout.
bool normalise(Equation& eq) {
    if (!std::is_sorted(eq.codes.begin(), eq.codes.end())) std::sort(eq.codes.begin(), eq.codes.end());
    return std::adjacent_find(eq.codes.begin(), eq.codes.end()) == eq.codes.end();
}

bool compactTerm(Scanner& s, std::vector<int32_t>& codes) {
    int32_t code = 0;
    if (!s.digits(4, 4, code)) return false;
    if (!validCell(code / 100, code % 100)) return false;
    codes.push_back(code);
    return true;
}

bool displayTerm(Scanner& s, std::vector<int32_t>& codes) {
    int32_t x = 0;
    int32_t y = 0;
    // The program writes every unknown as "a[ xx,yy ]": taken in one step.
    if (s.plainCell(x, y)) {
        if (!validCell(x, y)) return false;
        codes.push_back(x * 100 + y);
        return true;
    }
    if (!s.accept('a')) return false;
    s.skipSpace();
    if (!s.accept('[')) return false;
    s.skipSpace();
    if (!s.digits(1, 2, x)) return false;
    s.skipSpace();
    if (!s.accept(',')) return false;
    s.skipSpace();
    if (!s.digits(1, 2, y)) return false;
    s.skipSpace();
    if (!s.accept(']')) return false;
    if (!validCell(x, y)) return false;
    codes.push_back(x * 100 + y);
    return true;
}

template <class Term>
bool equationBody(Scanner& s, Equation& eq, Term term) {
    for (;;) {
        s.skipSpace();
        if (eq.codes.size() == kMaxUnknowns || !term(s, eq.codes)) return false;
        s.skipSpace();
        if (s.accept('=')) break;
        if (!s.accept('+')) return false;
    }
    s.skipSpace();
    if (!s.integer(eq.rhs)) return false;
    s.skipSpace();
    return normalise(eq);
}

// The form the game sends: "0406+0408=1", no spaces, no sign but a minus. Returns false
// for anything else, which the general scanner then decides.
bool plainCompact(std::string_view text, Equation& eq) {
    const char* p = text.data();
    const char* const end = p + text.size();
    auto digit = [](char c) { return static_cast<unsigned>(static_cast<unsigned char>(c)) - unsigned{'0'}; };
    for (;;) {
        if (end - p < 5 || eq.codes.size() == kMaxUnknowns) return false;
        const unsigned d0 = digit(p[0]), d1 = digit(p[1]), d2 = digit(p[2]), d3 = digit(p[3]);
        if (d0 > 9 || d1 > 9 || d2 > 9 || d3 > 9) return false;
        const auto x = static_cast<int32_t>(d0 * 10 + d1);
        const auto y = static_cast<int32_t>(d2 * 10 + d3);
        if (!validCell(x, y)) return false;
        eq.codes.push_back(x * 100 + y);
        p += 4;
        const char sep = *p++;
        if (sep == '=') break;
        if (sep != '+') return false;
    }
    const bool negative = p < end && *p == '-';
    if (negative) ++p;
    if (p == end) return false;
    int64_t v = 0;
    for (; p < end; ++p) {
        const unsigned d = digit(*p);
        if (d > 9) return false;
        v = v * 10 + d;
        if (v > int64_t{INT32_MAX} + 1) return false;
    }
    if (negative) v = -v;
    if (v > INT32_MAX) return false;
    eq.rhs = v;
    return normalise(eq);
}

}  // namespace

ParseResult parseCompact(std::string_view text, Equation& out) {
    if (text.size() > kMaxEquationText) return ParseResult::Rejected;
    Equation eq;
    eq.codes.reserve(std::min<size_t>(text.size() / 5 + 1, kMaxUnknowns));
    if (plainCompact(text, eq)) {
        out = std::move(eq);
        return ParseResult::Ok;
    }
    eq.codes.clear();
    Scanner s(text);
    s.skipSpace();
    if (s.atEnd()) return ParseResult::Empty;
    if (!equationBody(s, eq, compactTerm) || !s.atEnd()) return ParseResult::Rejected;
    out = std::move(eq);
    return ParseResult::Ok;
}

ParseResult parseDisplaySystem(std::string_view text, std::vector<Equation>& out) {
    if (text.size() > kMaxSystemText) return ParseResult::Rejected;
    Scanner s(text);
    std::vector<Equation> result;
    std::bitset<10000> named;
    size_t unknowns = 0;
    for (;;) {
        s.skipSpace();
        Equation eq;
        if (s.accept("/*g*/")) {
            eq.cellEquation = false;
            s.skipSpace();
        }
        if (s.peek() == 'a') {
            if (result.size() == kMaxEquations || !equationBody(s, eq, displayTerm))
                return ParseResult::Rejected;
            for (int32_t c : eq.codes)
                if (!named.test(static_cast<size_t>(c))) {
                    named.set(static_cast<size_t>(c));
                    if (++unknowns > kMaxUnknowns) return ParseResult::Rejected;
                }
            result.push_back(std::move(eq));
        }
        s.skipSpace();
        if (s.atEnd()) break;
        if (!s.accept(',')) return ParseResult::Rejected;
    }
    if (result.empty()) return ParseResult::Empty;
    out = std::move(result);
    return ParseResult::Ok;
}

}  // namespace gravlin::engine
