#include "frame/errors.h"

namespace kvelta {

void RaiseInvalidFloat(const QString& text)
{
    throw ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

void RaiseInvalidInteger(const QString& text)
{
    throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

void RaiseDivisionByZero() { throw FloatingPointError(QStringLiteral("Floating point division by zero")); }
void RaiseInvalidOperation() { throw FloatingPointError(QStringLiteral("Invalid floating point operation")); }
void RaiseOverflow() { throw FloatingPointError(QStringLiteral("Floating point overflow")); }

QString ErrorBoxText(const QString& text)
{
    if (text.endsWith(QLatin1Char('.')))
        return text;
    return text + QLatin1Char('.');
}

std::optional<QString> ErrorOf(const std::function<void()>& command)
{
    try {
        command();
    } catch (const KveltaError& error) {
        return error.text();
    } catch (const std::exception& error) {
        return QString::fromLocal8Bit(error.what());
    }
    return std::nullopt;
}

}  // namespace kvelta
