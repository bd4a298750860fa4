#include "common/failure.h"

namespace heatcalc {

std::string_view reasonWords(FailureReason reason)
{
    switch (reason) {
    case FailureReason::NotANumber:
        return "不是数字";
    case FailureReason::DivisionByZero:
        return "除数为零";
    case FailureReason::OutOfRange:
        return "结果超出数值范围";
    case FailureReason::LogOfNonPositive:
        return "对零或负数取对数";
    case FailureReason::SqrtOfNegative:
        return "对负数开平方";
    case FailureReason::NoRealPower:
        return "乘方没有实数结果";
    }
    return "无法计算";
}

static std::string englishReason(FailureReason reason)
{
    switch (reason) {
    case FailureReason::NotANumber:
        return "not a number";
    case FailureReason::DivisionByZero:
        return "division by zero";
    case FailureReason::OutOfRange:
        return "result out of range";
    case FailureReason::LogOfNonPositive:
        return "logarithm of zero or a negative number";
    case FailureReason::SqrtOfNegative:
        return "square root of a negative number";
    case FailureReason::NoRealPower:
        return "power without a real result";
    }
    return "calculation failure";
}

CalculationFailure::CalculationFailure(std::string field, FailureReason reason)
    : field_(std::move(field)), reason_(reason),
      message_((field_.empty() ? std::string("calculation") : field_) + ": " + englishReason(reason))
{
}

}  // namespace heatcalc
