#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/ParameterNumber.h"

using namespace ambrel;

namespace {

std::string number(double x, int decimals) {
    char text[16] = "untouched";
    formatParameterNumber(x, decimals, text);
    return text;
}

std::string floatText(double x) {
    char text[16] = "untouched";
    formatFloatText(x, text);
    return text;
}

}  // namespace

TEST(FormatParameterNumber, WritesTheDisplayNumbers) {
    struct Row {
        double x;
        int decimals;
        const char* text;
    };
    const Row rows[] = {
        {0.0, 2, "0.00"},
        {12.5, 0, "13"},
        {16000.0, 0, "16000"},
        {-3.456, 2, "-3.46"},
        {3.454, 2, "3.45"},
        {0.125, 2, "0.13"},      // halves go away from zero
        {-0.125, 2, "-0.13"},
        {2.5, 0, "3"},
        {-2.5, 0, "-3"},
        {2.4999, 0, "2"},
        {2.499995, 0, "3"},  // within 1e-5 of the half counts as the half
        {0.12499995, 2, "0.13"},
        {-2.499995, 0, "-3"},
        {0.0999999, 1, "0.1"},
        {1234.5678, 2, "1234.57"},
        {-9.6, 2, "-9.60"},
        {0.29, 2, "0.29"},  // 0.29 is a hair below in binary; the last digit must not grow
        {0.3, 2, "0.30"},
        {9.996, 2, "10.00"},
        {-9.996, 2, "-10.00"},
        {4.2426406871, 2, "4.24"},
        {100.0, 1, "100.0"},
        {0.0625, 2, "0.06"},
        {-0.004, 2, "-0.00"},        // the sign stays on a value that rounds to zero
        {1e-300, 2, "0.00"},
        {99999999.0, 0, "99999999"},
        {-9999999.0, 0, "-9999999"},
        {12345678.9, 2, "12345678."},  // no room left for decimals within 8 characters
        {1234567.0, 2, "1234567."},
        {123456.0, 2, "123456.0"},
    };
    for (const Row& r : rows) EXPECT_EQ(number(r.x, r.decimals), r.text) << r.x << " with " << r.decimals;
}

TEST(FormatParameterNumber, LeavesTheTextUntouchedWhenTheNumberDoesNotFit) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double x : {100000000.0, -10000000.0, 1e300, -1e300, inf, -inf, std::nan("")})
        EXPECT_EQ(number(x, 2), "untouched") << x;
    formatParameterNumber(1.0, 2, nullptr);  // no buffer: nothing written, no crash
}

TEST(FormatParameterNumber, NeverWritesMoreThanTwelveCharacters) {
    for (int decimals = -3; decimals <= 12; ++decimals) {
        for (double x : {-9999999.0, -0.5, 0.0, 1.0 / 3.0, 99999999.0}) {
            char text[40];
            std::fill(std::begin(text), std::end(text), 'x');
            formatParameterNumber(x, decimals, text);
            EXPECT_LE(std::char_traits<char>::length(text), 12u) << x << " " << decimals;
        }
    }
}

TEST(FormatFloatText, SixDecimalsAtMostTwelveCharacters) {
    EXPECT_EQ(floatText(3.0), "3.000000");
    EXPECT_EQ(floatText(6.0), "6.000000");
    EXPECT_EQ(floatText(10.0), "10.000000");
    EXPECT_EQ(floatText(-1.5), "-1.500000");
    EXPECT_EQ(floatText(1e20), "");  // would not fit a host buffer
}
