#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/number.h"

using heatcalc::FormatNumber;
using heatcalc::FormatOneDecimal;
using heatcalc::ParseNumber;

TEST(ParseNumber, ReadsNumbersWithBlanksSignsAndExponents)
{
    EXPECT_EQ(ParseNumber("  100  "), 100.0);
    EXPECT_EQ(ParseNumber("1.535E-06"), 0.000001535);
    EXPECT_EQ(ParseNumber(".5"), 0.5);
    EXPECT_EQ(ParseNumber("5."), 5.0);
    EXPECT_EQ(ParseNumber("+2.5e+3"), 2500.0);
    EXPECT_EQ(ParseNumber("-17.5"), -17.5);
    EXPECT_EQ(ParseNumber("0.50"), 0.5);
    EXPECT_EQ(ParseNumber("01"), 1.0);
    EXPECT_EQ(ParseNumber("\t7\t"), 7.0);
}

TEST(ParseNumber, RefusesEverythingElse)
{
    for (const char* bad : {"",  " ", "12abc", "1,5",  "1 000", "inf",    "-inf",       "nan", "0x10", "1e",    "e5",
                            ".", "-", "+-1",   "1..2", "1.2.3", "Text12", "请选择材质", "1e+", "∞",    "1E5 x", "- 1"})
        EXPECT_FALSE(ParseNumber(bad).has_value()) << '"' << bad << '"';
}

TEST(ParseNumber, FullWidthFormsReadAsTheirAsciiForms)
{
    EXPECT_EQ(ParseNumber("１２"), 12.0);
    EXPECT_EQ(ParseNumber("１００"), 100.0);
    EXPECT_EQ(ParseNumber("　－１．５Ｅ＋３　"), -1500.0);  // ideographic spaces around
    EXPECT_EQ(ParseNumber("＋２ｅ－２"), 0.02);
    EXPECT_EQ(ParseNumber("1２.５"), 12.5);
    EXPECT_EQ(ParseNumber("０９"), 9.0);
    EXPECT_EQ(heatcalc::ReadNumber("１ｅ９９９").status, heatcalc::NumberReading::Status::OutOfRange);
    // Other characters, and bytes that are no UTF-8, are still no number: a full-width comma and
    // colon, a character ending in the bytes of "１", a sequence cut short, a lone continuation
    // byte, an overlong "1".
    for (const char* bad :
         {"１，５", "１：２", "༑", "\xEF\xBC", "\xEF\xBC\x31", "1\x91", "\xBC\x91", "\xC0\xB1", "１\xEF"})
        EXPECT_FALSE(ParseNumber(bad).has_value()) << bad;
    EXPECT_TRUE(heatcalc::IsBlankText(" \t　"));
    EXPECT_FALSE(heatcalc::IsBlankText(" ０ "));
}

