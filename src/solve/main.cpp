// kvelta-solve: the exercises of Kvelta without a screen, for instructors and scripts.

#include "frame/numbers.h"
#include "solve/cli.h"

#include <QCoreApplication>
#include <QLocale>
#include <csignal>
#include <clocale>

int main(int argc, char* argv[])
{
    // A file size limit makes a write fail (and be reported) instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    // QCoreApplication set the user's LC_ALL; the C library must keep reading and writing points.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setApplicationName(QStringLiteral("kvelta-solve"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KVELTA_VERSION));
    kvelta::SetDecimalSeparator(QLocale::system().decimalPoint().front());
    return kvelta::RunSolveCommand(QCoreApplication::arguments().mid(1));
}
