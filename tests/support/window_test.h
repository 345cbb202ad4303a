#pragma once
// Helpers of the window tests: a recorder in place of the error box.

#include "frame/error_box.h"
#include "support/kvelta_test.h"

#include <QStringList>

namespace kvelta::test {

// Records what the error box would show, instead of showing it.
class ErrorRecorder {
public:
    ErrorRecorder()
        : previous_(SetErrorPresenter([this](QWidget*, const QString& text) { messages.append(text); }))
    {
    }
    ~ErrorRecorder() { SetErrorPresenter(std::move(previous_)); }
    QStringList messages;

private:
    ErrorPresenter previous_;
};

}  // namespace kvelta::test
