#include <gtest/gtest.h>

#include "base/text_number.h"

TEST(TextToInteger, BasesSignsBlanksAndWhereReadingStops) {
    const std::pair<std::string, int64_t> cases[] = {
        {"42x", 42}, {"$1F", 31}, {"$ff", 255}, {"%101", 5}, {"%102", 2}, {"-7", -7}, {"+7", 7},
        {"-$10", -16}, {"\t\r\n 9", 9}, {"\x01-9", -9}, {"\xA0" "9", 0}, {"- 9", 0}, {"+-5", 0},
        {"$-5", 0}, {"", 0}, {"abc", 0}, {"-", 0}, {"%", 0},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(TextToInteger(text), value) << text;
}

TEST(TextToInteger, NarrowFieldsKeepTheLowBitsAndLongInputWraps) {
    EXPECT_EQ(static_cast<uint16_t>(TextToInteger("-1")), 65535);
    EXPECT_EQ(static_cast<uint16_t>(TextToInteger("$12345")), 0x2345);
    EXPECT_EQ(static_cast<uint8_t>(TextToInteger("-1")), 255);
    EXPECT_EQ(TextToInteger("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(TextToInteger("18446744073709551617"), 1);   // 2^64 + 1
    EXPECT_EQ(TextToInteger("$" + std::string(17, 'F')), -1);
}
