#pragma once
// Numbers as the exercises use them: extended precision, the locale's decimal separator,
// the fixed-point formats of the tables, the reading of edit texts, and the floating-point
// faults that stop a computation.

#include <QChar>
#include <QString>

namespace kvelta {

// The 80-bit x87 format on x86-64 Linux: the precision the worked solutions are printed in.
using Extended = long double;

inline constexpr Extended Pi = 3.14159265358979323846L;

// The decimal separator used to read and write numbers; the user's, fixed for the run.
QChar DecimalSeparator();
void SetDecimalSeparator(QChar separator);

// While it lives, the calling thread reads and writes numbers with `separator` instead of the
// program's; other threads keep theirs. A server computes each request in its user's separator.
class ThreadDecimalSeparator {
public:
    explicit ThreadDecimalSeparator(QChar separator);
    ~ThreadDecimalSeparator();
    ThreadDecimalSeparator(const ThreadDecimalSeparator&) = delete;
    ThreadDecimalSeparator& operator=(const ThreadDecimalSeparator&) = delete;

private:
    QChar previous_;
};

// Fixed point with exactly `decimals` decimals, rounded, no thousands separator, the locale's
// separator; a value that rounds to zero is printed without a sign. `value` must be finite.
QString FormatFixed(Extended value, int decimals);

// The decimals a printed number shows: the digits after its last decimal separator.
int PrintedDecimals(const QString& text);

// A real number as the platform reads it: optional blanks around, optional sign, digits with
// the decimal separator, optional exponent. Values beyond the extended range are rejected.
Extended ParseReal(const QString& text);
// A whole number: optional sign and decimal digits, 32-bit range.
int ParseInteger(const QString& text);

// Stores an extended value in a double: "Floating point overflow" when out of its range.
double ToDouble(Extended value);

// Checked operations: each raises the fault the platform's coprocessor would trap.
Extended Checked(Extended value);             // non-finite → overflow (NaN → invalid operation)
Extended Divide(Extended dividend, Extended divisor);
Extended SquareRoot(Extended value);

// Trigonometry of an angle given in degrees: degrees / 180 · π.
Extended Radians(double degrees);
Extended SinDeg(double degrees);
Extended CosDeg(double degrees);

}  // namespace kvelta
