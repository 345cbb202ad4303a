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

namespace {

// Qt's own warnings (such as a missing runtime folder) mean nothing to a user of the command.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(QuietQtMessages);
    // The windows are made and computed, but never shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("kvelta-solve"));
    kvelta::SetDecimalSeparator(QLocale::system().decimalPoint().front());
    return kvelta::RunSolveCommand(QCoreApplication::arguments().mid(1));
}
