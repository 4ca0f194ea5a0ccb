#pragma once
// Temporary folders, whole-file helpers and a started program for the tests of files.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

#include "board_fixture.h"

namespace gravlin::testing {

struct TempFolder {
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "gravlin-storage-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
    std::filesystem::path path;
};

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline std::string readFile(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

// Ends the test process when what it guards has not returned in time, so a blocking open
// fails the test instead of hanging the run.
struct Watchdog {
    explicit Watchdog(unsigned seconds) { ::alarm(seconds); }
    ~Watchdog() { ::alarm(0); }
};

}  // namespace gravlin::testing

namespace gravlin {

// A started program with a temporary folder for its files.
class StorageTest : public GameTest {
  protected:
    // Picks `item` from the menu and answers its file dialog with `path`.
    void choose(MenuItem& item, const std::string& path) {
        host.fileAnswers.push_back(path);
        (*form.menuNode(item).click)();
    }
    bool ended() const {
        return std::find(host.closed.begin(), host.closed.end(), &form) != host.closed.end();
    }
    void expectMessage(const std::string& text, const std::string& title, MsgIcon icon) {
        ASSERT_FALSE(host.messages.empty());
        const auto& m = host.messages.back();
        EXPECT_EQ(std::tie(m.text, m.title, m.icon), std::tie(text, title, icon));
    }
    testing::TempFolder folder;
};

}  // namespace gravlin
