#include "gravlin/storage/mine_layout_format.h"

#include <algorithm>

#include "gravlin/storage/limits.h"
#include "gravlin/storage/text_lines.h"

namespace gravlin::storage {

MineLayoutScan scanMineLayout(std::string_view text) {
    MineLayoutScan scan;
    for (std::string_view line : splitLines(text)) {
        if (line.empty()) continue;
        ++scan.rows;
        scan.width = std::max<long long>(scan.width, static_cast<long long>(line.size()));
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] != 'M' && line[i] != 'm') continue;
            ++scan.mines;
            if (scan.rows <= kMaxHeight && i < kMaxWidth)
                scan.mineCells.push_back({static_cast<int>(i) + 1, static_cast<int>(scan.rows)});
        }
    }
    return scan;
}

std::string formatMineLayout(int width, int height, const std::vector<bool>& isMine) {
    std::string out;
    if (width <= 0 || height <= 0) return out;
    out.reserve(static_cast<std::size_t>(width + 2) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t L =
                static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
            out += L < isMine.size() && isMine[L] ? 'm' : '-';
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace gravlin::storage
