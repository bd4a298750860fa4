#include "common/failure.h"

#include <array>
#include <utility>

namespace heatcalc {

namespace {

// Each reason in the words of the failure message and in those of the exception text.
struct ReasonWords {
    FailureReason reason;
    std::string_view chinese;
    std::string_view english;
};

constexpr std::array<ReasonWords, 7> Words{{
    {FailureReason::NotANumber, "不是数字", "not a number"},
    {FailureReason::NumberOutOfRange, "超出数值范围", "number out of range"},
    {FailureReason::DivisionByZero, "除数为零", "division by zero"},
    {FailureReason::OutOfRange, "结果超出数值范围", "result out of range"},
    {FailureReason::LogOfNonPositive, "对零或负数取对数", "logarithm of zero or a negative number"},
    {FailureReason::SqrtOfNegative, "对负数开平方", "square root of a negative number"},
    {FailureReason::NoRealPower, "乘方没有实数结果", "power without a real result"},
}};

// The words for a reason the table lacks.
constexpr ReasonWords Unknown{FailureReason::NotANumber, "无法计算", "calculation failure"};

const ReasonWords& wordsOf(FailureReason reason)
{
    for (const ReasonWords& w : Words)
        if (w.reason == reason)
            return w;
    return Unknown;
}

}  // namespace

std::string_view reasonWords(FailureReason reason)
{
    return wordsOf(reason).chinese;
}

CalculationFailure::CalculationFailure(std::string field, FailureReason reason, std::vector<std::string> sources)
    : field_(std::move(field)), reason_(reason), sources_(std::move(sources)),
      message_((field_.empty() ? std::string("calculation") : field_) + ": " + std::string(wordsOf(reason).english))
{
}

}  // namespace heatcalc
