#pragma once
// The one place that shows errors: every command runs inside RunCommand.

#include <QString>
#include <functional>

class QWidget;

namespace kvelta {

// Shows `boxText` (already ending in a full stop) to the user. Tests install a recorder.
using ErrorPresenter = std::function<void(QWidget* parent, const QString& boxText)>;
// Installs a presenter and returns the one it replaces; an empty presenter means the message box.
ErrorPresenter SetErrorPresenter(ErrorPresenter presenter);

// The error box: the text with a full stop, caption "Kvelta", error icon, OK.
void ShowErrorBox(QWidget* parent, const QString& text);

// Runs a command; an error ends it and is shown in the error box. Windows keep what was written.
void RunCommand(QWidget* parent, const std::function<void()>& command);

}  // namespace kvelta
