#pragma once

#include <string_view>

#include "common/failure.h"

namespace heatcalc {

// A double that remembers the first fault met while computing it.
//
// A handler statement is one expression over field reads and constants. A read that does not give
// a number, and an operation without a finite real result, give a failed Num; every operation on a
// failed operand passes the failure on, the left operand's first, so the failure that survives is
// the one met first when the formula is read left to right, whatever order the compiler evaluates
// the operands in. The failure is thrown when the statement writes its field or compares.
class Num {
public:
    constexpr Num(double value) : value_(value) {}  // NOLINT: constants enter formulas as they stand

    static Num failed(FailureReason reason, std::string_view field = {});

    bool ok() const { return ok_; }
    // The value; throws the recorded failure, naming `target` when the fault has no field of its own.
    double value(std::string_view target = {}) const;
    [[noreturn]] void raise(std::string_view target = {}) const;

private:
    double value_ = 0;
    bool ok_ = true;
    FailureReason reason_ = FailureReason::NotANumber;
    std::string_view field_;
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
