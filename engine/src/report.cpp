#include "report.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "analysis.h"
#include "equation.h"

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

using Fraction = Analysis::Fraction;

// a < b for positive denominators; with the total sum they are mostly equal.
bool less(const Fraction& a, const Fraction& b) {
    if (bignum::compare(a.den, b.den) == 0) return bignum::compare(a.num, b.num) < 0;
    return bignum::compare(bignum::multiply(a.num, b.den), bignum::multiply(b.num, a.den)) < 0;
}

void appendTwoDigits(std::string& out, int v) {
    out += static_cast<char>('0' + v / 10 % 10);
    out += static_cast<char>('0' + v % 10);
}

void appendRight(std::string& out, const std::string& text, size_t width) {
    if (text.size() < width) out.append(width - text.size(), ' ');
    out += text;
}

// Rank of each probability among the distinct values; equal values share a rank.
std::vector<size_t> rankClasses(const std::vector<Fraction>& probabilities) {
    const size_t classes = probabilities.size();
    std::vector<size_t> byValue(classes);
    for (size_t c = 0; c < classes; ++c) byValue[c] = c;
    std::sort(byValue.begin(), byValue.end(),
              [&](size_t x, size_t y) { return less(probabilities[x], probabilities[y]); });
    std::vector<size_t> rank(classes, 0);
    for (size_t i = 1; i < classes; ++i)
        rank[byValue[i]] =
            rank[byValue[i - 1]] + (less(probabilities[byValue[i - 1]], probabilities[byValue[i]]) ? 1 : 0);
    return rank;
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

std::string probabilityReport(std::string_view system, const Limits& limits) {
    std::string out = std::string(kHeading) + kEol;
    std::vector<Equation> equations;
    switch (parseDisplaySystem(system, equations)) {
        case ParseResult::Rejected:
            return out + "Das Gleichungssystem konnte nicht gelesen werden." + kEol;
        case ParseResult::Empty:
            return out + "Das Gleichungssystem enthaelt keine Unbekannten." + kEol;
        case ParseResult::Ok:
            break;
    }
    const Analysis an = analyseProbabilities(equations, limits);
    if (an.status == Analysis::Status::NoSolution)
        return out + "Keine Minenverteilung passt zu allen Gleichungen." + kEol;

    const std::vector<size_t> rank = rankClasses(an.probabilities);
    std::vector<std::string> texts(an.probabilities.size());
    for (size_t c = 0; c < texts.size(); ++c)
        texts[c] = percent(an.probabilities[c].num, an.probabilities[c].den);
    // Lowest probability; among equals the first cell some cell equation constrains.
    std::optional<size_t> best;
    for (size_t i = 0; i < an.codes.size(); ++i) {
        if (an.classOf[i] < 0) continue;
        const size_t r = rank[static_cast<size_t>(an.classOf[i])];
        const size_t rb = best ? rank[static_cast<size_t>(an.classOf[*best])] : r + 1;
        if (r < rb || (r == rb && !an.constrained[*best] && an.constrained[i])) best = i;
    }
    appendGrid(out, an, texts);
    const bool partial = an.status == Analysis::Status::Partial;
    if (partial) out += std::string(kPartial) + kEol;
    // A partial analysis knows only certain cells: only a certainly free one is worth naming.
    if (best && (!partial || an.classOf[*best] == 0))
        out += "Vorschlag: " + cellName(an.codes[*best]) + " mit " +
               texts[static_cast<size_t>(an.classOf[*best])] + " %" + kEol;
    return out;
}

}  // namespace gravlin::engine
