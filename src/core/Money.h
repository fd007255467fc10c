#pragma once
// Amounts in exact paise. One rounding rule turns a computed value into an amount,
// everywhere: the value as a "0.00" text shows it, read to fifteen significant digits,
// halves away from zero (so 1.005, held as 1.00499999999999989, is 1.01). Rates,
// quantities and percentages are not amounts: they stay numbers as typed.
#include <QString>
#include <QVariant>
#include <compare>
#include <cstdint>

namespace kavra {

class Money {
  public:
    constexpr Money() = default;
    static constexpr Money fromPaise(std::int64_t p) { return Money(p); }
    // The one rounding rule; not finite gives 0.
    static Money fromRupees(double r);
    // "1234.5", "-0.05", "1.005" (beyond paise rounded half away from zero); text that is
    // not a number gives 0, as typed numbers do everywhere.
    static Money parse(const QString& text);
    static Money fromDb(const QVariant& v) { return Money(v.isNull() ? 0 : v.toLongLong()); }

    constexpr std::int64_t paise() const { return paise_; }
    double rupees() const { return static_cast<double>(paise_) / 100.0; }
    QVariant toDb() const { return QVariant::fromValue<qlonglong>(paise_); }
    // "0.00" form.
    QString toString() const;
    // Whole rupees, for amounts in words.
    constexpr std::int64_t wholeRupees() const { return paise_ / 100; }

    constexpr Money operator+(Money o) const { return Money(paise_ + o.paise_); }
    constexpr Money operator-(Money o) const { return Money(paise_ - o.paise_); }
    constexpr Money operator-() const { return Money(-paise_); }
    Money& operator+=(Money o) {
        paise_ += o.paise_;
        return *this;
    }
    Money& operator-=(Money o) {
        paise_ -= o.paise_;
        return *this;
    }
    constexpr auto operator<=>(const Money&) const = default;
    constexpr bool isZero() const { return paise_ == 0; }

  private:
    constexpr explicit Money(std::int64_t p) : paise_(p) {}
    std::int64_t paise_ = 0;
};

// The computations bills prescribe, shared by every chain.
namespace money {
// Whole rupees, halves going up (also for negative values): Int(x + (x - Int(x))).
double roundRupee(double x);
// Whether a computed value can be an amount: finite and below ten lakh crore rupees, so
// that sums of such amounts still fit. Larger typed figures are refused, never stored as 0.
bool fits(double rupees);
// A value passed through a single-precision variable.
inline double single(double x) {
    return static_cast<double>(static_cast<float>(x));
}
// A percentage kept as an amount, turned back into the percentage of its base.
double percentOf(double stored, double base);
// The value as its "0.00" text shows it, as a number again.
inline double shown(double x) {
    return Money::fromRupees(x).rupees();
}
}  // namespace money

}  // namespace kavra
