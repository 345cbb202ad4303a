// Kvelta idle with one window of every exercise open (nine): what scripts/bench.sh measures the
// idle CPU of. The settings go to a temporary file so that the user's Kvelta.ini stays as it is.
#include "app/main_form.h"
#include "catalogue/catalogue.h"

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir settings;
    kvelta::TMainForm form(settings.filePath(QStringLiteral("Kvelta.ini")));
    form.show();
    for (const kvelta::Exercise* exercise : kvelta::Catalogue())
        form.openExercise(exercise->menu.itemName);
    return app.exec();
}
