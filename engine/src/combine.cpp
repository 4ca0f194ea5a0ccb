#include "combine.h"

#include <algorithm>

namespace gravlin::engine {
namespace {

using bignum::Row;

// x * y as polynomials in the number of mines, terms above maxIndex dropped.
Row convolve(const Row& x, const Row& y, int64_t maxIndex, size_t width) {
    const int64_t lo = x.lo + y.lo;
    const int64_t hi = std::min(x.end() + y.end() - 2, maxIndex);
    if (x.len == 0 || y.len == 0 || hi < lo) return Row(0, 0, width);
    Row r(lo, static_cast<size_t>(hi - lo + 1), width);
    for (int64_t i = x.lo; i < x.end(); ++i)
        for (int64_t j = y.lo; j < y.end() && i + j <= hi; ++j)
            bignum::addProduct(r.at(i + j), width, x.at(i), x.width, y.at(j), y.width);
    return r;
}

// Divides the weights and the denominator by the weights' greatest common divisor. The
// probabilities stay the same, and the much smaller weights make the counter's backward
// numbers a few limbs instead of a dozen: the weights of neighbouring counts differ by
// small factors, so they share most of their size.
bignum::Number reduce(Row& weights, const bignum::Number& denominator) {
    bignum::Number common;
    for (int64_t k = weights.lo; k < weights.end(); ++k)
        common = bignum::gcd(std::move(common), bignum::trimmed(weights.at(k), weights.width));
    if (common.size() <= 1 && (common.empty() || common[0] == 1)) return denominator;
    for (int64_t k = weights.lo; k < weights.end(); ++k) {
        const bignum::Number w = bignum::divideExact(bignum::trimmed(weights.at(k), weights.width), common);
        std::fill_n(weights.at(k), weights.width, 0);
        std::copy(w.begin(), w.end(), weights.at(k));
    }
    return bignum::divideExact(denominator, common);
}

}  // namespace

CountChoices chooseCounts(const std::vector<CountSet>& counts, size_t freeUnknowns, int64_t total,
                          size_t open) {
    const size_t size = open + 1;
    const size_t n = counts.size();
    const auto u = static_cast<int64_t>(freeUnknowns);
    // When even the fewest and the most mines of all components leave the unknowns only the
    // total sum names a number they can hold, every mix of counts fits: the total binds
    // nothing but those unknowns.
    int64_t least = 0;
    int64_t most = 0;
    for (const CountSet& k : counts) {
        least += k.least();
        most += k.most();
    }
    if (total - most >= 0 && total - least <= u) {
        CountChoices out;
        out.allowed.assign(n, CountSet::range(size, 0, static_cast<int64_t>(open)));
        out.freeMayBeMine = total - least >= 1;
        out.freeMayBeFree = total - most <= u - 1;
        return out;
    }
    // before[c]: sums of the components before c; after[c]: of c and those after it, with
    // the unknowns only the total sum names.
    std::vector<CountSet> before(n + 1), after(n + 1);
    before[0] = CountSet::range(size, 0, 0);
    for (size_t c = 0; c < n; ++c) before[c + 1] = before[c].plus(counts[c]);
    after[n] = CountSet::range(size, 0, static_cast<int64_t>(freeUnknowns));
    for (size_t c = n; c-- > 0;) after[c] = after[c + 1].plus(counts[c]);

    CountChoices out;
    out.solvable = after[0].has(total);
    for (size_t c = 0; c < n && out.solvable; ++c)
        out.allowed.push_back(before[c].plus(after[c + 1]).subtractedFrom(total));
    for (int64_t m = 0; m <= total && out.solvable; ++m) {
        if (!before[n].has(m)) continue;
        const int64_t left = total - m;
        out.freeMayBeMine = out.freeMayBeMine || (left >= 1 && left <= u);
        out.freeMayBeFree = out.freeMayBeFree || (left >= 0 && left <= u - 1);
    }
    return out;
}

Combination combineWithTotal(const std::vector<Row>& rows, size_t freeUnknowns, int64_t total, size_t open) {
    const size_t width = bignum::widthFor(open);
    const size_t n = rows.size();
    std::vector<Row> before(n + 1), after(n + 1);
    before[0] = Row(0, 1, width);
    before[0].at(0)[0] = 1;
    for (size_t c = 0; c < n; ++c) before[c + 1] = convolve(before[c], rows[c], total, width);
    // C(U, u) only for the u that some mix of the components leaves.
    const int64_t firstFree = std::max<int64_t>(0, total - (before[n].end() - 1));
    const int64_t lastFree = std::min<int64_t>(static_cast<int64_t>(freeUnknowns), total);
    after[n] =
        Row(firstFree, lastFree >= firstFree ? static_cast<size_t>(lastFree - firstFree + 1) : 0, width);
    if (after[n].len > 0)
        bignum::binomials(freeUnknowns, static_cast<size_t>(firstFree), static_cast<size_t>(lastFree),
                          after[n].v.data(), width);
    for (size_t c = n; c-- > 0;) after[c] = convolve(rows[c], after[c + 1], total, width);

    Combination out;
    bignum::Number all = after[0].has(total) ? bignum::trimmed(after[0].at(total), width) : bignum::Number{};
    for (size_t c = 0; c < n; ++c) {
        Row w(rows[c].lo, rows[c].len, width);
        for (int64_t k = w.lo; k < w.end(); ++k)
            for (int64_t m = before[c].lo; m < before[c].end(); ++m)
                if (after[c + 1].has(total - k - m))
                    bignum::addProduct(w.at(k), width, before[c].at(m), width, after[c + 1].at(total - k - m),
                                       width);
        out.denominators.push_back(reduce(w, all));
        out.weights.push_back(std::move(w));
    }
    if (freeUnknowns > 0) {
        // One of the U unknowns is a mine in C(U - 1, u - 1) = C(U, u) * u / U of the ways to
        // mine u of them: summed, the mines over U times the layouts.
        std::vector<bignum::Limb> mines(width + 1, 0), ways(width, 0);
        for (int64_t m = before[n].lo; m < before[n].end(); ++m) {
            if (!after[n].has(total - m)) continue;
            std::fill(ways.begin(), ways.end(), 0);
            bignum::addProduct(ways.data(), width, before[n].at(m), width, after[n].at(total - m), width);
            bignum::addMul(mines.data(), mines.size(), ways.data(), width,
                           static_cast<bignum::Limb>(total - m));
        }
        out.freeMines = bignum::trimmed(mines.data(), mines.size());
        out.freeDenominator = bignum::multiply(all, {static_cast<bignum::Limb>(freeUnknowns)});
        out.freeDenominator = bignum::trimmed(out.freeDenominator.data(), out.freeDenominator.size());
    }
    return out;
}

Combination combineAlone(const std::vector<Row>& rows) {
    Combination out;
    for (const Row& r : rows) {
        Row w(r.lo, r.len, 1);
        std::vector<bignum::Limb> sum(r.width, 0);
        for (int64_t k = r.lo; k < r.end(); ++k) {
            w.at(k)[0] = 1;
            bignum::add(sum.data(), sum.size(), r.at(k), r.width);
        }
        out.weights.push_back(std::move(w));
        out.denominators.push_back(bignum::trimmed(sum.data(), sum.size()));
    }
    return out;
}

bignum::Number layoutsWithTotal(const std::vector<Row>& rows, size_t freeUnknowns, int64_t total,
                                size_t open) {
    const size_t width = bignum::widthFor(open);
    Row all(0, 1, width);
    all.at(0)[0] = 1;
    for (const Row& r : rows) all = convolve(all, r, total, width);
    // The unknowns only the total sum names take the rest: C(U, total - m) ways.
    std::vector<bignum::Limb> sum(width, 0), ways(width, 0);
    for (int64_t m = all.lo; m < all.end(); ++m) {
        const int64_t rest = total - m;
        if (rest < 0 || rest > static_cast<int64_t>(freeUnknowns)) continue;
        bignum::binomials(freeUnknowns, static_cast<size_t>(rest), static_cast<size_t>(rest), ways.data(),
                          width);
        bignum::addProduct(sum.data(), width, all.at(m), width, ways.data(), width);
    }
    return bignum::trimmed(sum.data(), width);
}

bignum::Number layoutsAlone(const std::vector<Row>& rows) {
    bignum::Number product{1};
    for (const Row& r : rows) {
        std::vector<bignum::Limb> sum(r.width + 1, 0);
        for (int64_t k = r.lo; k < r.end(); ++k) bignum::add(sum.data(), sum.size(), r.at(k), r.width);
        const bignum::Number next = bignum::multiply(product, bignum::trimmed(sum.data(), sum.size()));
        product = bignum::trimmed(next.data(), next.size());
    }
    return product;
}

}  // namespace gravlin::engine
