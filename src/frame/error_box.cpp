#include "frame/error_box.h"

#include "frame/errors.h"

#include <QMessageBox>
#include <utility>

namespace kvelta {

namespace {

ErrorPresenter& Presenter()
{
    static ErrorPresenter presenter;
    return presenter;
}

void ShowMessageBox(QWidget* parent, const QString& boxText)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Kvelta"), boxText, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace

ErrorPresenter SetErrorPresenter(ErrorPresenter presenter)
{
    return std::exchange(Presenter(), std::move(presenter));
}

void ShowErrorBox(QWidget* parent, const QString& text)
{
    const QString boxText = ErrorBoxText(text);
    if (Presenter())
        Presenter()(parent, boxText);
    else
        ShowMessageBox(parent, boxText);
}

void RunCommand(QWidget* parent, const std::function<void()>& command)
{
    if (const std::optional<QString> error = ErrorOf(command))
        ShowErrorBox(parent, *error);
}

}  // namespace kvelta
