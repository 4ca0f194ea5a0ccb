#include "gravlin/text.h"

namespace gravlin {

std::size_t validUtf8Prefix(std::string_view text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        std::size_t len = 0;
        unsigned char lo = 0x80;
        unsigned char hi = 0xBF;
        if (b0 < 0x80) {
            ++i;
            continue;
        } else if (b0 >= 0xC2 && b0 <= 0xDF) {
            len = 2;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            len = 3;
            if (b0 == 0xE0) lo = 0xA0;  // no overlong forms
            if (b0 == 0xED) hi = 0x9F;  // no surrogates
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            len = 4;
            if (b0 == 0xF0) lo = 0x90;
            if (b0 == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
        } else {
            return i;
        }
        if (n - i < len) return i;
        const auto b1 = static_cast<unsigned char>(text[i + 1]);
        if (b1 < lo || b1 > hi) return i;
        for (std::size_t k = 2; k < len; ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            if (b < 0x80 || b > 0xBF) return i;
        }
        i += len;
    }
    return n;
}

std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += kCrLf;
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += kCrLf;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace gravlin
