#include "component_counter.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace gravlin::engine {
namespace {

using bignum::Limb;

size_t rowLength(const StateGraph::Layer& l, size_t s) {
    return l.hi[s] < l.lo[s] ? 0 : static_cast<size_t>(l.hi[s] - l.lo[s]) + 1;
}

// A stretch of counts that a transition carries: from entry `from` of a state's row to entry
// `to` of its target's row, `count` entries in a row.
struct Run {
    size_t j, from, to, count;
};

// Calls f(run) for each transition of state s in layer t whose counts reach kept ones.
template <class F>
void forEachRun(const StateGraph::Layer& layer, const StateGraph::Layer& next,
                const std::vector<size_t>& start, const std::vector<size_t>& nextStart, size_t s, F f) {
    if (rowLength(layer, s) == 0) return;
    for (size_t j = 0; j < layer.choices; ++j) {
        const int32_t target = layer.next[s * layer.choices + j];
        if (target < 0) continue;
        const auto u = static_cast<size_t>(target);
        const auto jj = static_cast<int32_t>(j);
        const int32_t klo = std::max(layer.lo[s], next.lo[u] - jj);
        const int32_t khi = std::min(layer.hi[s], next.hi[u] - jj);
        if (khi < klo) continue;
        f(Run{j, start[s] + static_cast<size_t>(klo - layer.lo[s]),
              nextStart[u] + static_cast<size_t>(klo + jj - next.lo[u]), static_cast<size_t>(khi - klo + 1)});
    }
}

// to[i] += from[i] * c for `count` numbers: `to` in rows of tw limbs, `from` in rows of fw
// limbs of which at most `used` are in use, c of cw limbs.
void addTimesRun(Limb* to, size_t tw, const Limb* from, size_t fw, size_t used, const Limb* c, size_t cw,
                 size_t count) {
    if (cw > 1 || used > tw) {
        for (size_t i = 0; i < count; ++i, to += tw, from += fw)
            bignum::addProduct(to, tw, from, used, c, cw);
        return;
    }
    const Limb f = c[0];
    for (size_t i = 0; i < count; ++i, to += tw, from += fw) {
        Limb carry = 0;
        for (size_t l = 0; l < used; ++l) {
            const bignum::WideLimb t = static_cast<bignum::WideLimb>(from[l]) * f + to[l] + carry;
            to[l] = static_cast<Limb>(t);
            carry = static_cast<Limb>(t >> 64);
        }
        bignum::carryInto(to, tw, used, carry);
    }
}

// sum += a[i] * b[i] over `count` pairs, a in rows of aw limbs (au in use), b of bw (bu).
void addProductsRun(Limb* sum, size_t sw, const Limb* a, size_t aw, size_t au, const Limb* b, size_t bw,
                    size_t bu, size_t count) {
    for (size_t i = 0; i < count; ++i, a += aw, b += bw) {
        for (size_t x = 0; x < au; ++x) {
            if (a[x] == 0) continue;
            if (x + bu > sw) {  // the checked path for the rest of a
                if (x >= sw) {
                    if (bignum::used(b, bu) != 0) throw bignum::Overflow{};
                    break;
                }
                bignum::addProduct(sum + x, sw - x, a + x, au - x, b, bu);
                break;
            }
            Limb carry = 0;
            for (size_t y = 0; y < bu; ++y) {
                const bignum::WideLimb t = static_cast<bignum::WideLimb>(a[x]) * b[y] + sum[x + y] + carry;
                sum[x + y] = static_cast<Limb>(t);
                carry = static_cast<Limb>(t >> 64);
            }
            bignum::carryInto(sum, sw, x + bu, carry);
        }
    }
}

// The most limbs any number of the rows uses: the bound is far above most counts, so the
// steps work on this many.
size_t usedWidth(const std::vector<Limb>& rows, size_t width) {
    size_t most = 0;
    for (size_t at = 0; at < rows.size(); at += width)
        for (size_t l = width; l > most; --l)
            if (rows[at + l - 1] != 0) {
                most = l;
                break;
            }
    return most;
}

// The most bits any number of the rows uses, given the limbs in use.
size_t usedBits(const std::vector<Limb>& rows, size_t width, size_t limbs) {
    if (limbs == 0) return 0;
    Limb top = 0;
    for (size_t at = limbs - 1; at < rows.size(); at += width) top |= rows[at];
    return 64 * (limbs - 1) + static_cast<size_t>(std::bit_width(top));
}

}  // namespace

