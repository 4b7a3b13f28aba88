#include "base/text_number.h"

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// The value of c as a digit of base, or -1 when it is none.
int DigitValue(unsigned char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// A number read from the start of a text, and where the reading stopped.
struct TNumberRead {
    int64_t value = 0;
    size_t end = 0;        // the first character not read
    bool digits = false;   // whether any digit was read
};

TNumberRead ReadLeadingNumber(const std::string& text) {
    TNumberRead read;
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i < text.size() && text[i] == '%') {
        base = 2;
        ++i;
    }
    // Unsigned arithmetic so that an endless digit string wraps instead of
    // overflowing.
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(static_cast<unsigned char>(text[i]), base);
        if (digit < 0) break;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        read.digits = true;
    }
    if (negative) value = 0 - value;
    read.value = static_cast<int64_t>(value);
    read.end = i;
    return read;
}

}  // namespace

int64_t TextToInteger(const std::string& text) { return ReadLeadingNumber(text).value; }

std::optional<int64_t> TypedTextToInteger(const std::string& text) {
    const TNumberRead read = ReadLeadingNumber(text);
    if (!read.digits) return std::nullopt;
    for (size_t i = read.end; i < text.size(); ++i)
        if (!IsBlank(text[i])) return std::nullopt;
    return read.value;
}

std::string NotANumberNotice(const std::string& text) {
    return "\"" + text +
           "\" is not a number. Type a decimal number such as 42 or -7, a hexadecimal number after \"$\" such as "
           "$1F, or a binary number after \"%\" such as %101. The value was not changed.";
}
