#include "state_graph.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <utility>

namespace gravlin::engine {
namespace {

// Steps (guards.h) of one transition built: forming its key, probing the key index, writing
// the transition and or-ing a bit row into the target's. Measured about 40 ns with a
// one-word key while a layer has fewer than 65536 states, then some 22 ns more for each
// doubling, as the index and the rows outgrow the caches: 65 ns at 170,000 states, 100 at
// 550,000, 145 at 1,700,000; and 8 more per word of a wider key. Reading a state's needs
// (3 per equation touched) is priced apart.
uint64_t transitionSteps(size_t states, size_t keyWords) {
    const auto doublings = static_cast<uint64_t>(std::bit_width(states >> 16));
    return 40 + 22 * doublings + 8 * keyWords;
}

// Steps of each empty slot (state, j without a transition) of a layer: the later passes
// over the layer (filling it, the counts and bit rows of the next layer, restrict()) each
// look at every slot, some 3 ns together; a transition's price covers its own. Decisive
// where a group of dozens of unknowns follows a layer of many states, each allowing few of
// its numbers of mines.
constexpr uint64_t kSlotSteps = 3;

// A state's key: the needs of the open equations, each in a field of the same width in
// 64-bit words. An equation keeps its field while it is open, so most of a key carries over
// to the next layer unchanged.
struct Field {
    uint32_t word = 0;
    uint32_t shift = 0;
};

// Open-addressing index of the keys of the layer being built; keys live in one flat array,
// `width` words each. The table and the keys are charged to the budget before they grow,
// for as long as the old and the new array are both held.
class KeyIndex {
  public:
    KeyIndex(Budget& budget, size_t width, size_t expected)
        : width_(width), tableCharge_(budget), keysCharge_(budget) {
        const size_t slots = std::max<size_t>(64, std::bit_ceil(expected * 2));
        tableCharge_.take(slots * sizeof(int32_t));
        table_.assign(slots, -1);
    }

    int32_t insert(const Word* key) {
        if ((count_ + 1) * 2 > table_.size()) grow();
        const size_t mask = table_.size() - 1;
        for (size_t h = hash(key) & mask;; h = (h + 1) & mask) {
            const int32_t s = table_[h];
            if (s < 0) {
                if (keys_.size() + width_ > keys_.capacity()) reserveKeys();
                keys_.insert(keys_.end(), key, key + width_);
                table_[h] = static_cast<int32_t>(count_);
                return static_cast<int32_t>(count_++);
            }
            if (same(key, keys_.data() + static_cast<size_t>(s) * width_)) return s;
        }
    }
    size_t count() const { return count_; }

    // The keys and their charge go to `keys` and `charge`, whose earlier keys go first.
    void handOver(std::vector<Word>& keys, Charge& charge) {
        std::vector<Word>().swap(keys);
        charge = std::move(keysCharge_);
        keys = std::move(keys_);
    }

  private:
    // A plain loop: keys are mostly a word or two, where a call of memcmp costs more.
    bool same(const Word* a, const Word* b) const {
        for (size_t i = 0; i < width_; ++i)
            if (a[i] != b[i]) return false;
        return true;
    }
    size_t hash(const Word* key) const {
        uint64_t h = 0x9e3779b97f4a7c15ULL;
        for (size_t i = 0; i < width_; ++i) {
            h = (h ^ key[i]) * 0xff51afd7ed558ccdULL;
            h ^= h >> 32;
        }
        return static_cast<size_t>(h);
    }
    // Every key is placed again: in a layer of mostly new states about half the work of
    // the transitions that made them, and never priced with them.
    void grow() {
        const size_t slots = table_.size() * 2;
        tableCharge_.budget().spend(count_ * transitionSteps(count_, width_) / 2);
        tableCharge_.take(slots * sizeof(int32_t));
        std::vector<int32_t>(slots, -1).swap(table_);
        tableCharge_.give(slots / 2 * sizeof(int32_t));
        const size_t mask = slots - 1;
        for (size_t s = 0; s < count_; ++s) {
            size_t h = hash(keys_.data() + s * width_) & mask;
            while (table_[h] >= 0) h = (h + 1) & mask;
            table_[h] = static_cast<int32_t>(s);
        }
    }
    void reserveKeys() {
        const size_t held = keys_.capacity();
        const size_t more = std::max<size_t>(2 * held, 64 * width_);
        keysCharge_.take(more * sizeof(Word));
        keys_.reserve(more);
        keysCharge_.give(held * sizeof(Word));
    }

