#include "common/checked.h"

#include <cmath>
#include <string>

namespace heatcalc {

Num Num::failed(FailureReason reason, std::string_view field)
{
    Num n(0.0);
    n.ok_ = false;
    n.reason_ = reason;
    n.field_ = field;
    return n;
}

double Num::value(std::string_view target) const
{
    if (!ok_)
        raise(target);
    return value_;
}

void Num::raise(std::string_view target) const
{
    throw CalculationFailure(std::string(field_.empty() ? target : field_), reason_);
}

namespace {

Num finite(double r)
{
    return std::isfinite(r) ? Num(r) : Num::failed(FailureReason::OutOfRange);
}

// The first failed operand, left before right; null when both hold values.
const Num* firstFailed(const Num& a, const Num& b)
{
    if (!a.ok())
        return &a;
    if (!b.ok())
        return &b;
    return nullptr;
}

}  // namespace

Num operator+(const Num& a, const Num& b)
{
    if (const Num* f = firstFailed(a, b))
        return *f;
    return finite(a.value() + b.value());
}

Num operator-(const Num& a, const Num& b)
{
    if (const Num* f = firstFailed(a, b))
        return *f;
    return finite(a.value() - b.value());
}

Num operator*(const Num& a, const Num& b)
{
    if (const Num* f = firstFailed(a, b))
        return *f;
    return finite(a.value() * b.value());
}

Num operator/(const Num& a, const Num& b)
{
    if (const Num* f = firstFailed(a, b))
        return *f;
    if (b.value() == 0)
        return Num::failed(FailureReason::DivisionByZero);
    return finite(a.value() / b.value());
}

Num operator-(const Num& a)
{
    if (!a.ok())
        return a;
    return Num(-a.value());
}

Num Pow(const Num& x, const Num& y)
{
    if (const Num* f = firstFailed(x, y))
        return *f;
    const double base = x.value();
    const double exponent = y.value();
    if (base < 0 && std::trunc(exponent) != exponent)
        return Num::failed(FailureReason::NoRealPower);
    if (base == 0 && exponent < 0)
        return Num::failed(FailureReason::NoRealPower);
    return finite(std::pow(base, exponent));
}

Num Log(const Num& x)
{
    if (!x.ok())
        return x;
    if (x.value() <= 0)
        return Num::failed(FailureReason::LogOfNonPositive);
    return finite(std::log(x.value()));
}

Num Sqr(const Num& x)
{
    if (!x.ok())
        return x;
    if (x.value() < 0)
        return Num::failed(FailureReason::SqrtOfNegative);
    return Num(std::sqrt(x.value()));
}

bool operator<(const Num& a, const Num& b)
{
    if (const Num* f = firstFailed(a, b))
        f->raise();
    return a.value() < b.value();
}

bool operator>(const Num& a, const Num& b)
{
    if (const Num* f = firstFailed(a, b))
        f->raise();
    return a.value() > b.value();
}

bool operator==(const Num& a, const Num& b)
{
    if (const Num* f = firstFailed(a, b))
        f->raise();
    return a.value() == b.value();
}

}  // namespace heatcalc
