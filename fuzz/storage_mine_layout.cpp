// Any bytes as a mine layout: the measures agree with the mines kept, a layout within the
// limits survives writing and reading again, and loads and plays to the end. Read in small
// pieces it gives the same answer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "gravlin/storage/mine_layout_format.h"
#include "storage_play.h"

using namespace gravlin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const storage::MineLayoutScan scan = storage::scanMineLayout(text);
    storage::TextSource pieces(text, 1 + size % 7);
    const storage::MineLayoutScan again = storage::readMineLayout(pieces);
    if (again.width != scan.width || again.rows != scan.rows || again.mines != scan.mines ||
        again.mineCells != scan.mineCells)
        std::abort();
    if (scan.width < 0 || scan.rows < 0 || scan.mines < 0 || scan.width > static_cast<long long>(size))
        std::abort();
    if (static_cast<long long>(scan.mineCells.size()) > scan.mines) std::abort();
    for (const auto& c : scan.mineCells) {
        if (c.x < 1 || c.x > scan.width || c.x > 30 || c.y < 1 || c.y > scan.rows || c.y > 24) std::abort();
    }
    if (scan.tooLarge() || scan.tooSmall()) return 0;
    if (static_cast<long long>(scan.mineCells.size()) != scan.mines) std::abort();

    const int w = static_cast<int>(scan.width);
    const int h = static_cast<int>(scan.rows);
    std::vector<bool> mines(static_cast<std::size_t>(w * h), false);
    for (const auto& c : scan.mineCells) mines[static_cast<std::size_t>((c.y - 1) * w + c.x - 1)] = true;
    const storage::MineLayoutScan written = storage::scanMineLayout(storage::formatMineLayout(w, h, mines));
    if (written.width != scan.width || written.rows != scan.rows || written.mines != scan.mines) std::abort();

    fuzz::loadAndPlay([&](Program& p) {
        p.flow.setUpLayout(scan);
        int placed = 0;
        for (int x = 1; x <= w; ++x)
            for (int y = 1; y <= h; ++y) placed += p.game.is_mine(x, y) ? 1 : 0;
        if (placed != scan.mines) std::abort();
    });
    return 0;
}
