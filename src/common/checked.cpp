#include "common/checked.h"

#include <cmath>
#include <string>

namespace heatcalc {

std::vector<std::string> Sources::ordered() const
{
    std::vector<std::string> fields;
    if (!keys)
        return fields;
    auto add = [&](std::uint64_t bits) {
        for (std::size_t i = 0; i < keys->size() && i < 64; ++i)
            if (bits & (std::uint64_t{1} << i))
                fields.push_back((*keys)[i]);
    };
    add(direct);
    add(behind & ~direct);
    return fields;
}

Num Num::failed(FailureReason reason, std::string_view field, const Sources& sources)
{
    Num n(0.0, sources);
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
    throw CalculationFailure(std::string(field_.empty() ? target : field_), reason_, sources_.ordered());
}

namespace {

// The result of an operation on operands with these sources.
Num finite(double r, const Sources& sources)
{
    return std::isfinite(r) ? Num(r, sources) : Num::failed(FailureReason::OutOfRange, {}, sources);
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
    return finite(a.value() + b.value(), a.sources() | b.sources());
}

Num operator-(const Num& a, const Num& b)
{
    if (const Num* f = firstFailed(a, b))
        return *f;
    return finite(a.value() - b.value(), a.sources() | b.sources());
}

Num operator*(const Num& a, const Num& b)
{
    if (const Num* f = firstFailed(a, b))
        return *f;
    return finite(a.value() * b.value(), a.sources() | b.sources());
}

Num operator/(const Num& a, const Num& b)
{
    if (const Num* f = firstFailed(a, b))
        return *f;
    if (b.value() == 0)
        return Num::failed(FailureReason::DivisionByZero, {}, b.sources());
    return finite(a.value() / b.value(), a.sources() | b.sources());
}

Num operator-(const Num& a)
{
    if (!a.ok())
        return a;
    return Num(-a.value(), a.sources());
}

Num Pow(const Num& x, const Num& y)
{
    if (const Num* f = firstFailed(x, y))
        return *f;
    const double base = x.value();
    const double exponent = y.value();
    const Sources both = x.sources() | y.sources();
    if (base < 0 && std::trunc(exponent) != exponent)
        return Num::failed(FailureReason::NoRealPower, {}, both);
    if (base == 0 && exponent < 0)
        return Num::failed(FailureReason::NoRealPower, {}, both);
    return finite(std::pow(base, exponent), both);
}

Num Log(const Num& x)
{
    if (!x.ok())
        return x;
    if (x.value() <= 0)
        return Num::failed(FailureReason::LogOfNonPositive, {}, x.sources());
    return finite(std::log(x.value()), x.sources());
}

Num Sqr(const Num& x)
{
    if (!x.ok())
        return x;
    if (x.value() < 0)
        return Num::failed(FailureReason::SqrtOfNegative, {}, x.sources());
    return Num(std::sqrt(x.value()), x.sources());
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
