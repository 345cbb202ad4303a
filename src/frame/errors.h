#pragma once
// Errors that end a running command and are shown in the error box.

#include <QString>
#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace kvelta {

// Base of every error the program reports to the user. The text is shown as it stands
// (the error box adds the closing full stop).
class KveltaError : public std::exception {
public:
    explicit KveltaError(QString text) : text_(std::move(text)), utf8_(text_.toStdString()) {}
    const QString& text() const { return text_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    QString text_;
    std::string utf8_;
};

// A number edit whose text is not a number of the expected kind.
class ConversionError : public KveltaError {
    using KveltaError::KveltaError;
};

// A floating-point fault: division by zero, invalid operation or overflow.
class FloatingPointError : public KveltaError {
    using KveltaError::KveltaError;
};

[[noreturn]] void RaiseInvalidFloat(const QString& text);    // "'%s' is not a valid floating point value"
[[noreturn]] void RaiseInvalidInteger(const QString& text);  // "'%s' is not a valid integer value"
[[noreturn]] void RaiseDivisionByZero();
[[noreturn]] void RaiseInvalidOperation();
[[noreturn]] void RaiseOverflow();

// The text as the error box shows it: a full stop is added when the text lacks one.
QString ErrorBoxText(const QString& text);

// Runs a command; returns the text of the error that ended it, or nothing when it completed.
std::optional<QString> ErrorOf(const std::function<void()>& command);

}  // namespace kvelta
