// Any text goes to QZcalcStoch: the answer must be a complete text ending in CR LF.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gravlin/engine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text;
    for (size_t i = 0; i < size; ++i)
        if (data[i] != '\0') text += static_cast<char>(data[i]);
    char* result = QZcalcStoch(text.c_str());
    if (result == nullptr) std::abort();
    const size_t n = std::strlen(result);
    if (n < 2 || result[n - 2] != '\r' || result[n - 1] != '\n') std::abort();
    std::free(result);
    QZcalcStochEnd();
    return 0;
}
