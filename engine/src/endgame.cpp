#include "endgame.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <span>
#include <unordered_map>

#include "neighbours.h"

namespace gravlin::engine {

namespace {

// Without a population-count instruction in the baseline the library is built for, the
// compiler calls a library routine; this is several times faster.
uint32_t bitsSet(uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0fULL;
    return static_cast<uint32_t>((x * 0x0101010101010101ULL) >> 56);
}

class Endgame {
  public:
    explicit Endgame(const EndgameLimits& limits) : limits_(limits) {}

    // Lists the layouts of the undecided unknowns; false when there are too many of them or
    // of the layouts, or the work ran out.
    bool list(const IndexedSystem& system, const Analysis& an, const std::vector<size_t>& order);
    // The unknown whose opening wins the most layouts; nothing when the work ran out.
    std::optional<size_t> best();
    uint64_t work() const { return work_; }

  private:
    // Layouts are numbered in this type; list() refuses more than it can number, whatever
    // the limit asks.
    using Index = uint16_t;
    static constexpr size_t kMostLayouts = size_t{std::numeric_limits<Index>::max()} + 1;
    using Subset = std::span<const Index>;
    static constexpr uint64_t kRememberingCost = 8;

    bool spend(uint64_t units) {
        work_ += units;
        if (work_ > limits_.work) aborted_ = true;
        return !aborted_;
    }
    void listFrom(size_t v);
    uint32_t won(const Subset& layouts);
    uint32_t wonAfterOpening(size_t cell, const Subset& layouts, uint32_t toBeat);
    std::optional<size_t> tellingFreeCell(const Subset& layouts, const std::vector<uint32_t>& mines) const;
    std::vector<uint32_t> minesPerCell(const Subset& layouts);
    // The cells that may be guessed, fewest mines first, then by preference.
    std::vector<size_t> guesses(const Subset& layouts, const std::vector<uint32_t>& mines) const;