TEST(ParseNumber, RangeLimits)
{
    EXPECT_FALSE(ParseNumber("1e400").has_value());
    EXPECT_FALSE(ParseNumber("-1e400").has_value());
    EXPECT_FALSE(ParseNumber("1e99999999999999999999").has_value());
    EXPECT_EQ(ParseNumber("1e-400"), 0.0);
    EXPECT_EQ(ParseNumber("0.0000000000001e-99999999999999999999"), 0.0);
    const auto sub = ParseNumber("1e-310");
    ASSERT_TRUE(sub.has_value());
    EXPECT_GT(*sub, 0.0);
    EXPECT_EQ(ParseNumber("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

TEST(ReadNumber, TellsATextThatIsNoNumberFromANumberOutOfRange)
{
    using Status = heatcalc::NumberReading::Status;
    for (const char* big : {"1e999", "-1e400", " 1E+309 ", "1e99999999999999999999", "1.8e308"})
        EXPECT_EQ(heatcalc::ReadNumber(big).status, Status::OutOfRange) << big;
    for (const char* bad : {"", "12abc", "1e", "inf", "Text12", "1e999x"})
        EXPECT_EQ(heatcalc::ReadNumber(bad).status, Status::NotANumber) << bad;
    const heatcalc::NumberReading tiny = heatcalc::ReadNumber("-1e-400");
    EXPECT_EQ(tiny.status, Status::Number);
    EXPECT_EQ(tiny.value, 0.0);
    EXPECT_EQ(heatcalc::ReadNumber("1.7976931348623157e308").value, std::numeric_limits<double>::max());
}

TEST(FormatNumber, GeneralForm)
{
    EXPECT_EQ(FormatNumber(0.8141), "0.8141");
    EXPECT_EQ(FormatNumber(0.00092), "0.00092");
    EXPECT_EQ(FormatNumber(18.204784532536745), "18.2047845325367");
    EXPECT_EQ(FormatNumber(11.17975330255888), "11.1797533025589");
    EXPECT_EQ(FormatNumber(22), "22");
    EXPECT_EQ(FormatNumber(35), "35");
    EXPECT_EQ(FormatNumber(-17.5), "-17.5");
    EXPECT_EQ(FormatNumber(0), "0");
    EXPECT_EQ(FormatNumber(-0.0), "0");
    EXPECT_EQ(FormatNumber(7850), "7850");
    EXPECT_EQ(FormatNumber(0.0001), "0.0001");
    EXPECT_EQ(FormatNumber(100000000000000), "100000000000000");
    EXPECT_EQ(FormatNumber(999999999999999), "999999999999999");
}

TEST(FormatNumber, ExponentForm)
{
    EXPECT_EQ(FormatNumber(2.94e-7), "2.94E-07");
    EXPECT_EQ(FormatNumber(3.8599999996336e-7), "3.8599999996336E-07");
    EXPECT_EQ(FormatNumber(1.5e15), "1.5E+15");
    EXPECT_EQ(FormatNumber(1e15), "1E+15");
    EXPECT_EQ(FormatNumber(0.0000999), "9.99E-05");
    EXPECT_EQ(FormatNumber(-1e300), "-1E+300");
    EXPECT_EQ(FormatNumber(1e-300), "1E-300");
    EXPECT_EQ(FormatNumber(999999999999999.9), "1E+15");
}

TEST(FormatNumber, EveryTextReadsBack)
{
    for (double v : {2.94e-7, 1.5e15, 0.1, 1.0 / 3, -2.0 / 3, 1e-310, std::numeric_limits<double>::max(), 123456.789}) {
        const auto back = ParseNumber(FormatNumber(v));
        ASSERT_TRUE(back.has_value()) << v;
        EXPECT_EQ(FormatNumber(*back), FormatNumber(v));
    }
}

TEST(FormatOneDecimal, RoundsHalfAwayFromZeroOnFifteenDigits)
{
    EXPECT_EQ(FormatOneDecimal(17.5), "17.5");
    EXPECT_EQ(FormatOneDecimal(35), "35.0");
    EXPECT_EQ(FormatOneDecimal(-17.5), "-17.5");
    EXPECT_EQ(FormatOneDecimal(0.35), "0.4");
    EXPECT_EQ(FormatOneDecimal(58.25), "58.3");
    EXPECT_EQ(FormatOneDecimal(-58.25), "-58.3");
    EXPECT_EQ(FormatOneDecimal(0.278726800293852), "0.3");
    EXPECT_EQ(FormatOneDecimal(0.557453600587704), "0.6");
    EXPECT_EQ(FormatOneDecimal(0.96), "1.0");
    EXPECT_EQ(FormatOneDecimal(99.97), "100.0");
    EXPECT_EQ(FormatOneDecimal(0), "0.0");
    EXPECT_EQ(FormatOneDecimal(-0.04), "0.0");
    EXPECT_EQ(FormatOneDecimal(-0.05), "-0.1");
    EXPECT_EQ(FormatOneDecimal(1e-300), "0.0");
    EXPECT_EQ(FormatOneDecimal(75.0324), "75.0");
    EXPECT_EQ(FormatOneDecimal(1e20), "100000000000000000000.0");
}

TEST(FormatNumber, NonFiniteValuesGiveTextsThatDoNotReadBack)
{
    for (double v : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_FALSE(ParseNumber(FormatNumber(v)).has_value());
        EXPECT_FALSE(ParseNumber(FormatOneDecimal(v)).has_value());
    }
}
