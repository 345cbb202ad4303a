#include "frame/numbers.h"

#include "frame/errors.h"

#include <cerrno>
#include <charconv>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>
#include <vector>

namespace kvelta {

namespace {

QChar g_separator = QLatin1Char(',');
// The calling thread's own separator; null while it uses the program's.
thread_local QChar t_separator;

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Extended conversion of an ASCII number with a point, independent of the C library's locale.
Extended StrToExtended(const std::string& ascii, bool& outOfRange)
{
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    errno = 0;
    char* end = nullptr;
    const Extended value = strtold_l(ascii.c_str(), &end, cLocale);
    outOfRange = std::isinf(value);
    return value;
}

}  // namespace

QChar DecimalSeparator() { return t_separator.isNull() ? g_separator : t_separator; }
void SetDecimalSeparator(QChar separator) { g_separator = separator; }

ThreadDecimalSeparator::ThreadDecimalSeparator(QChar separator) : previous_(t_separator) { t_separator = separator; }
ThreadDecimalSeparator::~ThreadDecimalSeparator() { t_separator = previous_; }

QString FormatFixed(Extended value, int decimals)
{
    // The usual value fits a small buffer; the largest finite extended value has 4933 integer
    // digits, plus sign, point and decimals.
    char small[64];
    std::to_chars_result result = std::to_chars(small, small + sizeof small, value, std::chars_format::fixed, decimals);
    std::string text;
    if (result.ec == std::errc()) {
        text.assign(small, result.ptr);
    } else {
        text.resize(5000 + static_cast<std::size_t>(decimals));
        result = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
        text.resize(static_cast<std::size_t>(result.ptr - text.data()));
    }
    if (!text.empty() && text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);  // "-0.000" prints as "0.000"
    QString out = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    const qsizetype point = out.indexOf(QLatin1Char('.'));
    if (point >= 0)
        out[point] = DecimalSeparator();
    return out;
}

int PrintedDecimals(const QString& text)
{
    const qsizetype separator = text.lastIndexOf(DecimalSeparator());
    if (separator < 0)
        return 0;
    int digits = 0;
    for (qsizetype i = separator + 1; i < text.size() && IsDigit(text[i]); ++i)
        ++digits;
    return digits;
}

Extended ParseReal(const QString& text)
{
    // Grammar: blanks* [sign] (digits [sep digits*] | sep digits) [(e|E) [sign] digits] blanks*
    qsizetype i = 0;
    const qsizetype n = text.size();
    std::string ascii;
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ascii += static_cast<char>(text[i++].unicode());
    int mantissaDigits = 0;
    while (i < n && IsDigit(text[i])) {
        ascii += static_cast<char>(text[i++].unicode());
        ++mantissaDigits;
    }
    if (i < n && text[i] == DecimalSeparator()) {
        ascii += '.';
        ++i;
        while (i < n && IsDigit(text[i])) {
            ascii += static_cast<char>(text[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        RaiseInvalidFloat(text);
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ascii += 'e';
        ++i;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            ascii += static_cast<char>(text[i++].unicode());
        int exponentDigits = 0;
        while (i < n && IsDigit(text[i])) {
            ascii += static_cast<char>(text[i++].unicode());
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            RaiseInvalidFloat(text);
    }
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    if (i != n)
        RaiseInvalidFloat(text);
    bool outOfRange = false;
    const Extended value = StrToExtended(ascii, outOfRange);
    if (outOfRange)
        RaiseInvalidFloat(text);
    return value;
}

int ParseInteger(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    if (i == n)
        RaiseInvalidInteger(text);
    long long value = 0;
    for (; i < n; ++i) {
        if (!IsDigit(text[i]))
            RaiseInvalidInteger(text);
        value = value * 10 + (text[i].unicode() - '0');
        if (value > 2147483648LL)
            RaiseInvalidInteger(text);
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        RaiseInvalidInteger(text);
    return static_cast<int>(value);
}

double ToDouble(Extended value)
{
    const double stored = static_cast<double>(Checked(value));
    if (std::isinf(stored))
        RaiseOverflow();
    return stored;
}

Extended Checked(Extended value)
{
    if (std::isnan(value))
        RaiseInvalidOperation();
    if (std::isinf(value))
        RaiseOverflow();
    return value;
}

Extended Divide(Extended dividend, Extended divisor)
{
    if (divisor == 0) {
        if (dividend == 0 || std::isnan(dividend))
            RaiseInvalidOperation();
        RaiseDivisionByZero();
    }
    return Checked(dividend / divisor);
}

Extended SquareRoot(Extended value)
{
    if (std::isnan(value) || value < 0)
        RaiseInvalidOperation();
    return std::sqrt(value);
}

Extended Radians(double degrees) { return Checked(static_cast<Extended>(degrees) / 180 * Pi); }
Extended SinDeg(double degrees) { return Checked(std::sin(Radians(degrees))); }
Extended CosDeg(double degrees) { return Checked(std::cos(Radians(degrees))); }

}  // namespace kvelta
