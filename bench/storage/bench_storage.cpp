// Saving and loading a 30 x 24 game with 99 mines in the middle of play: the whole menu
// procedure (dialog answered by a fake host, overwrite question, file written or read,
// board rebuilt), and the text formats alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

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
        program.form.seedSource = [] { return 3; };
        program.form.x_actual = 30;
        program.form.y_actual = 24;
        program.form.no_mines_actual = 99;
        program.form.InitGame();
        program.field.Feldaufbau_Click();
        program.form.Command1_MouseDown(12 * 30 + 15, Form1::LeftButton, 0, 0, 0);
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
        program.storage.load_Click();
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
    if (!g.host.closed.empty() || g.program.form.x_game != 30) state.SkipWithError("load failed");
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

}  // namespace

BENCHMARK_MAIN();
