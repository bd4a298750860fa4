#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/failure.h"

namespace heatcalc {

// The fields of one window that can feed a calculation, by bit: bit i is the field keys[i]. The
// bits run in the order a failure message names the fields: the keyboard order, then the fields
// the keyboard does not reach, in the order of the design.
using SourceKeys = std::vector<std::string>;

// The fields whose texts a value was computed from.
struct Sources {
    std::uint64_t direct = 0;  // fields the formula read itself
    std::uint64_t behind = 0;  // the inputs behind the results and work fields the formula read
    const SourceKeys* keys = nullptr;

    // Both values' fields.
    friend Sources operator|(const Sources& a, const Sources& b)
    {
        return {a.direct | b.direct, a.behind | b.behind, a.keys ? a.keys : b.keys};
    }
    // The fields by key: those read directly first, then those behind, each in bit order.
    std::vector<std::string> ordered() const;
};

// A double that remembers the first fault met while computing it, and the fields it comes from.
//
// A handler statement is one expression over field reads and constants. A read that does not give
// a number, and an operation without a finite real result, give a failed Num; every operation on a
// failed operand passes the failure on, the left operand's first, so the failure that survives is
// the one met first when the formula is read left to right, whatever order the compiler evaluates
// the operands in. The failure is thrown when the statement writes its field or compares.
//
// A value's sources are those of its operands together. A failed operation keeps the sources of
// the operands that made it fail: a division by zero its divisor's, a logarithm or square root
// its argument's, a power or a result out of range both operands'.
class Num {
public:
    constexpr Num(double value) : value_(value) {}  // NOLINT: constants enter formulas as they stand
    Num(double value, const Sources& sources) : value_(value), sources_(sources) {}

    static Num failed(FailureReason reason, std::string_view field = {}, const Sources& sources = {});

    bool ok() const { return ok_; }
    const Sources& sources() const { return sources_; }
    // The value; throws the recorded failure, naming `target` when the fault has no field of its own.
    double value(std::string_view target = {}) const;
    [[noreturn]] void raise(std::string_view target = {}) const;

private:
    double value_ = 0;
    bool ok_ = true;
    FailureReason reason_ = FailureReason::NotANumber;
    std::string_view field_;
    Sources sources_{};
};

Num operator+(const Num& a, const Num& b);
Num operator-(const Num& a, const Num& b);
Num operator*(const Num& a, const Num& b);
Num operator/(const Num& a, const Num& b);
Num operator-(const Num& a);

// x ^ y: one call of the general power function.
Num Pow(const Num& x, const Num& y);
// Natural logarithm.
Num Log(const Num& x);
// Square root.
Num Sqr(const Num& x);

// Comparisons of the guards; a failed operand throws here.
bool operator<(const Num& a, const Num& b);
bool operator>(const Num& a, const Num& b);
bool operator==(const Num& a, const Num& b);

}  // namespace heatcalc