    size_t width_;
    Charge tableCharge_, keysCharge_;
    size_t count_ = 0;
    std::vector<int32_t> table_;
    std::vector<Word> keys_;
};

// A need that this group lowers: read from the previous key, or the right-hand side of an
// equation that opens now.
struct Touched {
    bool fromPrev = false;
    Field field;
    int64_t base = 0;
    int64_t cap = 0;  // mines the equation's undecided groups can still take; -1: it closes now
};

}  // namespace

// How a layer's keys become the next layer's: clear the fields of closing equations (keep),
// set those of opening ones (opened), and lower the touched ones by j (unit).
struct StateGraph::Plan {
    std::vector<Touched> touched;
    std::vector<std::pair<uint32_t, Field>> opening;
    size_t keyWords = 0;
    std::vector<Word> keep, opened, unit;
};

// Bookkeeping while the layers are built: per equation the groups and capacity left and
// its field while open, the fields in use, and the keys of the newest layer.
struct StateGraph::Build {
    explicit Build(Budget& budget) : keysCharge(budget) {}
    std::vector<size_t> groupsLeft;
    std::vector<int64_t> capacity;
    std::vector<int64_t> fieldOf;  // per equation: its field while open, or -1
    std::vector<char> fieldUsed;
    uint32_t fieldBits = 1;
    uint32_t perWord = 64;
    size_t keyWords = 0;
    std::vector<Word> keys;
    Charge keysCharge;
    Plan plan;
    Field field(size_t f) const {
        return {static_cast<uint32_t>(f / perWord), static_cast<uint32_t>(f % perWord * fieldBits)};
    }
};

StateGraph::StateGraph(const Component& component, std::vector<uint32_t> order, Budget& budget)
    : c_(component), order_(std::move(order)), charge_(budget) {
    Build b(budget);
    b.groupsLeft.resize(c_.eqs.size());
    b.capacity.assign(c_.eqs.size(), 0);
    int64_t largest = 1;
    for (size_t e = 0; e < c_.eqs.size(); ++e) {
        b.groupsLeft[e] = c_.eqs[e].groups.size();
        for (uint32_t g : c_.eqs[e].groups) b.capacity[e] += static_cast<int64_t>(c_.groups[g].size);
        largest = std::max(largest, c_.eqs[e].rhs);
    }
    // A need never exceeds its right-hand side.
    b.fieldBits = static_cast<uint32_t>(std::bit_width(static_cast<uint64_t>(largest)));
    b.perWord = 64 / b.fieldBits;
    b.fieldOf.assign(c_.eqs.size(), -1);
    layers_.reserve(order_.size() + 1);
    Layer first;
    first.lo = {0};
    first.hi = {0};
    first.rowAt = {0, 1};
    first.bits = {1};
    layers_.push_back(std::move(first));
    for (uint32_t g : order_) step(b, g);
}

void StateGraph::plan(Build& b, uint32_t g, Plan& p) const {
    const Group& group = c_.groups[g];
    p.touched.clear();
    p.opening.clear();
    auto& opening = p.opening;
    for (uint32_t e : group.eqs) {
        --b.groupsLeft[e];
        b.capacity[e] -= static_cast<int64_t>(group.size);
        const bool closes = b.groupsLeft[e] == 0;
        const int64_t cap = closes ? -1 : b.capacity[e];
        if (b.fieldOf[e] >= 0) {
            const auto f = static_cast<size_t>(b.fieldOf[e]);
            p.touched.push_back({true, b.field(f), 0, cap});
            if (closes) {
                b.fieldUsed[f] = 0;
                b.fieldOf[e] = -1;
            }
        } else {
            p.touched.push_back({false, {}, c_.eqs[e].rhs, cap});
            if (!closes) opening.emplace_back(e, Field{});
        }
    }
    // Opening equations take the lowest free fields, freed ones included.
    for (auto& [e, field] : opening) {
        const auto free =
            static_cast<size_t>(std::find(b.fieldUsed.begin(), b.fieldUsed.end(), 0) - b.fieldUsed.begin());
        if (free == b.fieldUsed.size()) b.fieldUsed.push_back(0);
        b.fieldUsed[free] = 1;
        b.fieldOf[e] = static_cast<int64_t>(free);
        field = b.field(free);
    }
    while (!b.fieldUsed.empty() && !b.fieldUsed.back()) b.fieldUsed.pop_back();
    p.keyWords = (b.fieldUsed.size() + b.perWord - 1) / b.perWord;
    const size_t words = std::max(p.keyWords, b.keyWords);
    p.keep.assign(words, ~Word{0});
    p.opened.assign(words, 0);
    p.unit.assign(words, 0);
    const Word mask = b.fieldBits == 64 ? ~Word{0} : (Word{1} << b.fieldBits) - 1;
    size_t next = 0;
    for (Touched& t : p.touched) {
        if (!t.fromPrev && t.cap >= 0) t.field = p.opening[next++].second;
        if (t.cap < 0) {
            if (t.fromPrev) p.keep[t.field.word] &= ~(mask << t.field.shift);
            continue;
        }
        if (!t.fromPrev) p.opened[t.field.word] |= static_cast<Word>(t.base) << t.field.shift;
        p.unit[t.field.word] |= Word{1} << t.field.shift;
    }
}

void StateGraph::step(Build& b, uint32_t g) {
    Plan& p = b.plan;
    plan(b, g, p);
    const size_t size = c_.groups[g].size;
    const size_t choices = size + 1;
    const Word mask = b.fieldBits == 64 ? ~Word{0} : (Word{1} << b.fieldBits) - 1;
    Layer& prev = layers_.back();
    Budget& budget = charge_.budget();
    prev.choices = choices;
    charge_.take(prev.count() * choices * sizeof(int32_t));
    prev.next.assign(prev.count() * choices, -1);
    const uint64_t steps = transitionSteps(prev.count(), p.keyWords);
    size_t states = 0;
    {
        KeyIndex index(budget, p.keyWords, prev.count());
        std::vector<Word> base(p.keep.size()), key(p.keyWords);
        for (size_t s = 0; s < prev.count(); ++s) {
            const Word* pk = b.keys.data() + s * b.keyWords;
            int64_t jlo = 0;
            auto jhi = static_cast<int64_t>(size);
            for (const Touched& t : p.touched) {
                const int64_t need =
                    t.fromPrev ? static_cast<int64_t>(pk[t.field.word] >> t.field.shift & mask) : t.base;
                // A closing equation needs exactly j more; an open one keeps 0 <= need - j <= cap.
                jlo = std::max(jlo, t.cap < 0 ? need : need - t.cap);
                jhi = std::min(jhi, need);
            }
            const auto made = static_cast<uint64_t>(std::max<int64_t>(jhi - jlo + 1, 0));
            budget.spend(3 * p.touched.size() + 2 * base.size() + made * steps +
                         (choices - made) * kSlotSteps);
            for (size_t w = 0; w < base.size(); ++w)
                base[w] = ((w < b.keyWords ? pk[w] : 0) & p.keep[w]) | p.opened[w];
            // Lowering every touched need by j never borrows across fields: j <= each need.
            for (int64_t j = jlo; j <= jhi; ++j) {
                for (size_t w = 0; w < p.keyWords; ++w) key[w] = base[w] - static_cast<Word>(j) * p.unit[w];
                prev.next[s * choices + static_cast<size_t>(j)] = index.insert(key.data());
            }
        }
        b.keyWords = p.keyWords;
        index.handOver(b.keys, b.keysCharge);
        states = index.count();
    }
    charge_.take(states * 2 * sizeof(int32_t));
    Layer next;
    next.lo.assign(states, std::numeric_limits<int32_t>::max());
    next.hi.assign(states, std::numeric_limits<int32_t>::min());
    countsOfNext(prev, next, size);
    layers_.push_back(std::move(next));
}

// Least and most mines per state of the next layer, then its bit rows.
void StateGraph::countsOfNext(Layer& prev, Layer& next, size_t size) {
    const size_t choices = size + 1;
    for (size_t s = 0; s < prev.count(); ++s)
        for (size_t j = 0; j < choices; ++j) {
            const int32_t t = prev.next[s * choices + j];
            if (t < 0) continue;
            const auto u = static_cast<size_t>(t);
            next.lo[u] = std::min(next.lo[u], prev.lo[s] + static_cast<int32_t>(j));
            next.hi[u] = std::max(next.hi[u], prev.hi[s] + static_cast<int32_t>(j));
        }
    charge_.take((next.count() + 1) * sizeof(uint32_t));
    next.rowAt.resize(next.count() + 1);
    next.rowAt[0] = 0;
    for (size_t s = 0; s < next.count(); ++s)
        next.rowAt[s + 1] =
            next.rowAt[s] + static_cast<uint32_t>(wordsFor(static_cast<size_t>(next.hi[s] - next.lo[s]) + 1));
    charge_.take(next.rowAt.back() * sizeof(Word));
    next.bits.assign(next.rowAt.back(), 0);
    Budget& budget = charge_.budget();
    for (size_t s = 0; s < prev.count(); ++s) {
        const size_t words = prev.rowAt[s + 1] - prev.rowAt[s];
        // Rows of more than a word, here and in restrict() later: spent now, so that
        // restrict() cannot fail.
        if (words > 1) budget.spend(choices * 3 * (words - 1));
        for (size_t j = 0; j < choices; ++j) {
            const int32_t t = prev.next[s * choices + j];
            if (t < 0) continue;
            const auto u = static_cast<size_t>(t);
            orShifted(&next.bits[next.rowAt[u]], next.rowAt[u + 1] - next.rowAt[u], &prev.bits[prev.rowAt[s]],
                      words, prev.lo[s] + static_cast<int32_t>(j) - next.lo[u]);
        }
    }
}

CountSet StateGraph::layoutCounts(size_t size) const {
    CountSet counts(size);
    const Layer& last = layers_.back();
    if (last.count() == 0) return counts;
    for (size_t i = 0; i < static_cast<size_t>(last.hi[0] - last.lo[0]) + 1; ++i)
        if (last.bits[i / 64] >> (i % 64) & 1) counts.insert(last.lo[0] + static_cast<int64_t>(i));
    return counts;
}

void StateGraph::restrict(const CountSet& allowed, std::vector<std::vector<char>>& possible) {
    possible.resize(c_.groups.size());
    for (size_t g = 0; g < c_.groups.size(); ++g) possible[g].assign(c_.groups[g].size + 1, 0);
    Layer& last = layers_.back();
    if (last.count() > 0)
        andShifted(last.bits.data(), last.rowAt[1], allowed.words(), allowed.wordCount(), -last.lo[0]);
    std::vector<Word> acc;
    for (size_t t = order_.size(); t-- > 0;) {
        keepCompleting(t, possible[order_[t]], acc);
        finishRows(layers_[t + 1]);
    }
    finishRows(layers_[0]);
}

// Layer t keeps the mine counts from which some transition reaches a kept count of layer
// t + 1; a transition that reaches none is removed, one that does makes its j possible.
void StateGraph::keepCompleting(size_t t, std::vector<char>& possible, std::vector<Word>& acc) {
    Layer& layer = layers_[t];
    const Layer& next = layers_[t + 1];
    const size_t choices = layer.choices;
    for (size_t s = 0; s < layer.count(); ++s) {
        Word* row = &layer.bits[layer.rowAt[s]];
        const size_t words = layer.rowAt[s + 1] - layer.rowAt[s];
        acc.assign(words, 0);
        for (size_t j = 0; j < choices; ++j) {
            int32_t& target = layer.next[s * choices + j];
            if (target < 0) continue;
            const auto u = static_cast<size_t>(target);
            const Word* to = &next.bits[next.rowAt[u]];
            const size_t toWords = next.rowAt[u + 1] - next.rowAt[u];
            const ptrdiff_t shift = next.lo[u] - static_cast<int32_t>(j) - layer.lo[s];
            if (!meetsShifted(row, words, to, toWords, shift)) {
                target = -1;
                continue;
            }
            possible[j] = 1;
            orShifted(acc.data(), words, to, toWords, shift);
        }
        for (size_t w = 0; w < words; ++w) row[w] &= acc[w];
    }
}

// Bit rows become ranges [lo, hi] of the counts kept; the rows themselves go.
void StateGraph::finishRows(Layer& layer) {
    for (size_t s = 0; s < layer.count(); ++s) {
        const Word* row = &layer.bits[layer.rowAt[s]];
        const size_t words = layer.rowAt[s + 1] - layer.rowAt[s];
        if (!anyBit(row, words)) {
            layer.hi[s] = layer.lo[s] - 1;
            continue;
        }
        const int32_t base = layer.lo[s];
        layer.lo[s] = base + static_cast<int32_t>(lowestBit(row, words));
        layer.hi[s] = base + static_cast<int32_t>(highestBit(row, words));
    }
    charge_.give(layer.bits.size() * sizeof(Word) + layer.rowAt.size() * sizeof(uint32_t));
    std::vector<Word>().swap(layer.bits);
    std::vector<uint32_t>().swap(layer.rowAt);
}

}  // namespace gravlin::engine
