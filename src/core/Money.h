#pragma once
// Amounts in exact paise. Values computed in floating point are converted once,
// rounded to the nearest paisa (halves away from zero), and stay exact afterwards.
#include <QString>
#include <QVariant>
#include <cmath>
#include <compare>
#include <cstdint>

namespace kavra {

class Money {
  public:
    constexpr Money() = default;
    static constexpr Money fromPaise(std::int64_t p) { return Money(p); }
    static Money fromRupees(double r) { return Money(static_cast<std::int64_t>(std::llround(r * 100.0))); }
    // "1234.5", "-0.05"; text that is not a number gives 0, as typed numbers do everywhere.
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

}  // namespace kavra
