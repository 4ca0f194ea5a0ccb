#include "report.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>

#include "analysis.h"
#include "equation.h"

namespace gravlin::engine {
namespace {

constexpr const char* kEol = "\r\n";
constexpr const char* kHeading = "Minenwahrscheinlichkeiten in Prozent";

std::string cellName(int32_t code) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "a[ %02d,%02d ]", static_cast<int>(code / 100), static_cast<int>(code % 100));
    return buf;
}

// Percent with one decimal, rounded half up; 0.0 and 100.0 only when exact.
std::string percent(const std::vector<Limb>& num, const std::vector<Limb>& den) {
    const uint32_t twice = bignum::scaledQuotient(num, den, 2000);  // floor(2000 p)
    const uint32_t tenths = (twice + 1) / 2;
    const bool zero = bignum::compare(num, std::vector<Limb>{}) == 0;
    const bool one = bignum::compare(num, den) == 0;
    if (zero) return "0.0";
    if (one) return "100.0";
    if (tenths == 0) return "<0.1";
    if (tenths >= 1000) return ">99.9";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%u.%u", tenths / 10, tenths % 10);
    return buf;
}

// a/b < c/d for positive denominators; with the total sum they are all equal.
bool less(const std::vector<Limb>& a, const std::vector<Limb>& b, const std::vector<Limb>& c,
          const std::vector<Limb>& d) {
    if (bignum::compare(b, d) == 0) return bignum::compare(a, c) < 0;
    return bignum::compare(bignum::multiply(a, d), bignum::multiply(c, b)) < 0;
}

}  // namespace

std::string probabilityReport(std::string_view system) {
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
    const Analysis an = analyseProbabilities(equations);
    if (an.status == Analysis::Status::NoSolution)
        return out + "Keine Minenverteilung passt zu allen Gleichungen." + kEol;
    if (an.status == Analysis::Status::TooComplex)
        return out + "Das Gleichungssystem ist zu umfangreich fuer eine genaue Berechnung." + kEol;

    int maxX = 0;
    int maxY = 0;
    for (int32_t code : an.codes) {
        maxX = std::max(maxX, static_cast<int>(code / 100));
        maxY = std::max(maxY, static_cast<int>(code % 100));
    }
    std::vector<std::string> cells(static_cast<size_t>(maxX * maxY), ".");
    // Interchangeable cells share their probability: each distinct value is worked out once.
    std::map<std::pair<std::vector<Limb>, std::vector<Limb>>, std::string> written;
    size_t best = 0;
    for (size_t i = 0; i < an.codes.size(); ++i) {
        const int x = an.codes[i] / 100;
        const int y = an.codes[i] % 100;
        auto key = std::make_pair(an.numerator[i], an.denominator[i]);
        auto found = written.find(key);
        if (found == written.end())
            found = written.emplace(std::move(key), percent(an.numerator[i], an.denominator[i])).first;
        cells[static_cast<size_t>((y - 1) * maxX + (x - 1))] = found->second;
        if (i == 0) continue;
        // Lowest probability; among equals a cell some cell equation constrains.
        if (less(an.numerator[i], an.denominator[i], an.numerator[best], an.denominator[best]) ||
            (!an.constrained[best] && an.constrained[i] &&
             !less(an.numerator[best], an.denominator[best], an.numerator[i], an.denominator[i])))
            best = i;
    }

    char buf[16];
    out += "  ";
    for (int x = 1; x <= maxX; ++x) {
        std::snprintf(buf, sizeof buf, "%6.2d", x);
        out += buf;
    }
    out += kEol;
    for (int y = 1; y <= maxY; ++y) {
        std::snprintf(buf, sizeof buf, "%02d", y);
        out += buf;
        for (int x = 1; x <= maxX; ++x) {
            std::snprintf(buf, sizeof buf, "%6s", cells[static_cast<size_t>((y - 1) * maxX + (x - 1))].c_str());
            out += buf;
        }
        out += kEol;
    }
    out += "Vorschlag: " + cellName(an.codes[best]) + " mit " +
           percent(an.numerator[best], an.denominator[best]) + " %" + kEol;
    return out;
}

}  // namespace gravlin::engine
