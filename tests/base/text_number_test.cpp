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

TEST(TypedTextToInteger, AcceptsOneWholeNumberWithBlanksAroundIt) {
    const std::pair<std::string, int64_t> accepted[] = {
        {"0", 0}, {"42", 42}, {" -1 ", -1}, {"+7", 7}, {"$10", 16}, {"$fF", 255}, {"%101", 5}, {"-$10", -16},
        {"+%1", 1}, {"\t9\t", 9}, {"  12  ", 12}, {"007", 7},
        {"18446744073709551623", 7},   // 2^64 + 7 wraps as the lenient reading does
    };
    for (const auto& [text, value] : accepted) {
        const std::optional<int64_t> read = TypedTextToInteger(text);
        ASSERT_TRUE(read.has_value()) << '"' << text << '"';
        EXPECT_EQ(*read, value) << text;
        EXPECT_EQ(TextToInteger(text), value) << "both readings agree on a whole number: " << text;
    }
}

TEST(TypedTextToInteger, RefusesAnythingThatIsNotWhollyANumber) {
    // Each beside the accepted text it differs from by one character.
    const std::string refused[] = {
        "abc", "0-1", "12x", "x12", "1 2", "- 9", "+-5", "--5", "$-5", "$ 10", "%102", "$1G", "1.5",
        "-", "+", "$", "%", "", " ", "1,000", "12\xA0",
    };
    for (const std::string& text : refused) EXPECT_FALSE(TypedTextToInteger(text).has_value()) << '"' << text << '"';
    // The settings file keeps the lenient reading of the same texts.
    EXPECT_EQ(TextToInteger("12x"), 12);
    EXPECT_EQ(TextToInteger("0-1"), 0);
    EXPECT_EQ(TextToInteger("abc"), 0);
}

TEST(TypedTextToInteger, TheNoticeQuotesTheTextAndNamesTheForms) {
    const std::string notice = NotANumberNotice("12x");
    EXPECT_EQ(notice.rfind("\"12x\" is not a number.", 0), 0u) << notice;
    for (const char* form : {"decimal", "hexadecimal", "\"$\"", "binary", "\"%\""})
        EXPECT_NE(notice.find(form), std::string::npos) << form;
}
