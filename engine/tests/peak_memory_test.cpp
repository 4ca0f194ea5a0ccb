// Input far beyond any board, through the shared library: each call answers at once as for
// unreadable text, and none takes the process past 256 MiB. A program of its own, so that
// its peak memory is that of these calls; not under AddressSanitizer, whose shadow memory
// would count too.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "gravlin/engine.h"

#if defined(__SANITIZE_ADDRESS__)
#define GRAVLIN_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GRAVLIN_SANITIZED 1
#endif
#endif

namespace {

int failures = 0;

void check(bool ok, const char* what) {
    if (!ok) {
        ++failures;
        std::fprintf(stderr, "failed: %s\n", what);
    }
}

// The process's peak resident memory in MiB (VmHWM), or a negative value.
double peakMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    return -1;
}

// Starts a new peak from what the process holds now; false where the system does not allow it.
bool resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

void withinBound(const char* what, const std::function<void()>& call) {
    const bool reset = resetPeak();
    call();
    const double peak = peakMiB();
    std::printf("%-40s peak %.1f MiB%s\n", what, peak, reset ? "" : " (whole run)");
#ifndef GRAVLIN_SANITIZED
    check(peak > 0 && peak < 256, what);
#endif
}

std::string repeated(const char* item, size_t bytes) {
    std::string text;
    const size_t size = std::strlen(item);
    text.reserve(bytes + size);
    while (text.size() + size <= bytes) text += item;
    return text;
}

}  // namespace

int main() {
    const std::string system = repeated("a[1,1]=1,", 20'000'000);
    const std::string equation = repeated("0101+", 20'000'000) + "=1";

    withinBound("QZcalcStoch, 20 MB of a[1,1]=1,", [&] {
        char* answer = QZcalcStoch(system.c_str());
        check(answer != nullptr && std::strstr(answer, "konnte nicht gelesen werden") != nullptr,
              "20 MB of text is unreadable");
        std::free(answer);
        QZcalcStochEnd();
    });
    withinBound("QZInterpreter, one 20 MB equation", [&] {
        QZNewSystem();
        QZInterpreter(equation.c_str());
        QZInterpreter("0101=1");
        check(QZGetNextMine(-1) == 101, "an equation too long is ignored, the system stays");
    });
    withinBound("QZInterpreter, a million equations", [&] {
        QZNewSystem();
        for (int i = 0; i < 1'000'000; ++i) QZInterpreter("0101+0102=1");
        QZSolve();
        check(QZGetNextMine(-1) < 0 && QZGetNextFree(-1) < 0, "a system beyond any board lists nothing");
        QZNewSystem();
        QZInterpreter("0101=1");
        check(QZGetNextMine(-1) == 101, "a new system is read again");
    });
    return failures == 0 ? 0 : 1;
}
