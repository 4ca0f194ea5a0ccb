#include "file_access.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>

namespace gravlin::storage {

namespace {

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Where the content of `path` lives: a link is followed, so the link itself stays.
std::string finalName(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    // False when the close reports an error, such as a write the disk refused late.
    bool close() {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

// Opened for the *at calls and the fsync of its entries. A folder the user may write and
// search but not list opens by path only; its fsync then fails and is skipped.
int openFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return fd >= 0 ? fd : ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

// Of fixed length and never built from the target's name, so it fits wherever that fits.
std::string temporaryName() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != sizeof bits) {
        // Names need only differ here: a name in use is told by EEXIST and another drawn.
        static std::atomic<std::uint64_t> drawn{0};
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        bits = (static_cast<std::uint64_t>(now.tv_nsec) << 24) ^ static_cast<std::uint64_t>(now.tv_sec) ^
               (static_cast<std::uint64_t>(::getpid()) << 40) ^ (++drawn * 0x9E3779B97F4A7C15u);
    }
    std::string name = ".gravlin-";
    for (int i = 0; i < 8; ++i, bits /= 52) name += kLetters[bits % 52];
    return name;
}

// The new file takes over the old one's owner, group and mode. Only a privileged process may
// give a file away, and a user only to a group of their own; a refusal leaves the file the
// saving user's, as a new file would be.
bool takeOverAttributes(int fd, const struct stat& old) {
    [[maybe_unused]] const bool given =
        ::fchown(fd, old.st_uid, old.st_gid) == 0 || ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
    // After the owner: a change of owner clears the set-user-ID and set-group-ID bits.
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// The complete content on the disk; `old` is the file it replaces, if any.
bool fill(int fd, std::string_view text, const struct stat* old) {
    return (!old || takeOverAttributes(fd, *old)) && writeAll(fd, text) && ::fsync(fd) == 0;
}

enum class Staged { Done, Failed, Unsupported };

Staged whyNotLinked() {
    // ENOENT: no /proc, and linking by descriptor alone needs a privilege.
    return errno == ENOENT ? Staged::Unsupported : Staged::Failed;
}

// Gives the unnamed file `fd` the name `name` in `folder`; errno tells why not.
bool linkUnnamed(int fd, int folder, const char* name) {
    char self[40];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
    if (::linkat(AT_FDCWD, self, folder, name, AT_SYMLINK_FOLLOW) == 0) return true;
    return errno == ENOENT && ::linkat(fd, "", folder, name, AT_EMPTY_PATH) == 0;
}

// The complete unnamed file takes the target's name. A new target is linked in place in one
// step. An existing one (or one that appeared since it was looked at: the decision to save
// under this name is made) is replaced by a rename from a temporary name; between those two
// calls alone a named temporary file exists.
Staged nameUnnamed(int fd, int folder, const std::string& name, bool exists) {
    if (!exists) {
        if (linkUnnamed(fd, folder, name.c_str())) return Staged::Done;
        if (errno != EEXIST) return whyNotLinked();
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = temporaryName();
        if (!linkUnnamed(fd, folder, temporary.c_str())) {
            if (errno == EEXIST) continue;
            return whyNotLinked();
        }
        if (::renameat(folder, temporary.c_str(), folder, name.c_str()) == 0) return Staged::Done;
        ::unlinkat(folder, temporary.c_str(), 0);
        return Staged::Failed;
    }
    return Staged::Failed;
}

Staged saveUnnamed(int folder, const std::string& name, std::string_view text, const struct stat* old) {
    // Mode 0666 less the umask, as for any new file.
    Descriptor file(::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (!file.isOpen()) {
        // EISDIR: a kernel without O_TMPFILE; the others: a file system without it.
        const bool unsupported = errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
        return unsupported ? Staged::Unsupported : Staged::Failed;
    }
    if (!fill(file.get(), text, old)) return Staged::Failed;
    // Closed only once named, which an unnamed file must be while open; the content is on
    // the disk by then, so an error of the close changes nothing.
    return nameUnnamed(file.get(), folder, name, old != nullptr);
}

bool saveNamed(int folder, const std::string& name, std::string_view text, const struct stat* old) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = temporaryName();
        Descriptor file(
            ::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
        if (!file.isOpen()) {
            if (errno == EEXIST) continue;
            return false;
        }
        const bool ok = fill(file.get(), text, old) && file.close() &&
                        ::renameat(folder, temporary.c_str(), folder, name.c_str()) == 0;
        if (!ok) ::unlinkat(folder, temporary.c_str(), 0);
        return ok;
    }
    return false;
}

}  // namespace

InputFile::InputFile(const std::string& path) {
    // Refused before opening, so no device is touched; checked again on the descriptor,
    // opened without blocking, in case the name changed in between.
    if (!isRegularFile(path)) return;
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) return;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
    }
}

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t InputFile::read(char* buffer, std::size_t size) {
    if (fd_ < 0 || failed_) return 0;
    while (true) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno == EINTR) continue;
        failed_ = true;
        return 0;
    }
}

SaveTarget saveTarget(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return SaveTarget::Missing;
    return S_ISREG(st.st_mode) ? SaveTarget::RegularFile : SaveTarget::Other;
}

bool saveWholeFile(const std::string& path, std::string_view text, StagingFile staging) {
    const std::string target = finalName(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && (!S_ISREG(old.st_mode) || ::access(target.c_str(), W_OK) != 0)) return false;
    const std::string name = nameOf(target);
    Descriptor folder(openFolder(folderOf(target)));
    if (name.empty() || !folder.isOpen()) return false;

    const struct stat* replaced = exists ? &old : nullptr;
    Staged staged = Staged::Unsupported;
    if (staging == StagingFile::Unnamed) staged = saveUnnamed(folder.get(), name, text, replaced);
    if (staged == Staged::Unsupported)
        staged = saveNamed(folder.get(), name, text, replaced) ? Staged::Done : Staged::Failed;
    if (staged != Staged::Done) return false;
    // The new name reaches the disk with the folder; a failure here loses nothing.
    ::fsync(folder.get());
    return true;
}

}  // namespace gravlin::storage
