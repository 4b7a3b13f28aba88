#include "system/utf8.h"

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (char c : text)
        if (!IsUtf8Continuation(c)) ++count;
    return count;
}

std::vector<int> CodePoints(std::string_view text) {
    std::vector<int> codes;
    size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size()) {
            ++i;
            continue;
        }
        int code = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            valid = valid && IsUtf8Continuation(text[i + k]);
            code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        if (valid) codes.push_back(code);
        i += valid ? length : 1;
    }
    return codes;
}

std::string Utf8(int code) {
    auto byte = [](int value) { return static_cast<char>(value); };
    if (code < 0x80) return std::string(1, byte(code));
    if (code < 0x800) return {byte(0xC0 | code >> 6), byte(0x80 | (code & 0x3F))};
    if (code < 0x10000) return {byte(0xE0 | code >> 12), byte(0x80 | (code >> 6 & 0x3F)), byte(0x80 | (code & 0x3F))};
    return {byte(0xF0 | code >> 18), byte(0x80 | (code >> 12 & 0x3F)), byte(0x80 | (code >> 6 & 0x3F)),
            byte(0x80 | (code & 0x3F))};
}
