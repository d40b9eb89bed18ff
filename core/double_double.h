#pragma once

#include <cmath>
#include <utility>

namespace tarvilo {

// A number carried as the unevaluated sum hi + lo of two doubles, with
// |lo| at most half an ulp of hi: about 106 bits. hi alone is the value
// rounded to a double. Sums and products of doubles are exact in it (an
// fma gives the rounding error of a product), so a difference of nearly
// equal terms keeps digits that double arithmetic cancels. The core is
// compiled without contraction, which these error terms rely on.
struct DoubleDouble
{
    double hi = 0.0;
    double lo = 0.0;

    constexpr DoubleDouble() = default;
    constexpr DoubleDouble(double value) : hi(value) { } // NOLINT: implicit on purpose, for literals
    constexpr DoubleDouble(double high, double low) : hi(high), lo(low) { }

    bool isFinite() const { return std::isfinite(hi) && std::isfinite(lo); }
};

// a + b exactly, as the rounded sum and its error.
inline DoubleDouble TwoSum(double a, double b)
{
    const double sum = a + b;
    const double bPart = sum - a;
    return { sum, (a - (sum - bPart)) + (b - bPart) };
}

// a * b exactly, as long as the error is no subnormal.
inline DoubleDouble TwoProduct(double a, double b)
{
    const double product = a * b;
    return { product, std::fma(a, b, -product) };
}

namespace double_double_detail {

// hi + lo with |hi| >= |lo| (or hi zero), renormalised.
inline DoubleDouble QuickTwoSum(double hi, double lo)
{
    const double sum = hi + lo;
    return { sum, lo - (sum - hi) };
}

} // namespace double_double_detail

inline DoubleDouble operator-(DoubleDouble x)
{
    return { -x.hi, -x.lo };
}

inline DoubleDouble operator+(DoubleDouble x, DoubleDouble y)
{
    using double_double_detail::QuickTwoSum;
    const DoubleDouble high = TwoSum(x.hi, y.hi);
    const DoubleDouble low = TwoSum(x.lo, y.lo);
    DoubleDouble sum = QuickTwoSum(high.hi, high.lo + low.hi);
    return QuickTwoSum(sum.hi, sum.lo + low.lo);
}

inline DoubleDouble operator-(DoubleDouble x, DoubleDouble y)
{
    return x + -y;
}

inline DoubleDouble operator*(DoubleDouble x, DoubleDouble y)
{
    const DoubleDouble product = TwoProduct(x.hi, y.hi);
    return double_double_detail::QuickTwoSum(product.hi, product.lo + (x.hi * y.lo + x.lo * y.hi));
}

inline DoubleDouble operator/(DoubleDouble x, DoubleDouble y)
{
    // Long division: each quotient digit takes off what the last one left.
    const double first = x.hi / y.hi;
    const DoubleDouble rest = x - y * first;
    const double second = rest.hi / y.hi;
    const double third = (rest - y * second).hi / y.hi;
    const DoubleDouble quotient = double_double_detail::QuickTwoSum(first, second);
    return quotient + third;
}

// The square root of a non-negative value: one Newton step from the
// double's root doubles its digits.
inline DoubleDouble Sqrt(DoubleDouble x)
{
    if (x.hi <= 0.0)
        return {};
    const double root = std::sqrt(x.hi);
    const DoubleDouble rest = x - TwoProduct(root, root);
    return double_double_detail::QuickTwoSum(root, rest.hi / (2 * root));
}

// A double-double with an exponent of its own, m 2^e with |m.hi| in
// [1/2, 1) or m zero, so that no product or quotient of the inputs
// overflows or underflows on the way; only the final conversion to a double
// can leave its range.
class WideDouble
{
public:
    WideDouble() = default;
    WideDouble(double value) : WideDouble(DoubleDouble(value), 0) { } // NOLINT: implicit on purpose
    WideDouble(DoubleDouble mantissa, int exponent)
    {
        if (mantissa.hi == 0.0 || !mantissa.isFinite())
            return;
        const int shift = std::ilogb(mantissa.hi) + 1;
        m_mantissa = { std::ldexp(mantissa.hi, -shift), std::ldexp(mantissa.lo, -shift) };
        m_exponent = exponent + shift;
    }

    // The nearest double (beyond the range, an infinity).
    double toDouble() const { return std::ldexp(m_mantissa.hi, m_exponent); }
    int sign() const { return (m_mantissa.hi > 0) - (m_mantissa.hi < 0); }
    bool isZero() const { return m_mantissa.hi == 0.0; }

    friend WideDouble operator-(WideDouble x)
    {
        x.m_mantissa = -x.m_mantissa;
        return x;
    }
    friend WideDouble operator*(WideDouble x, WideDouble y)
    {
        return { x.m_mantissa * y.m_mantissa, x.m_exponent + y.m_exponent };
    }
    // y must not be zero.
    friend WideDouble operator/(WideDouble x, WideDouble y)
    {
        return { x.m_mantissa / y.m_mantissa, x.m_exponent - y.m_exponent };
    }
    friend WideDouble operator+(WideDouble x, WideDouble y)
    {
        if (x.isZero())
            return y;
        if (y.isZero())
            return x;
        if (x.m_exponent < y.m_exponent)
            std::swap(x, y);
        // A term below 2^-200 of the other lies far beneath its 106 bits.
        const int shift = y.m_exponent - x.m_exponent;
        if (shift < -200)
            return x;
        const DoubleDouble aligned{ std::ldexp(y.m_mantissa.hi, shift), std::ldexp(y.m_mantissa.lo, shift) };
        return { x.m_mantissa + aligned, x.m_exponent };
    }
    friend WideDouble operator-(WideDouble x, WideDouble y) { return x + -y; }

    friend WideDouble Abs(WideDouble x) { return x.sign() < 0 ? -x : x; }
    // x must not be negative.
    friend WideDouble Sqrt(WideDouble x)
    {
        // An even exponent halves exactly.
        const bool odd = (x.m_exponent & 1) != 0;
        const DoubleDouble mantissa = odd ? x.m_mantissa * 2.0 : x.m_mantissa;
        return { Sqrt(mantissa), (x.m_exponent - (odd ? 1 : 0)) / 2 };
    }
    friend bool operator<=(WideDouble x, WideDouble y) { return (y - x).sign() >= 0; }

private:
    DoubleDouble m_mantissa;
    int m_exponent = 0;
};

} // namespace tarvilo
