// Any bytes as a saved game: refused, or accepted within the limits, written back to the
// same game, and playable to the end. Read in small pieces it gives the same answer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "gravlin/storage/saved_game_format.h"
#include "storage_play.h"

using namespace gravlin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto game = storage::parseSavedGame(text);
    storage::TextSource pieces(text, 1 + size % 7);
    if (storage::readSavedGame(pieces) != game) std::abort();
    if (!game) return 0;
    if (game->width < 3 || game->width > 30 || game->height < 3 || game->height > 24) std::abort();
    if (game->mines < 0 || game->mines > game->width * game->height) std::abort();
    if (game->cells.size() != static_cast<std::size_t>(game->width * game->height)) std::abort();
    if (storage::parseSavedGame(storage::formatSavedGame(*game)) != game) std::abort();
    fuzz::loadAndPlay([&](Program& p) { p.flow.setUpGame(*game); });
    return 0;
}