ComponentCounter::ComponentCounter(const StateGraph& graph, const Component& component, size_t weightBits,
                                   Budget& budget)
    : graph_(graph), component_(component), weightBits_(weightBits), charge_(budget) {
    const auto& layers = graph_.layers();
    start_.resize(layers.size());
    decided_.resize(layers.size());
    forwardWidth_.resize(layers.size());
    backwardWidth_.resize(layers.size());
    rowWidth_.assign(layers.size(), 1);
    rowUsed_.assign(layers.size(), 1);
    size_t decided = 0;
    size_t stateCount = 0;
    for (size_t t = 0; t < layers.size(); ++t) {
        decided_[t] = decided;
        forwardWidth_[t] = bignum::widthFor(decided);
        backwardWidth_[t] = bignum::widthFor(component_.unknowns - decided + weightBits_);
        if (t < graph_.order().size()) decided += component_.groups[graph_.order()[t]].size;
        start_[t].resize(layers[t].count() + 1);
        for (size_t s = 0; s < layers[t].count(); ++s)
            start_[t][s + 1] = start_[t][s] + rowLength(layers[t], s);
        stateCount += layers[t].count() + 1;
    }
    charge_.take(stateCount * sizeof(size_t));
    // Per transition entry: the forward step, the backward step and the share's product;
    // for layouts() the same with no weights, of which the forward step is about a third.
    uint64_t empty = 0;
    for (size_t t = 0; t + 1 < layers.size(); ++t) {
        const auto& l = layers[t];
        uint64_t carried = 0;
        for (size_t s = 0; s < l.count(); ++s)
            for (size_t j = 0; j < l.choices; ++j) {
                if (l.next[s * l.choices + j] >= 0)
                    carried += rowLength(l, s);
                else
                    ++empty;
            }
        work_ +=
            carried * (forwardWidth_[t + 1] + backwardWidth_[t] + forwardWidth_[t] * backwardWidth_[t + 1]);
        const size_t unweighted = bignum::widthFor(component_.unknowns - decided_[t]);
        const size_t unweightedNext = bignum::widthFor(component_.unknowns - decided_[t + 1]);
        layoutsWork_ += carried * (forwardWidth_[t + 1] + unweighted + forwardWidth_[t] * unweightedNext);
    }
    layoutsWork_ /= 3;
    // Each pass looks at every slot (state, j) of a layer, also those without a transition:
    // this loop and the forward step some 2 ns for such a slot, forward and backward
    // together 3 to 6 (measured where groups of 45 unknowns allow few of their numbers of
    // mines, and on whole boards, where the transitions' own price covers more of it).
    work_ += 3 * empty;
    layoutsSteps_ = layoutsWork_ + 2 * empty;
}

const std::vector<Limb>& ComponentCounter::multipliers(size_t size) {
    auto it = binomials_.find(size);
    if (it == binomials_.end()) {
        std::vector<Limb> row((size + 1) * bignum::widthFor(size));
        bignum::binomials(size, 0, size, row.data(), bignum::widthFor(size));
        it = binomials_.emplace(size, std::move(row)).first;
    }
    return it->second;
}

// All forward rows when they fit the budget; else every segment_-th layer, segment_ about
// the square root of the layer count, plus one segment recomputed at a time.
void ComponentCounter::planKeeping() {
    const size_t layers = start_.size();
    size_t backward = 0;
    for (size_t t = 0; t < layers; ++t)
        backward = std::max(backward, entries(t) * backwardWidth_[t] * sizeof(Limb));
    charge_.take(2 * backward);
    size_t all = 0;
    for (size_t t = 0; t < layers; ++t) all += rowsBytes(t);
    try {
        charge_.take(all);
        return;
    } catch (const TooLarge&) {
    }
    keepAll_ = false;
    segment_ = std::max<size_t>(2, static_cast<size_t>(std::ceil(std::sqrt(static_cast<double>(layers)))));
    size_t kept = rowsBytes(layers - 1);
    size_t worstSegment = 0;
    for (size_t from = 0; from < layers; from += segment_) {
        kept += rowsBytes(from);
        size_t segment = 0;
        for (size_t t = from + 1; t < std::min(from + segment_, layers); ++t) segment += rowsBytes(t);
        worstSegment = std::max(worstSegment, segment);
    }
    charge_.take(kept + worstSegment);
    charge_.budget().spend(work_ / 3);  // the forward steps run twice
    work_ += work_ / 3;
}

bignum::Row ComponentCounter::forward() {
    planKeeping();
    const size_t last = start_.size() - 1;
    forward_.assign(start_.size(), {});
    forward_[0] = {1};
    for (size_t t = 0; t < last; ++t) {
        forwardStep(t);
        if (!checkpoint(t)) std::vector<Limb>().swap(forward_[t]);
    }
    return lastRow();
}

bignum::Row ComponentCounter::layouts() {
    const size_t last = start_.size() - 1;
    size_t widest = 0;
    for (size_t t = 0; t < last; ++t) widest = std::max(widest, rowsBytes(t) + rowsBytes(t + 1));
    charge_.take(widest);
    forward_.assign(start_.size(), {});
    forward_[0] = {1};
    for (size_t t = 0; t < last; ++t) {
        forwardStep(t);
        std::vector<Limb>().swap(forward_[t]);
    }
    return lastRow();
}

bignum::Row ComponentCounter::lastRow() const {
    const size_t last = start_.size() - 1;
    const auto& final = graph_.layers()[last];
    if (final.count() == 0 || rowLength(final, 0) == 0) return bignum::Row(0, 0, 1);
    bignum::Row row(final.lo[0], rowLength(final, 0), rowWidth_[last]);
    std::copy(forward_[last].begin(), forward_[last].begin() + static_cast<ptrdiff_t>(row.v.size()),
              row.v.begin());
    return row;
}

