// Replacing a file as a whole, on real files in a temporary folder: names as long as the
// folder takes, a save killed halfway, and the owner, group and mode of a replaced file,
// with the content staged in an unnamed file and, as where the file system has none, in a
// named one.
#include "file_access.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <tuple>

#include "storage_test_support.h"

namespace gravlin::storage {
namespace {

using testing::readFile;
using testing::writeFile;

constexpr StagingFile kWays[] = {StagingFile::Unnamed, StagingFile::Named};

// Owner, group and permission bits.
std::tuple<uid_t, gid_t, mode_t> ownerOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return {st.st_uid, st.st_gid, st.st_mode & 07777};
}

// A staging name built from the target's would not fit beside a name of 255 bytes. A new
// file gets the mode the umask leaves, a replaced one keeps its own.
TEST(FileAccess, NamesAsLongAsTheFolderTakesAreSavedAndReplacedKeepingTheMode) {
    const testing::TempFolder folder;
    const std::string name = std::string(251, 'n') + ".qzd", path = folder.file(name);
    const mode_t umaskBefore = ::umask(027);
    for (const StagingFile way : kWays) {
        ASSERT_TRUE(saveWholeFile(path, "first", way));
        EXPECT_EQ(std::get<2>(ownerOf(path)), 0640u);
        ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
        ASSERT_TRUE(saveWholeFile(path, "second", way));
        EXPECT_EQ(std::get<2>(ownerOf(path)), 0604u);
        EXPECT_EQ(readFile(path), "second");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), {}), 1);
        std::filesystem::remove(path);
    }
    ::umask(umaskBefore);
}

// Saves a large text to `path` with files limited to 4 KiB: the write past the limit ends
// the process at once, halfway through the new content, as a kill would.
void saveKilledHalfway(const std::string& path) {
    const rlimit noCore{0, 0}, limit{4096, 4096};
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    saveWholeFile(path, std::string(1 << 16, 'x'));
    std::_Exit(0);
}

TEST(FileAccess, ASaveKilledWhileWritingLeavesTheOldFileWholeAndNothingBeside) {
    const testing::TempFolder folder;
    const std::string old = folder.file("old.qzd");
    writeFile(old, "old content");
    for (const std::string& path : {old, folder.file("new.qzd")}) {
        EXPECT_EXIT(saveKilledHalfway(path), ::testing::KilledBySignal(SIGXFSZ), "") << path;
        EXPECT_EQ(readFile(old), "old content");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), {}), 1);
    }
}

// Root saves over a file of another user, who keeps it; user 65534, in the group 100 of a
// file of user 1000, saves over it and may give it only to a group of their own: it becomes
// theirs and the group stays.
TEST(FileAccess, AReplacedFileKeepsItsGroupAndModeAndItsOwnerWherePermitted) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may act as other users";
    const testing::TempFolder folder;
    std::filesystem::permissions(folder.path, std::filesystem::perms::all);
    const std::string path = folder.file("theirs.qzd");
    struct Case {
        uid_t owner;
        gid_t group;
        mode_t mode;
        bool asOtherUser;
        uid_t ownerAfter;
    };
    for (const Case c : {Case{65534, 65534, 0600, false, 65534}, Case{1000, 100, 0664, true, 65534}}) {
        for (const StagingFile way : kWays) {
            writeFile(path, "old");
            ASSERT_EQ(::chown(path.c_str(), c.owner, c.group), 0);
            ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
            const pid_t pid = ::fork();
            if (pid == 0) {
                const gid_t group = 100;
                const bool ready = !c.asOtherUser || (::setgroups(1, &group) == 0 && ::setgid(65534) == 0 &&
                                                      ::setuid(65534) == 0);
                ::_exit(ready && saveWholeFile(path, "new", way) ? 0 : 1);
            }
            int status = -1;
            ASSERT_EQ(::waitpid(pid, &status, 0), pid);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.owner;
            EXPECT_EQ(ownerOf(path), std::tuple(c.ownerAfter, c.group, c.mode));
            EXPECT_EQ(readFile(path), "new");
        }
    }
}

}  // namespace
}  // namespace gravlin::storage
