// Reading the word display time: the documented examples, and random texts against a
// reference written from the rules independently of the program's loop.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "learning/parse_integer.h"

namespace {

struct Example {
    const char* name;
    std::string text;
    std::int32_t expected;
};
void PrintTo(const Example& row, std::ostream* out) { *out << row.name; }

class ParseIntegerExample : public testing::TestWithParam<Example> {};

TEST_P(ParseIntegerExample, GivesTheDocumentedValue) {
    EXPECT_EQ(ParseInteger(GetParam().text.c_str()), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Learning, ParseIntegerExample,
    testing::Values(Example{"Empty", "", 0}, Example{"BlanksOnly", "   ", 0}, Example{"Two", "2", 2},
                    Example{"LeadingBlanks", "  25", 25}, Example{"TrailingBlankStops", "12 ", 12},
                    Example{"Negative", "-3", -3}, Example{"Plus", "+7", 7}, Example{"SignOnly", "-", 0},
                    Example{"StopsAtLetter", "12a", 12}, Example{"StoppedLosesSign", "-5a", 5},
                    Example{"LetterOnly", "a", 0}, Example{"Abc", "abc", 0},
                    Example{"TenDigitsStop", "9999999999", 999999999},
                    Example{"TwoToThe31IsNegative", "2147483648", -2147483647 - 1},
                    Example{"LargestPositive", "2147483647", 2147483647},
                    Example{"TwoToThe31PlusOne", "2147483649", -2147483647},
                    Example{"Dollar", "$1F", 31}, Example{"LowerX", "x10", 16}, Example{"UpperX", "X10", 16},
                    Example{"ZeroX", "0x1a", 26}, Example{"ZeroUpperX", "0XFF", 255},
                    Example{"AllOnes", "$FFFFFFFF", -1}, Example{"NinthHexDigitStops", "$123456789", 0x12345678},
                    Example{"PrefixWithoutDigits", "$", 0}, Example{"ZeroXWithoutDigits", "0x", 0},
                    Example{"HexStopsAtNonDigit", "$1G", 1}, Example{"SignedDollarIsNotHex", "-$10", 0},
                    Example{"SignedZeroX", "+0x10", 0}, Example{"Zero", "0", 0},
                    Example{"HighBitNegative", "-2147483648", -2147483647 - 1}),
    [](const testing::TestParamInfo<Example>& info) { return info.param.name; });

TEST(ParseIntegerText, HugePastedNumberStopsAtNineDigits) {
    EXPECT_EQ(ParseInteger(std::string(1 << 20, '7').c_str()), 777777777);
}

// The rules, one after another, on a whole string.
std::int32_t Reference(const std::string& text) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos) return 0;
    int sign = 0;
    if (text[i] == '-' || text[i] == '+') sign = text[i++] == '-' ? -1 : 1;
    int base = 10;
    if (sign == 0 && i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        i += 1;
    } else if (sign == 0 && text.compare(i, 2, "0x") == 0) {
        base = 16;
        i += 2;
    } else if (sign == 0 && text.compare(i, 2, "0X") == 0) {
        base = 16;
        i += 2;
    }
    const std::string digits = base == 16 ? "0123456789abcdefABCDEF" : "0123456789";
    const long long limit = base == 16 ? 0x0FFFFFFFLL : 214748364LL;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const auto position = digits.find(text[i]);
        if (position == std::string::npos || value > limit) return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        const long long digit = position < 16 ? static_cast<long long>(position) : static_cast<long long>(position - 6);
        value = value * base + digit;
    }
    const long long signedValue = sign < 0 ? -value : value;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(signedValue & 0xFFFFFFFFLL));
}

TEST(ParseIntegerText, AgreesWithTheRulesOnRandomTexts) {
    const std::string alphabet = "  -+$xX0011223456789aAfFgz";
    std::mt19937 random(20261206);
    for (int round = 0; round < 200000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 14);
        for (int i = 0; i < length; ++i) text.push_back(alphabet[random() % alphabet.size()]);
        ASSERT_EQ(ParseInteger(text.c_str()), Reference(text)) << '"' << text << '"';
    }
}

TEST(ParseIntegerText, AgreesWithTheRulesOnLongDigitRuns) {
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        std::string text = (round % 3 == 0) ? "-" : (round % 3 == 1 ? "$" : "");
        const int length = 8 + static_cast<int>(random() % 4);
        for (int i = 0; i < length; ++i) text.push_back("0123456789ABCDEF"[random() % (text[0] == '$' ? 16 : 10)]);
        ASSERT_EQ(ParseInteger(text.c_str()), Reference(text)) << '"' << text << '"';
    }
}

}  // namespace
