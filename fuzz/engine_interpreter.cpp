// Lines of the input go to QZInterpreter one by one, each followed by QZSolve, as in a
// solve; the listings must then be ascending, finite and disjoint.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "gravlin/engine.h"

namespace {
std::set<int32_t> listing(int32_t (*next)(int32_t)) {
    std::set<int32_t> codes;
    int32_t previous = -1;
    for (int32_t c = next(-1); c >= 0; c = next(c)) {
        if (c <= previous || c > 9999) std::abort();
        previous = c;
        codes.insert(c);
    }
    return codes;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QZNewSystem();
    std::string line;
    for (size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == '\n') {
            QZInterpreter(line.c_str());
            QZSolve();
            line.clear();
        } else if (data[i] != '\0') {
            line += static_cast<char>(data[i]);
        }
    }
    const auto free = listing(QZGetNextFree);
    const auto mines = listing(QZGetNextMine);
    for (int32_t c : free)
        if (mines.count(c) != 0) std::abort();
    return 0;
}
