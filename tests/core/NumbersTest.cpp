#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace quelmar;

TEST(NumberReader, AcceptsOnlyWholeTokensThatAreFiniteNumbers) {
    EXPECT_EQ(parseNumber("2451545.4312"), 2451545.4312);
    EXPECT_EQ(parseNumber("-0.5"), -0.5);
    EXPECT_EQ(parseNumber("+9.87"), 9.87);
    EXPECT_EQ(parseNumber("1.5e-3"), 0.0015);
    EXPECT_EQ(parseNumber(".5"), 0.5);
    EXPECT_EQ(parseNumber("0"), 0.0);
    for (const char* bad :
         {"", "9.87V", "V", "1,5", "+", "+-1", "--1", "nan", "inf", "1e999", "0x10", "12:30"})
        EXPECT_FALSE(parseNumber(bad)) << bad;
    EXPECT_FALSE(parseNumber(std::string(65, '1')));
    EXPECT_TRUE(parseNumber(std::string(64, '1')));
}

TEST(NumberReader, PlainDecimalsReadExactlyAsTheGeneralParserDoes) {
    std::mt19937_64 rng(7);
    for (int n = 0; n < 200'000; ++n) {
        const int integerDigits = 1 + static_cast<int>(rng() % 8);
        const int fractionDigits = static_cast<int>(rng() % 9);
        std::string token = rng() % 3 == 0 ? "-" : "";
        for (int d = 0; d < integerDigits; ++d)
            token += static_cast<char>('0' + rng() % 10);
        if (fractionDigits > 0) token += '.';
        for (int d = 0; d < fractionDigits; ++d)
            token += static_cast<char>('0' + rng() % 10);
        const auto value = parseNumber(token);
        ASSERT_TRUE(value) << token;
        EXPECT_EQ(*value, std::strtod(token.c_str(), nullptr)) << token;
    }
    EXPECT_EQ(parseNumber("123456789012345678"), 123456789012345678.0);
    EXPECT_EQ(parseNumber("0.1234567890123456789"), 0.1234567890123456789);
    EXPECT_FALSE(parseNumber("1.2.3"));
    EXPECT_FALSE(parseNumber("-"));
    EXPECT_FALSE(parseNumber("."));
    EXPECT_TRUE(std::signbit(*parseNumber("-0.0")));
}

TEST(NumberReader, IntegersMustFitThirtyTwoBits) {
    EXPECT_EQ(parseInteger("1234"), 1234);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("-2147483648"), INT32_MIN);
    EXPECT_FALSE(parseInteger("2147483648"));
    EXPECT_FALSE(parseInteger("12.0"));
    EXPECT_FALSE(parseInteger("abc"));
}

TEST(Fixed, WritesFixedPointWithoutExponent) {
    EXPECT_EQ(fixed(0.01, 8), "0.01000000");
    EXPECT_EQ(fixed(100.0, 8), "100.00000000");
    EXPECT_EQ(fixed(2451545.0, 4), "2451545.0000");
    EXPECT_EQ(fixed(9.648, 2), "9.65");
    EXPECT_EQ(fixed(1e20, 2), "100000000000000000000.00");
    EXPECT_EQ(fixed(1.5e-7, 4), "0.0000");
    EXPECT_EQ(fixed(-0.00001, 4), "0.0000");
    EXPECT_EQ(fixed(-2.5, 1), "-2.5");
}

// The fast way must round exactly as the library does, exact ties to even included.
TEST(Fixed, RoundsAsTheLibraryDoes) {
    auto library = [](double v, int n) {
        char buf[400];
        const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, n).ptr;
        std::string text(buf, end);
        if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
            text.erase(0, 1);
        return text;
    };
    EXPECT_EQ(fixed(0.125, 2), "0.12");
    EXPECT_EQ(fixed(0.375, 2), "0.38");
    EXPECT_EQ(fixed(2.5, 0), "2");
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> exponent(-12, 16);
    for (int i = 0; i < 200000; ++i) {
        const double v = (i % 2 ? -1 : 1) * std::pow(10.0, exponent(rng));
        const int n = static_cast<int>(rng() % 12);
        ASSERT_EQ(fixed(v, n), library(v, n)) << v << " " << n;
        const double tie = std::ldexp(static_cast<double>(rng() % 4096), -static_cast<int>(n + 1));
        ASSERT_EQ(fixed(tie, n), library(tie, n)) << tie << " " << n;
    }
}

TEST(Fixed, DecimalsToKeepPreserveSmallValues) {
    EXPECT_EQ(decimalsToKeep(9.87, 4), 4);
    EXPECT_EQ(decimalsToKeep(0.0000123, 4), 7);
    EXPECT_EQ(fixed(0.0000123, decimalsToKeep(0.0000123, 4)), "0.0000123");
    EXPECT_EQ(decimalsToKeep(2451545.43125, 4), 5);
    EXPECT_EQ(decimalsToKeep(1e20, 4), 4);
}

// What a command writes into a data file must read back: a number too long for a token is
// written with an exponent instead.
TEST(Fixed, ForAFileEveryValueReadsBack) {
    EXPECT_EQ(fixedForFile(2451545.43125, 4), "2451545.4312");
    for (const double v : {1e300, -1.7e308, 1e-300, 4.9e-324, 1e59, -1e60, 1e-61}) {
        const std::string text = fixedForFile(v, decimalsToKeep(v, 4));
        EXPECT_LE(text.size(), MaxNumberToken) << text;
        EXPECT_EQ(parseNumber(text), v) << text;
    }
}

TEST(Nearest, TiesGoToEven) {
    EXPECT_EQ(Nearest(0.5), 0);
    EXPECT_EQ(Nearest(1.5), 2);
    EXPECT_EQ(Nearest(2.5), 2);
    EXPECT_EQ(Nearest(-0.5), 0);
    EXPECT_EQ(Nearest(-1.5), -2);
    EXPECT_EQ(Nearest(1.49), 1);
    EXPECT_EQ(Nearest(1e300), 1'000'000'000'000'000LL);
}

TEST(LineTokens, SplitsOnBlanksAndTabsAndKeepsTheRest) {
    LineTokens t("  2451545.1\t9.5  comment text ");
    EXPECT_EQ(t.next(), "2451545.1");
    EXPECT_EQ(t.next(), "9.5");
    EXPECT_EQ(t.rest(), "  comment text ");
    EXPECT_FALSE(t.atEnd());
    EXPECT_EQ(t.next(), "comment");
    EXPECT_EQ(t.next(), "text");
    EXPECT_TRUE(t.atEnd());
    EXPECT_EQ(t.next(), "");
}
