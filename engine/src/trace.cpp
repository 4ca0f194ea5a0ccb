#include "trace.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace gravlin::engine {

void appendTrace(const char* fileName, std::string_view text) {
    if (fileName == nullptr || *fileName == '\0') return;
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    char stamp[40] = "";
    if (localtime_r(&seconds, &local) != nullptr)
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);

    std::FILE* f = std::fopen(fileName, "ab");
    if (f == nullptr) return;
    std::fprintf(f, "%s.%03d %.*s\n", stamp, static_cast<int>(millis), static_cast<int>(text.size()),
                 text.data());
    std::fclose(f);
}

}  // namespace gravlin::engine
