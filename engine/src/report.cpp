#include "report.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "analysis.h"
#include "equation.h"
#include "suggestion.h"

namespace gravlin::engine {
namespace {

constexpr const char* kEol = "\r\n";
constexpr const char* kHeading = "Minenwahrscheinlichkeiten in Prozent";
constexpr const char* kNotComputed = "?";
constexpr const char* kPartial =
    "Die mit ? markierten Wahrscheinlichkeiten konnten nicht berechnet werden: das Gleichungssystem ist zu "
    "umfangreich.";

std::string cellName(int32_t code) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "a[ %02d,%02d ]", static_cast<int>(code / 100),
                  static_cast<int>(code % 100));
    return buf;
}

// Percent with one decimal, rounded half up; 0.0 and 100.0 only when exact.
std::string percent(const bignum::Number& num, const bignum::Number& den) {
    const uint32_t twice = bignum::scaledQuotient(num, den, 2000);  // floor(2000 p)
    const uint32_t tenths = (twice + 1) / 2;
    const bool zero = bignum::compare(num, bignum::Number{}) == 0;
    const bool one = bignum::compare(num, den) == 0;
    if (zero) return "0.0";
    if (one) return "100.0";
    if (tenths == 0) return "<0.1";
    if (tenths >= 1000) return ">99.9";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%u.%u", tenths / 10, tenths % 10);
    return buf;
}

void appendTwoDigits(std::string& out, int v) {
    out += static_cast<char>('0' + v / 10 % 10);
    out += static_cast<char>('0' + v % 10);
}

void appendRight(std::string& out, const std::string& text, size_t width) {
    if (text.size() < width) out.append(width - text.size(), ' ');
    out += text;
}

// The field's grid: column numbers, then per row its number and each cell's text.
void appendGrid(std::string& out, const Analysis& an, const std::vector<std::string>& texts) {
    int maxX = 0;
    int maxY = 0;
    for (int32_t code : an.codes) {
        maxX = std::max(maxX, static_cast<int>(code / 100));
        maxY = std::max(maxY, static_cast<int>(code % 100));
    }
    std::vector<const std::string*> cells(static_cast<size_t>(maxX * maxY), nullptr);
    static const std::string kNone = kNotComputed;
    for (size_t i = 0; i < an.codes.size(); ++i)
        cells[static_cast<size_t>((an.codes[i] % 100 - 1) * maxX + (an.codes[i] / 100 - 1))] =
            an.classOf[i] < 0 ? &kNone : &texts[static_cast<size_t>(an.classOf[i])];
    static const std::string kDot = ".";
    out.reserve(out.size() + static_cast<size_t>(maxY + 1) * (static_cast<size_t>(maxX) * 6 + 4) + 64);
    out += "  ";
    for (int x = 1; x <= maxX; ++x) {
        out += "    ";
        appendTwoDigits(out, x);
    }
    out += kEol;
    for (int y = 1; y <= maxY; ++y) {
        appendTwoDigits(out, y);
        for (int x = 1; x <= maxX; ++x) {
            const std::string* text = cells[static_cast<size_t>((y - 1) * maxX + (x - 1))];
            appendRight(out, text != nullptr ? *text : kDot, 6);
        }
        out += kEol;
    }
}

}  // namespace

std::string probabilityReport(std::string_view system, SuggestionRule rule, const Limits& limits) {
    std::string out = std::string(kHeading) + kEol;
    std::vector<Equation> equations;
    switch (parseDisplaySystem(system, equations)) {
        case ParseResult::Rejected:
            return out + "Das Gleichungssystem konnte nicht gelesen werden." + kEol;
        case ParseResult::Empty:
            return out + "Das Gleichungssystem enthält keine Unbekannten." + kEol;
        case ParseResult::Ok:
            break;
    }
    const IndexedSystem indexed(equations);
    const Analysis an = analyseProbabilities(indexed, limits);
    if (an.status == Analysis::Status::NoSolution)
        return out + "Keine Minenverteilung passt zu allen Gleichungen." + kEol;

    std::vector<std::string> texts(an.probabilities.size());
    for (size_t c = 0; c < texts.size(); ++c)
        texts[c] = percent(an.probabilities[c].num, an.probabilities[c].den);
    // The suggestion first, where it is seen without scrolling through the grid.
    if (const auto best = suggestCell(indexed, an, rule, SuggestionLimits{}, limits))
        out += "Vorschlag: " + cellName(an.codes[*best]) + " mit " +
               texts[static_cast<size_t>(an.classOf[*best])] + " %" + kEol;
    appendGrid(out, an, texts);
    if (an.status == Analysis::Status::Partial) out += std::string(kPartial) + kEol;
    return out;
}

}  // namespace gravlin::engine
