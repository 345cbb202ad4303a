#include "app/main_form.h"
#include "frame/numbers.h"

#include <QApplication>
#include <QLocale>
#include <clocale>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // QApplication set the user's LC_ALL; the C library must keep reading and writing points.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Kvelta"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kvelta"));
    kvelta::SetDecimalSeparator(QLocale::system().decimalPoint().front());

    kvelta::TMainForm mainForm;
    mainForm.show();
    return app.exec();
}
