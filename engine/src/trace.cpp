#include "trace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace gravlin::engine {
namespace {

// A regular file for appending, or -1. Opened without blocking and without following a
// link, then checked on the descriptor: a named pipe, a device or a folder of that name is
// skipped at once instead of waiting for a reader.
int openRegularForAppend(const char* fileName) {
    const int fd = ::open(
        fileName, O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The pieces one after the other, as far as the file takes them.
void writeAll(int fd, iovec* pieces, int count) {
    while (count > 0) {
        const ssize_t n = ::writev(fd, pieces, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        auto left = static_cast<size_t>(n);
        while (count > 0 && left >= pieces->iov_len) {
            left -= pieces->iov_len;
            ++pieces;
            --count;
        }
        if (count > 0) {
            pieces->iov_base = static_cast<char*>(pieces->iov_base) + left;
            pieces->iov_len -= left;
        }
    }
}

}  // namespace

void appendTrace(const char* fileName, std::string_view text) {
    if (fileName == nullptr || *fileName == '\0') return;
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    char date[40] = "";
    if (localtime_r(&seconds, &local) != nullptr)
        std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", &local);
    char stamp[64];
    const int stampSize = std::snprintf(stamp, sizeof stamp, "%s.%03d ", date, static_cast<int>(millis));

    const int fd = openRegularForAppend(fileName);
    if (fd < 0) return;
    char end[] = "\n";
    iovec pieces[] = {
        {stamp, static_cast<size_t>(stampSize)}, {const_cast<char*>(text.data()), text.size()}, {end, 1}};
    writeAll(fd, pieces, 3);
    ::close(fd);
}

}  // namespace gravlin::engine
