#pragma once
// Temporary folders, whole-file helpers and a started program for the storage tests.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "board_fixture.h"

namespace gravlin::testing {

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "gravlin-storage-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline std::string readFile(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

// A named pipe without a writer or reader: whatever opens it the ordinary way waits for
// the other end forever.
inline void makeFifo(const std::string& path) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
}

// Ends the test process when what it guards has not returned in time, so a blocking open
// fails the test instead of hanging the run.
class Watchdog {
  public:
    explicit Watchdog(unsigned seconds) { ::alarm(seconds); }
    ~Watchdog() { ::alarm(0); }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
};

}  // namespace gravlin::testing

namespace gravlin {

// A started program with a temporary folder for its files.
class StorageTest : public GameTest {
  protected:
    // Picks `item` from the menu and answers its file dialog with `path`.
    void choose(MenuItem& item, const std::string& path) {
        host.fileAnswers.push_back(path);
        form.menuNode(item).click();
    }
    bool ended() const {
        return std::find(host.closed.begin(), host.closed.end(), &form) != host.closed.end();
    }
    void expectMessage(const std::string& text, const std::string& title, MsgIcon icon) {
        ASSERT_FALSE(host.messages.empty());
        EXPECT_EQ(host.messages.back().text, text);
        EXPECT_EQ(host.messages.back().title, title);
        EXPECT_EQ(host.messages.back().icon, icon);
    }
    testing::TempFolder folder;
};

}  // namespace gravlin
