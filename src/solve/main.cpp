// kvelta-solve: the exercises of Kvelta without a screen, for instructors and scripts.

#include "frame/error_box.h"
#include "frame/errors.h"
#include "frame/numbers.h"
#include "frame/task_form.h"
#include "solve/cli.h"

#include <QApplication>
#include <QLocale>
#include <clocale>
#include <cstdio>

int main(int argc, char* argv[])
{
    // The windows are made and computed, but never shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("kvelta-solve"));
    kvelta::SetDecimalSeparator(QLocale::system().decimalPoint().front());
    return kvelta::RunSolveCommand(QCoreApplication::arguments().mid(1));
}
