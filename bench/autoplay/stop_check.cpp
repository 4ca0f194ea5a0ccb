#include "stop_check.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace gravlin::bench {
namespace {

struct Equation {
    std::vector<int> unknowns;  // indices into the position's unknowns
    int need = 0;
};

// One group of equations linked by shared unknowns; unknowns in no equation of the group
// belong to other groups or to the interior.
struct Group {
    std::vector<int> unknowns;
    std::vector<int> equations;
    // After enumeration, indexed [mines in the group][unknown of the group]:
    std::vector<bool> possible;   // some assignment has that many mines
    std::vector<bool> canBeMine;  // flattened: k * size + i
    std::vector<bool> canBeFree;
};

class Enumerator {
  public:
    Enumerator(Group& g, const std::vector<Equation>& equations, long long& nodes, long long maxNodes)
        : g_(g), equations_(equations), nodes_(nodes), maxNodes_(maxNodes) {
        const int n = static_cast<int>(g.unknowns.size());
        order_ = searchOrder(n);
        value_.assign(static_cast<std::size_t>(n), 0);
        sum_.assign(equations.size(), 0);
        open_.assign(equations.size(), 0);
        for (int e : g.equations)
            open_[static_cast<std::size_t>(e)] =
                static_cast<int>(equations[static_cast<std::size_t>(e)].unknowns.size());
        g.possible.assign(static_cast<std::size_t>(n + 1), false);
        g.canBeMine.assign(static_cast<std::size_t>((n + 1) * n), false);
        g.canBeFree.assign(static_cast<std::size_t>((n + 1) * n), false);
    }

    // False when the step budget ran out.
    bool run(long long& leaves) {
        leaves_ = &leaves;
        return step(0, 0);
    }

  private:
    // Unknowns in breadth-first order over shared equations, so that each equation is
    // complete soon after its first unknown is set and wrong branches die early.
    std::vector<int> searchOrder(int n) {
        local_.clear();
        for (int i = 0; i < n; ++i) local_[g_.unknowns[static_cast<std::size_t>(i)]] = i;
        uses_.assign(static_cast<std::size_t>(n), {});
        for (int e : g_.equations)
            for (int u : equations_[static_cast<std::size_t>(e)].unknowns)
                uses_[static_cast<std::size_t>(local_.at(u))].push_back(e);
        std::vector<int> order;
        std::vector<bool> seen(static_cast<std::size_t>(n), false);
        for (int start = 0; start < n; ++start) {
            if (seen[static_cast<std::size_t>(start)]) continue;
            seen[static_cast<std::size_t>(start)] = true;
            order.push_back(start);
            for (std::size_t head = order.size() - 1; head < order.size(); ++head) {
                for (int e : uses_[static_cast<std::size_t>(order[head])])
                    for (int u : equations_[static_cast<std::size_t>(e)].unknowns) {
                        const int i = local_.at(u);
                        if (seen[static_cast<std::size_t>(i)]) continue;
                        seen[static_cast<std::size_t>(i)] = true;
                        order.push_back(i);
                    }
            }
        }
        return order;
    }

    bool step(std::size_t depth, int mines) {
        if (++nodes_ > maxNodes_) return false;
        const int n = static_cast<int>(order_.size());
        if (depth == order_.size()) {
            ++*leaves_;
            g_.possible[static_cast<std::size_t>(mines)] = true;
            const std::size_t row = static_cast<std::size_t>(mines * n);
            for (int i = 0; i < n; ++i) {
                if (value_[static_cast<std::size_t>(i)])
                    g_.canBeMine[row + static_cast<std::size_t>(i)] = true;
                else
                    g_.canBeFree[row + static_cast<std::size_t>(i)] = true;
            }
            return true;
        }
        const int i = order_[depth];
        const auto& uses = uses_[static_cast<std::size_t>(i)];
        for (int v = 0; v <= 1; ++v) {
            bool fits = true;
            for (int e : uses) {
                const std::size_t k = static_cast<std::size_t>(e);
                sum_[k] += v;
                --open_[k];
                const int need = equations_[k].need;
                if (sum_[k] > need || sum_[k] + open_[k] < need) fits = false;
            }
            value_[static_cast<std::size_t>(i)] = static_cast<char>(v);
            const bool ok = !fits || step(depth + 1, mines + v);
            for (int e : uses) {
                sum_[static_cast<std::size_t>(e)] -= v;
                ++open_[static_cast<std::size_t>(e)];
            }
            if (!ok) return false;
        }
        return true;
    }

