// Replacing a file as a whole, on real files in a temporary folder: names as long as the
// folder takes, a save killed halfway, and the owner, group and mode of a replaced file,
// with the content staged in an unnamed file and, as where the file system has none, in a
// named one.
#include "file_access.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace gravlin::storage {
namespace {

namespace fs = std::filesystem;

constexpr StagingFile kWays[] = {StagingFile::Unnamed, StagingFile::Named};

struct Folder {
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "gravlin-file-access-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
    std::vector<std::string> names() const {
        std::vector<std::string> all;
        for (const auto& entry : fs::directory_iterator(path))
            all.push_back(entry.path().filename().string());
        std::sort(all.begin(), all.end());
        return all;
    }
    fs::path path;
};

std::string readBack(const std::string& path) {
    InputFile in(path);
    if (!in.isOpen()) return "<not opened>";
    std::string text;
    char buffer[4096];
    while (const std::size_t n = in.read(buffer, sizeof buffer)) text.append(buffer, n);
    return text;
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(FileAccess, NamesAsLongAsTheFolderTakesAreSavedReplacedAndReadBack) {
    Folder folder;
    for (const StagingFile way : kWays) {
        for (const std::size_t length : {250, 255}) {
            const std::string name = std::string(length - 4, 'n') + ".qzd";
            SCOPED_TRACE(std::to_string(length) + (way == StagingFile::Named ? " named" : " unnamed"));
            ASSERT_TRUE(saveWholeFile(folder.file(name), "first", way));
            ASSERT_TRUE(saveWholeFile(folder.file(name), "second", way));
            EXPECT_EQ(readBack(folder.file(name)), "second");
            EXPECT_EQ(folder.names(), std::vector<std::string>{name});
            fs::remove(folder.file(name));
        }
    }
}

int handshake = -1;

// In the child: a write has gone past the file size limit. Tells the parent and waits for
// the end.
void stopAtTheSizeLimit(int) {
    const char stopped = 1;
    if (::write(handshake, &stopped, 1) != 1) ::_exit(2);
    for (;;) ::pause();
}

// A child process that saves `text` to `path` and stops inside the write that passes 4 KiB,
// with the new content partly written. Its pid once it has stopped there, else -1.
pid_t startSaveThatStopsMidway(const std::string& path, const std::string& text) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeEnds[0]);
        handshake = pipeEnds[1];
        struct sigaction action {};
        action.sa_handler = stopAtTheSizeLimit;
        ::sigaction(SIGXFSZ, &action, nullptr);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        saveWholeFile(path, text);
        ::_exit(0);  // never stopped: the parent reads the end of the pipe
    }
    ::close(pipeEnds[1]);
    pollfd ready{pipeEnds[0], POLLIN, 0};
    char stopped = 0;
    const bool ok = pid > 0 && ::poll(&ready, 1, 10'000) == 1 && ::read(pipeEnds[0], &stopped, 1) == 1;
    ::close(pipeEnds[0]);
    if (ok) return pid;
    if (pid > 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    return -1;
}

TEST(FileAccess, ASaveKilledWhileWritingLeavesTheOldFileWholeAndNothingBeside) {
    Folder folder;
    const std::string old = folder.file("old.qzd");
    writeText(old, "old content");
    const std::string text(1 << 16, 'x');
    for (const std::string& path : {old, folder.file("new.qzd")}) {
        SCOPED_TRACE(path);
        const pid_t pid = startSaveThatStopsMidway(path, text);
        ASSERT_GT(pid, 0) << "the save did not stop at the size limit";
        ASSERT_EQ(::kill(pid, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        EXPECT_EQ(readBack(old), "old content");
        EXPECT_EQ(folder.names(), std::vector<std::string>{"old.qzd"});
    }
}

TEST(FileAccess, ANewFileGetsTheModeTheUmaskLeavesAReplacedFileKeepsItsOwn) {
    Folder folder;
    const std::string path = folder.file("game.qzd");
    const mode_t umaskBefore = ::umask(027);
    for (const StagingFile way : kWays) {
        ASSERT_TRUE(saveWholeFile(path, "new", way));
        EXPECT_EQ(modeOf(path), 0640u);
        ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
        ASSERT_TRUE(saveWholeFile(path, "replaced", way));
        EXPECT_EQ(modeOf(path), 0604u);
        fs::remove(path);
    }
    ::umask(umaskBefore);
}

TEST(FileAccess, AReplacedFileOfAnotherUserKeepsItsOwnerAndGroup) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    Folder folder;
    const std::string path = folder.file("theirs.qzd");
    for (const StagingFile way : kWays) {
        writeText(path, "old");
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
        ASSERT_TRUE(saveWholeFile(path, "new", way));
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
        EXPECT_EQ(readBack(path), "new");
    }
}

// A user may give a file to a group of their own, never to another user: user 65534, in the
// group 100 of a file of user 1000, saves over that file and the group stays.
TEST(FileAccess, AFileReplacedByAnotherMemberOfItsGroupKeepsTheGroup) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may act as two other users";
    Folder folder;
    fs::permissions(folder.path, fs::perms::all);
    const std::string path = folder.file("shared.qzd");
    for (const StagingFile way : kWays) {
        writeText(path, "old");
        ASSERT_EQ(::chown(path.c_str(), 1000, 100), 0);
        ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
        const pid_t pid = ::fork();
        if (pid == 0) {
            const gid_t group = 100;
            const bool saved = ::setgroups(1, &group) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0 &&
                               saveWholeFile(path, "new", way);
            ::_exit(saved ? 0 : 1);
        }
        int status = -1;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 100u);
        EXPECT_EQ(st.st_mode & 07777, 0664u);
        EXPECT_EQ(readBack(path), "new");
    }
}

}  // namespace
}  // namespace gravlin::storage
