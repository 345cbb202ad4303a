#include "app/app_look.h"
#include "app/main_form.h"
#include "frame/numbers.h"

#include <QApplication>
#include <QLocale>
#include <clocale>
#include <csignal>

int main(int argc, char* argv[])
{
    // A file size limit then fails the write (and the user is told) instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    // QApplication set the user's LC_ALL; the C library must keep reading and writing points.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Kvelta"));
    // No application display name: the platform would append it to every caption.
    QApplication::setWindowIcon(kvelta::KveltaIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Kvelta"));
    kvelta::SetDecimalSeparator(QLocale::system().decimalPoint().front());

    // The interface is Russian: the standard dialogs' buttons and texts too ("Сохранить", "Папка").
    kvelta::InstallRussianTranslations(app);

    kvelta::TMainForm mainForm;  // reads its placement while it is created; the About window is made on first use
    mainForm.show();
    return app.exec();
}