    Group& g_;
    const std::vector<Equation>& equations_;
    long long& nodes_;
    long long maxNodes_;
    long long* leaves_ = nullptr;
    std::unordered_map<int, int> local_;
    std::vector<std::vector<int>> uses_;
    std::vector<int> order_;
    std::vector<char> value_;
    std::vector<int> sum_;
    std::vector<int> open_;
};

// Which totals a sum of groups can reach, one from each.
std::vector<bool> combine(const std::vector<bool>& a, const std::vector<bool>& b) {
    std::vector<bool> r(a.size() + b.size() - 1, false);
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i])
            for (std::size_t j = 0; j < b.size(); ++j)
                if (b[j]) r[i + j] = true;
    return r;
}

int findRoot(std::vector<int>& parent, int i) {
    while (parent[static_cast<std::size_t>(i)] != i) {
        parent[static_cast<std::size_t>(i)] =
            parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(i)])];
        i = parent[static_cast<std::size_t>(i)];
    }
    return i;
}

}  // namespace

Determination determine(const BoardState& f, const DeterminationLimits& limits) {
    Determination d;
    const int w = f.x_game, h = f.y_game;
    auto inconsistent = [&d](std::string why) {
        d.status = Determination::Status::Inconsistent;
        d.problem = std::move(why);
        return d;
    };
    auto at = [](int x, int y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ")"; };

    // Unknowns: every covered cell. Marks are known mines and leave the count.
    std::vector<int> unknownOf(static_cast<std::size_t>(w * h), -1);
    std::vector<std::int32_t> codeOf;
    int marks = 0;
    for (int x = 1; x <= w; ++x)
        for (int y = 1; y <= h; ++y) {
            if (f.marked(x, y)) {
                if (!f.is_mine(x, y)) return inconsistent("mark without a mine at " + at(x, y));
                ++marks;
            }
            if (!f.visible(x, y)) {
                unknownOf[static_cast<std::size_t>((y - 1) * w + (x - 1))] = static_cast<int>(codeOf.size());
                codeOf.push_back(100 * x + y);
            }
        }
    const int unknowns = static_cast<int>(codeOf.size());
    d.covered = unknowns;
    const int remaining = f.no_mines_game - marks;

    // One equation per open number with covered neighbours, from the number shown and the
    // marks around it (not from the program's own running count).
    std::vector<Equation> equations;
    for (int x = 1; x <= w; ++x)
        for (int y = 1; y <= h; ++y) {
            if (!f.visible(x, y) || f.marked(x, y)) continue;
            Equation e;
            e.need = f.mines_around(x, y);
            for (int i = x - 1; i <= x + 1; ++i)
                for (int j = y - 1; j <= y + 1; ++j) {
                    if ((i == x && j == y) || i < 1 || i > w || j < 1 || j > h) continue;
                    if (f.marked(i, j)) --e.need;
                    const int u = unknownOf[static_cast<std::size_t>((j - 1) * w + (i - 1))];
                    if (u >= 0) e.unknowns.push_back(u);
                }
            if (e.need < 0 || e.need > static_cast<int>(e.unknowns.size()))
                return inconsistent("number at " + at(x, y) + " cannot be met");
            if (!e.unknowns.empty()) equations.push_back(std::move(e));
        }

    // Groups of equations that share unknowns.
    std::vector<int> parent(static_cast<std::size_t>(unknowns));
    std::iota(parent.begin(), parent.end(), 0);
    std::vector<bool> onFrontier(static_cast<std::size_t>(unknowns), false);
    for (const Equation& e : equations)
        for (int u : e.unknowns) {
            onFrontier[static_cast<std::size_t>(u)] = true;
            parent[static_cast<std::size_t>(findRoot(parent, u))] = findRoot(parent, e.unknowns.front());
        }
    std::vector<int> groupOfRoot(static_cast<std::size_t>(unknowns), -1);
    std::vector<Group> groups;
    for (int u = 0; u < unknowns; ++u) {
        if (!onFrontier[static_cast<std::size_t>(u)]) continue;
        int& g = groupOfRoot[static_cast<std::size_t>(findRoot(parent, u))];
        if (g < 0) {
            g = static_cast<int>(groups.size());
            groups.emplace_back();
        }
        groups[static_cast<std::size_t>(g)].unknowns.push_back(u);
        ++d.frontier;
    }
    for (std::size_t e = 0; e < equations.size(); ++e) {
        const int g = groupOfRoot[static_cast<std::size_t>(findRoot(parent, equations[e].unknowns.front()))];
        groups[static_cast<std::size_t>(g)].equations.push_back(static_cast<int>(e));
    }
    for (const Group& g : groups)
        d.largestGroup = std::max(d.largestGroup, static_cast<int>(g.unknowns.size()));
    if (d.largestGroup > limits.maxGroup) {
        d.status = Determination::Status::TooLarge;
        return d;
    }

    long long nodes = 0;
    for (Group& g : groups) {
        if (!Enumerator(g, equations, nodes, limits.maxNodes).run(d.leaves)) {
            d.status = Determination::Status::TooLarge;
            return d;
        }
    }

    // The interior (covered, next to no number) takes whatever the groups leave of the
    // total, in any arrangement: a rest r fits when 0 <= r <= interior.
    const int interior = unknowns - d.frontier;
    auto restFits = [&](int groupMines, int lo, int hi) {
        const int rest = remaining - groupMines;
        return rest >= lo && rest <= hi;
    };

    const std::size_t n = groups.size();
    std::vector<std::vector<bool>> before(n + 1, std::vector<bool>{true}),
        after(n + 1, std::vector<bool>{true});
    for (std::size_t i = 0; i < n; ++i) before[i + 1] = combine(before[i], groups[i].possible);
    for (std::size_t i = n; i-- > 0;) after[i] = combine(after[i + 1], groups[i].possible);
    const std::vector<bool>& all = before[n];
    bool anyPlacement = false;
    for (std::size_t t = 0; t < all.size(); ++t)
        anyPlacement = anyPlacement || (all[t] && restFits(static_cast<int>(t), 0, interior));
    if (!anyPlacement) return inconsistent("no placement of the remaining mines fits");

    for (std::size_t gi = 0; gi < n; ++gi) {
        const Group& g = groups[gi];
        const std::vector<bool> others = combine(before[gi], after[gi + 1]);
        const int size = static_cast<int>(g.unknowns.size());
        std::vector<bool> totalFits(static_cast<std::size_t>(size + 1), false);
        for (int k = 0; k <= size; ++k) {
            if (!g.possible[static_cast<std::size_t>(k)]) continue;
            for (std::size_t s = 0; s < others.size() && !totalFits[static_cast<std::size_t>(k)]; ++s)
                totalFits[static_cast<std::size_t>(k)] =
                    others[s] && restFits(k + static_cast<int>(s), 0, interior);
        }
        for (int i = 0; i < size; ++i) {
            bool mine = false, free = false;
            for (int k = 0; k <= size; ++k) {
                if (!totalFits[static_cast<std::size_t>(k)]) continue;
                const std::size_t cell = static_cast<std::size_t>(k * size + i);
                mine = mine || g.canBeMine[cell];
                free = free || g.canBeFree[cell];
            }
            const std::int32_t code =
                codeOf[static_cast<std::size_t>(g.unknowns[static_cast<std::size_t>(i)])];
            if (!mine) d.free.push_back(code);
            if (!free) d.mines.push_back(code);
        }
    }
    if (interior > 0) {
        bool mine = false, free = false;
        for (std::size_t t = 0; t < all.size(); ++t) {
            if (!all[t]) continue;
            mine = mine || restFits(static_cast<int>(t), 1, interior);
            free = free || restFits(static_cast<int>(t), 0, interior - 1);
        }
        for (int u = 0; u < unknowns; ++u) {
            if (onFrontier[static_cast<std::size_t>(u)]) continue;
            if (!mine) d.free.push_back(codeOf[static_cast<std::size_t>(u)]);
            if (!free) d.mines.push_back(codeOf[static_cast<std::size_t>(u)]);
        }
    }
    std::sort(d.free.begin(), d.free.end());
    std::sort(d.mines.begin(), d.mines.end());
    return d;
}

}  // namespace gravlin::bench