void ComponentCounter::forwardStep(size_t t) {
    const auto& layer = graph_.layers()[t];
    const auto& next = graph_.layers()[t + 1];
    const std::vector<Limb>& c = multipliers(layer.choices - 1);
    const size_t cw = bignum::widthFor(layer.choices - 1);
    const size_t wf = rowWidth_[t];
    const size_t used = rowUsed_[t] = usedWidth(forward_[t], wf);
    // A count of the next layer sums, over the transitions into its state, C(size, j) times a
    // count of this layer: below 2^(64 used + size) per transition.
    std::vector<uint32_t> into(next.count(), 0);
    for (int32_t target : layer.next)
        if (target >= 0) ++into[static_cast<size_t>(target)];
    const uint32_t most = into.empty() ? 0 : *std::max_element(into.begin(), into.end());
    const size_t wn =
        std::min(forwardWidth_[t + 1],
                 bignum::widthFor(64 * used + layer.choices - 1 + static_cast<size_t>(std::bit_width(most))));
    rowWidth_[t + 1] = wn;
    std::vector<Limb>& out = forward_[t + 1];
    out.assign(entries(t + 1) * wn, 0);
    for (size_t s = 0; s < layer.count(); ++s)
        forEachRun(layer, next, start_[t], start_[t + 1], s, [&](const Run& r) {
            addTimesRun(out.data() + r.to * wn, wn, forward_[t].data() + r.from * wf, wf, used, &c[r.j * cw],
                        cw, r.count);
        });
}

void ComponentCounter::backward(const bignum::Row& weight, std::vector<std::vector<Limb>>& shares) {
    size_t weightLimbs = 0;
    for (int64_t k = weight.lo; k < weight.end(); ++k)
        weightLimbs = std::max(weightLimbs, bignum::used(weight.at(k), weight.width));
    weightBits_ = std::min(weightBits_, 64 * weightLimbs);
    for (size_t t = 0; t < start_.size(); ++t)
        backwardWidth_[t] = bignum::widthFor(component_.unknowns - decided_[t] + weightBits_);
    const size_t sw = shareWidth();
    shares.resize(component_.groups.size());
    for (size_t g = 0; g < shares.size(); ++g) shares[g].assign((component_.groups[g].size + 1) * sw, 0);
    const size_t last = start_.size() - 1;
    const auto& final = graph_.layers()[last];
    std::vector<Limb> after(entries(last) * backwardWidth_[last], 0), before;
    for (size_t i = 0; i < entries(last); ++i) {
        const int64_t k = final.lo[0] + static_cast<int64_t>(i);
        if (weight.has(k))
            bignum::add(&after[i * backwardWidth_[last]], backwardWidth_[last], weight.at(k), weight.width);
    }
    for (size_t end = last; end > 0;) {
        const size_t from = keepAll_ ? 0 : (end - 1) / segment_ * segment_;
        for (size_t t = from; t + 1 < end; ++t)
            if (forward_[t + 1].empty()) forwardStep(t);
        for (size_t t = end; t-- > from;) {
            backwardStep(t, after, before, shares);
            after.swap(before);
            std::vector<Limb>().swap(forward_[t]);
        }
        end = from;
    }
}

void ComponentCounter::backwardStep(size_t t, const std::vector<Limb>& after, std::vector<Limb>& before,
                                    std::vector<std::vector<Limb>>& shares) {
    const auto& layer = graph_.layers()[t];
    const auto& next = graph_.layers()[t + 1];
    const std::vector<Limb>& c = multipliers(layer.choices - 1);
    const size_t cw = bignum::widthFor(layer.choices - 1);
    const size_t wf = rowWidth_[t];
    const size_t wa = backwardWidth_[t + 1];
    const size_t usedAfter = usedWidth(after, wa);
    // A completion count here sums C(size, j) < 2^size times one of the next layer, once per j.
    const size_t wb = backwardWidth_[t] =
        std::min(backwardWidth_[t], bignum::widthFor(usedBits(after, wa, usedAfter) + layer.choices - 1));
    const size_t sw = shareWidth();
    const size_t usedForward = rowUsed_[t];
    std::vector<Limb>& share = shares[graph_.order()[t]];
    before.assign(entries(t) * wb, 0);
    for (size_t s = 0; s < layer.count(); ++s)
        forEachRun(layer, next, start_[t], start_[t + 1], s, [&](const Run& r) {
            const Limb* b = after.data() + r.to * wa;
            addTimesRun(before.data() + r.from * wb, wb, b, wa, usedAfter, &c[r.j * cw], cw, r.count);
            addProductsRun(&share[r.j * sw], sw, forward_[t].data() + r.from * wf, wf, usedForward, b, wa,
                           usedAfter, r.count);
        });
}

}  // namespace gravlin::engine
