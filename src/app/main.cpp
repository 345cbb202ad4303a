#include "app/main_form.h"
#include "frame/numbers.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
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
    QApplication::setApplicationDisplayName(QStringLiteral("Kvelta"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Kvelta"));
    kvelta::SetDecimalSeparator(QLocale::system().decimalPoint().front());

    // The interface is Russian: the standard dialogs' buttons too ("Сохранить", "Отмена").
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    kvelta::TMainForm mainForm;  // reads its placement while it is created
    mainForm.aboutForm();        // the About window, made now and kept hidden
    mainForm.show();
    return app.exec();
}