    const EndgameLimits& limits_;
    uint64_t work_ = 0;
    bool aborted_ = false;
    std::vector<size_t> living_;    // local cell -> unknown
    std::vector<uint64_t> around_;  // local cell -> its living neighbours
    std::vector<size_t> rank_;      // local cell -> place in the order of preference
    struct LocalEquation {
        std::vector<uint32_t> vars;
        int64_t rest = 0;
        int64_t left = 0;
    };
    std::vector<LocalEquation> equations_;
    std::vector<std::vector<uint32_t>> equationsOf_;
    uint64_t current_ = 0;
    std::vector<uint64_t> layouts_;  // mines of each layout, one bit per local cell
    // Sets of layouts already searched: by a hash, each entry the set's place in memoSets_
    // and its count.
    struct Remembered {
        size_t at = 0;
        uint32_t size = 0;
        uint32_t won = 0;
    };
    std::unordered_multimap<uint64_t, Remembered> memo_;
    std::vector<Index> memoSets_;
    static uint64_t hash(const Subset& layouts);
    const Remembered* remembered(uint64_t key, const Subset& layouts) const;
};

bool Endgame::list(const IndexedSystem& system, const Analysis& an, const std::vector<size_t>& order) {
    std::vector<int32_t> local(an.codes.size(), -1);
    for (size_t i = 0; i < an.codes.size(); ++i)
        if (an.value[i] < 0) {
            local[i] = static_cast<int32_t>(living_.size());
            living_.push_back(i);
        }
    if (living_.empty() || living_.size() > std::min<size_t>(limits_.unknowns, 64)) return false;
    rank_.assign(living_.size(), order.size());
    for (size_t r = 0; r < order.size(); ++r)
        if (local[order[r]] >= 0) rank_[static_cast<size_t>(local[order[r]])] = r;
    for (size_t i : living_) {
        uint64_t mask = 0;
        for (uint32_t n : neighbourUnknowns(system, i))
            if (local[n] >= 0) mask |= uint64_t{1} << local[n];
        around_.push_back(mask);
    }
    equationsOf_.resize(living_.size());
    for (const IndexedEquation& e : system.equations()) {
        LocalEquation le;
        le.rest = e.rhs;
        for (uint32_t v : e.vars) {
            if (local[v] >= 0)
                le.vars.push_back(static_cast<uint32_t>(local[v]));
            else
                le.rest -= an.value[v];
        }
        if (le.vars.empty()) continue;
        le.left = static_cast<int64_t>(le.vars.size());
        for (uint32_t v : le.vars) equationsOf_[v].push_back(static_cast<uint32_t>(equations_.size()));
        equations_.push_back(std::move(le));
    }
    listFrom(0);
    return !aborted_ && !layouts_.empty();
}

void Endgame::listFrom(size_t v) {
    // A unit covers a cell of a board (in at most 9 equations); a system whose equations
    // each name most of the cells pays for each further 16 its cell is in.
    const uint64_t units = 1 + (v < living_.size() ? equationsOf_[v].size() / 16 : 0);
    if (!spend(units) || layouts_.size() > std::min(limits_.layouts, kMostLayouts - 1)) {
        aborted_ = true;
        return;
    }
    if (v == living_.size()) {
        layouts_.push_back(current_);
        return;
    }
    for (int64_t mine = 0; mine <= 1 && !aborted_; ++mine) {
        bool fits = true;
        for (uint32_t e : equationsOf_[v]) {
            LocalEquation& le = equations_[e];
            le.rest -= mine;
            --le.left;
            fits = fits && le.rest >= 0 && le.rest <= le.left;
        }
        if (fits) {
            if (mine) current_ |= uint64_t{1} << v;
            listFrom(v + 1);
            current_ &= ~(uint64_t{1} << v);
        }
        for (uint32_t e : equationsOf_[v]) {
            equations_[e].rest += mine;
            ++equations_[e].left;
        }
    }
}

std::vector<uint32_t> Endgame::minesPerCell(const Subset& layouts) {
    spend(layouts.size());
    std::vector<uint32_t> mines(living_.size(), 0);
    for (Index s : layouts)
        for (uint64_t bits = layouts_[s]; bits != 0; bits &= bits - 1) ++mines[std::countr_zero(bits)];
    return mines;
}

// The layouts where the cell is safe, split by the number it shows; each part is then
// played on. Once the parts cannot add up to more than toBeat, the sum so far plus what
// is left stands in for the exact count: a bound no greater than toBeat.
uint32_t Endgame::wonAfterOpening(size_t cell, const Subset& layouts, uint32_t toBeat) {
    spend(layouts.size());
    std::array<uint32_t, 10> start{};
    for (Index s : layouts)
        if (!(layouts_[s] >> cell & 1))
            ++start[static_cast<size_t>(bitsSet(layouts_[s] & around_[cell])) + 1];
    for (size_t n = 1; n < start.size(); ++n) start[n] += start[n - 1];
    std::vector<Index> parts(start.back());
    std::array<uint32_t, 9> fill;
    std::copy(start.begin(), start.end() - 1, fill.begin());
    for (Index s : layouts)
        if (!(layouts_[s] >> cell & 1))
            parts[fill[static_cast<size_t>(bitsSet(layouts_[s] & around_[cell]))]++] = s;
    uint32_t left = start.back();
    uint32_t sum = 0;
    for (size_t n = 0; n < 9; ++n) {
        const uint32_t size = start[n + 1] - start[n];
        if (size == 0) continue;
        left -= size;
        sum += won(Subset(parts.data() + start[n], size));
        if (aborted_ || sum + left <= toBeat) return sum + left;
    }
    return sum;
}

uint64_t Endgame::hash(const Subset& layouts) {
    uint64_t h = 0x9e3779b97f4a7c15ULL ^ layouts.size();
    for (Index s : layouts) h = (h ^ s) * 0xff51afd7ed558ccdULL;
    return h ^ (h >> 29);
}

const Endgame::Remembered* Endgame::remembered(uint64_t key, const Subset& layouts) const {
    const auto [from, to] = memo_.equal_range(key);
    for (auto it = from; it != to; ++it) {
        const Remembered& r = it->second;
        if (r.size == layouts.size() &&
            std::equal(layouts.begin(), layouts.end(), memoSets_.begin() + static_cast<std::ptrdiff_t>(r.at)))
            return &r;
    }
    return nullptr;
}

// A cell free in every layout whose number still differs between them.
std::optional<size_t> Endgame::tellingFreeCell(const Subset& layouts,
                                               const std::vector<uint32_t>& mines) const {
    for (size_t c = 0; c < living_.size(); ++c) {
        if (mines[c] != 0) continue;
        const uint64_t first = bitsSet(layouts_[layouts[0]] & around_[c]);
        for (Index s : layouts)
            if (static_cast<uint64_t>(bitsSet(layouts_[s] & around_[c])) != first) return c;
    }
    return std::nullopt;
}

// How many of the layouts best play wins.
uint32_t Endgame::won(const Subset& layouts) {
    if (layouts.size() == 1) return 1;
    if (!spend(layouts.size())) return 0;
    const uint64_t key = hash(layouts);
    if (const Remembered* r = remembered(key, layouts)) return r->won;
    const std::vector<uint32_t> mines = minesPerCell(layouts);
    uint32_t result = 0;
    if (const auto free = tellingFreeCell(layouts, mines)) {
        result = wonAfterOpening(*free, layouts, 0);
    } else {
        for (size_t c : guesses(layouts, mines)) {
            if (layouts.size() - mines[c] <= result) break;  // cannot beat the best so far
            result = std::max(result, wonAfterOpening(c, layouts, result));
            if (aborted_) return 0;
        }
    }
    // Keeping it costs a node as well: the work bounds the memory too.
    if (!spend(kRememberingCost)) return 0;
    memo_.emplace(key, Remembered{memoSets_.size(), static_cast<uint32_t>(layouts.size()), result});
    memoSets_.insert(memoSets_.end(), layouts.begin(), layouts.end());
    return result;
}

std::vector<size_t> Endgame::guesses(const Subset& layouts, const std::vector<uint32_t>& mines) const {
    std::vector<size_t> cells;
    for (size_t c = 0; c < living_.size(); ++c)
        if (mines[c] > 0 && mines[c] < layouts.size()) cells.push_back(c);
    std::sort(cells.begin(), cells.end(), [&](size_t a, size_t b) {
        return mines[a] != mines[b] ? mines[a] < mines[b] : rank_[a] < rank_[b];
    });
    return cells;
}

std::optional<size_t> Endgame::best() {
    std::vector<Index> numbers(layouts_.size());
    for (size_t s = 0; s < numbers.size(); ++s) numbers[s] = static_cast<Index>(s);
    const Subset all(numbers);
    const std::vector<uint32_t> mines = minesPerCell(all);
    std::optional<size_t> best;
    uint32_t bestWon = 0;
    for (size_t c : guesses(all, mines)) {
        if (best && all.size() - mines[c] <= bestWon) break;
        const uint32_t w = wonAfterOpening(c, all, bestWon);
        if (aborted_) return std::nullopt;
        if (!best || w > bestWon) {
            best = living_[c];
            bestWon = w;
        }
    }
    return best;
}

}  // namespace

EndgameResult bestEndgameCell(const IndexedSystem& system, const Analysis& an,
                              const std::vector<size_t>& order, const EndgameLimits& limits) {
    Endgame endgame(limits);
    EndgameResult out;
    if (endgame.list(system, an, order)) out.cell = endgame.best();
    out.work = endgame.work();
    return out;
}

}  // namespace gravlin::engine
