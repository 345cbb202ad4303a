// Takes the screenshots the AppStream metainfo shows (data/screenshots/): the real program on the
// screen it is run on (scripts/screenshots.sh runs it under Xvfb with a window manager).
// usage: kvelta-screenshots OUTPUT-DIR
#include "app/app_look.h"
#include "app/help_window.h"
#include "app/main_form.h"
#include "catalogue/catalogue.h"
#include "frame/numbers.h"
#include "frame/task_form.h"
#include "rigorous/comparison_window.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

namespace {

void Shoot(const QString& file)
{
    QTest::qWait(700);
    QGuiApplication::primaryScreen()->grabWindow(0).save(file);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kvelta"));
    QApplication::setWindowIcon(kvelta::KveltaIcon());
    kvelta::SetDecimalSeparator(QLatin1Char(','));
    const QDir out(app.arguments().value(1, QStringLiteral(".")));
    QTemporaryDir settings;
    kvelta::TMainForm form(settings.filePath(QStringLiteral("Kvelta.ini")));
    form.setGeometry(0, 0, 1024, 768);
    form.show();
    auto solved = [&](const QString& item) {
        form.openExercise(item);
        kvelta::TaskForm* task = form.activeTaskForm();
        task->edit(QStringLiteral("Edit1"))->setText(QStringLiteral("ГД-21"));
        task->edit(QStringLiteral("Edit2"))->setText(QStringLiteral("Иванов Иван Иванович"));
        task->fillExample();
        task->compute();
        return task;
    };
    solved(QStringLiteral("N7"))->parentWidget()->showMaximized();
    Shoot(out.filePath(QStringLiteral("meridian-arc.png")));

    for (const kvelta::Exercise* exercise : kvelta::Catalogue())
        if (exercise->menu.itemName != QLatin1String("N7"))
            solved(exercise->menu.itemName);
    form.tileWindows();
    Shoot(out.filePath(QStringLiteral("tile.png")));

    form.cascadeWindows();
    form.showHelp();
    form.helpWindow()->setGeometry(200, 60, 800, 680);
    Shoot(out.filePath(QStringLiteral("help.png")));
    form.helpWindow()->close();

    kvelta::TaskForm* gk = solved(QStringLiteral("N17"));
    kvelta::ShowRigorousComparison(*gk, &form);
    Shoot(out.filePath(QStringLiteral("comparison.png")));
    return 0;
}
