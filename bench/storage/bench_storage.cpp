// Saving and loading a 30 x 24 game with 99 mines in the middle of play: the whole menu
// procedure (dialog answered by a fake host, overwrite question, file written or read,
// board rebuilt), and the text formats alone. Files of 50 MB of several kinds through the
// loaders: each must be answered within 100 ms, reading no more than it needs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "fake_host.h"
#include "gravlin/app/program.h"

namespace {

using namespace gravlin;

struct LargestGame {
    testing::FakeHost host;
    Program program{host};
    std::string path = (std::filesystem::temp_directory_path() / "gravlin-bench-storage.qzd").string();

    LargestGame() {
        program.start();
        program.flow.seedSource = [] { return 3; };
        program.flow.startGame(30, 24, 99);
        program.flow.Command1_MouseDown(12 * 30 + 15, Form1::LeftButton, 0, 0, 0);
    }
    ~LargestGame() { std::filesystem::remove(path); }

    void save() {
        host.fileAnswers.push_back(path);
        host.messageAnswers.push_back(MsgResult::Yes);
        program.storage.save_Click();
        host.messages.clear();
        host.fileRequests.clear();
    }
    void load() {
        host.fileAnswers.push_back(path);
        program.flow.load_Click();
        host.fileRequests.clear();
    }
};

void BM_SaveGame30x24(benchmark::State& state) {
    LargestGame g;
    for (auto _ : state) g.save();
    if (!g.host.closed.empty()) state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveGame30x24)->Unit(benchmark::kMicrosecond);

void BM_LoadGame30x24(benchmark::State& state) {
    LargestGame g;
    g.save();
    for (auto _ : state) g.load();
    if (!g.host.closed.empty() || g.program.game.x_game != 30) state.SkipWithError("load failed");
}
BENCHMARK(BM_LoadGame30x24)->Unit(benchmark::kMicrosecond);

void BM_FormatAndParse30x24(benchmark::State& state) {
    LargestGame g;
    const storage::SavedGame game = g.program.storage.captureGame();
    for (auto _ : state) {
        const std::string text = storage::formatSavedGame(game);
        benchmark::DoNotOptimize(storage::parseSavedGame(text));
    }
}
BENCHMARK(BM_FormatAndParse30x24)->Unit(benchmark::kMicrosecond);

constexpr std::size_t kLargeFile = std::size_t{50} << 20;

struct LargeFile {
    const char* label;
    bool layout;
    std::string (*make)(const std::string& game, const std::string& layout);
};

std::string repeated(const std::string& piece) {
    std::string out;
    out.reserve(kLargeFile + piece.size());
    while (out.size() < kLargeFile) out += piece;
    return out;
}

std::string randomBytes() {
    std::mt19937_64 random(50);
    std::string out(kLargeFile, '\0');
    for (char& c : out) c = static_cast<char>(random());
    return out;
}

const LargeFile kLargeFiles[] = {
    {"game, then 50 MB of lines", false,
     [](auto& g, auto&) { return g + repeated("#TRUE#,1,1,#TRUE#\r\n"); }},
    {"50 MB of blank lines, then a game", false, [](auto& g, auto&) { return repeated(" \t\r\n") + g; }},
    {"width with 50 MB of leading zeros", false,
     [](auto& g, auto&) { return std::string(kLargeFile, '0') + g; }},
    {"50 MB of random bytes as a game", false, [](auto&, auto&) { return randomBytes(); }},
    {"50 MB of empty lines, then a layout", true, [](auto&, auto& l) { return repeated("\r\n") + l; }},
    {"a layout row of 50 MB", true, [](auto&, auto&) { return std::string(kLargeFile, '-'); }},
    {"50 MB of random bytes as a layout", true, [](auto&, auto&) { return randomBytes(); }},
};

// The question a layout asks is answered "No", so every round reads the same file.
void BM_Load50MB(benchmark::State& state) {
    const LargeFile& kind = kLargeFiles[state.range(0)];
    LargestGame g;
    const std::string game = storage::formatSavedGame(g.program.storage.captureGame());
    const std::string layout = "m--\r\n-m-\r\n--m\r\n";
    {
        std::ofstream out(g.path, std::ios::binary | std::ios::trunc);
        out << kind.make(game, layout);
    }
    for (auto _ : state) {
        g.host.fileAnswers.push_back(g.path);
        if (kind.layout)
            g.program.flow.load_mine_Click();
        else
            g.program.flow.load_Click();
        g.host.messages.clear();
        g.host.closed.clear();
        g.host.fileRequests.clear();
    }
    state.SetLabel(kind.label);
}
BENCHMARK(BM_Load50MB)
    ->DenseRange(0, std::size(kLargeFiles) - 1)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("max",
                        [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); });

}  // namespace

BENCHMARK_MAIN();
