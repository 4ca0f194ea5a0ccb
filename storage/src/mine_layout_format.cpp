#include "gravlin/storage/mine_layout_format.h"

#include <algorithm>

#include "byte_reader.h"
#include "gravlin/text.h"

namespace gravlin::storage {

MineLayoutScan readMineLayout(ByteSource& source) {
    ByteReader in(source);
    in.skipByteOrderMark();
    MineLayoutScan scan;
    long long column = 0;  // characters of the current line so far
    while (!scan.tooLarge()) {
        // Empty lines are no rows; a CR LF pair is a line end and an empty line.
        if (column == 0) in.skipWhile([](char c) { return c == '\r' || c == '\n'; });
        const int c = in.get();
        if (c == ByteReader::kEnd) break;
        if (c == '\r' || c == '\n') {
            column = 0;
            continue;
        }
        if (column == 0) ++scan.rows;
        ++column;
        scan.width = std::max(scan.width, column);
        if (c != 'M' && c != 'm') continue;
        ++scan.mines;
        if (!scan.tooLarge())
            scan.mineCells.push_back({static_cast<int>(column), static_cast<int>(scan.rows)});
    }
    return scan;
}

MineLayoutScan scanMineLayout(std::string_view text) {
    TextSource source(text);
    return readMineLayout(source);
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
        out += kCrLf;
    }
    return out;
}

}  // namespace gravlin::storage
