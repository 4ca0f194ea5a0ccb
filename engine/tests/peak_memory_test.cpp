// Input far beyond any board, through the shared library: each call answers at once as for
// unreadable text, and none takes the process past 256 MiB. A program of its own, so that
// its peak memory is that of these calls; not under AddressSanitizer, whose shadow memory
// would count too.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
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

}  // namespace

int main() {
    std::string system, equation;
    while (system.size() < 20'000'000) system += "a[1,1]=1,";
    while (equation.size() < 20'000'000) equation += "0101+";
    equation += "=1";

    char* answer = QZcalcStoch(system.c_str());
    check(answer != nullptr && std::strstr(answer, "konnte nicht gelesen werden") != nullptr,
          "20 MB of text is unreadable");
    std::free(answer);
    QZcalcStochEnd();
    QZNewSystem();
    QZInterpreter(equation.c_str());
    QZInterpreter("0101=1");
    check(QZGetNextMine(-1) == 101, "an equation too long is ignored, the system stays");
    QZNewSystem();
    for (int i = 0; i < 1'000'000; ++i) QZInterpreter("0101+0102=1");
    QZSolve();
    check(QZGetNextMine(-1) < 0 && QZGetNextFree(-1) < 0, "a system beyond any board lists nothing");

    // The peak resident memory of the whole run, the 40 MB of input included.
    double peak = -1;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) peak = std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    std::printf("peak %.1f MiB\n", peak);
#ifndef GRAVLIN_SANITIZED
    check(peak > 0 && peak < 256, "peak resident memory under 256 MiB");
#endif
    return failures == 0 ? 0 : 1;
}
