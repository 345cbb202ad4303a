// kvelta-solve and the desktop program must write the same bytes for the same inputs: the
// desktop path opens the window through its menu command, types, presses "Вычислить" and saves
// through "Сохранить как..."; the command-line path gets the same texts as EditK=TEXT.

#include "app/main_form.h"
#include "frame/task_form.h"
#include "solve/cli.h"
#include "solve/exercises.h"
#include "support/kvelta_test.h"

#include <QAction>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace kvelta {
namespace {

using test::SeparatorScope;

struct Case {
    const char* exercise;
    std::vector<std::pair<QString, QString>> edits;  // '#' stands for the decimal separator
};

const Case kCases[] = {
    {"meridian-arc", {{"Edit1", "ГД-21"}, {"Edit2", "Иванов Иван Иванович"}, {"Edit3", "50"}, {"Edit6", "51"}}},
    {"parallel-arc", {{"Edit3", "1"}, {"Edit6", "50"}}},
    {"trapezoid-area", {{"Edit3", "50"}, {"Edit6", "50"}, {"Edit7", "20"}}},
    {"trapezoid-sides", {{"Edit3", "50"}, {"Edit6", "50"}, {"Edit7", "10"}}},
    {"gk-forward", {{"Edit2", "✓ 中"}}},
    {"gk-inverse", {{"Edit10", "-210198#193"}}},
    {"gk-zone", {}},
    {"legendre", {{"Edit3", "60"}, {"Edit4", "12"}, {"Edit5", "15#32"}, {"Edit6", "58"}, {"Edit7", "40"},
                  {"Edit8", "20#10"}, {"Edit9", "61"}, {"Edit10", "7"}, {"Edit11", "28#12"}}},
    {"large-triangle", {}},
    {"meridian-arc", {{"Edit3", "x"}}},  // a conversion error: the tables as they stand
};

QString Spell(QString text, QChar separator) { return text.replace(QLatin1Char('#'), separator); }

TEST(DesktopAndCommandLine, WriteTheSameReportForTheSameInputs)
{
    for (QChar separator : test::kSeparators) {
        SeparatorScope scope(separator);
        test::ErrorRecorder errors;
        for (const Case& c : kCases) {
            const Exercise* exercise = FindExercise(QString::fromUtf8(c.exercise));
            ASSERT_NE(exercise, nullptr);
            QTemporaryDir dir;

            // The desktop program.
            TMainForm mainForm(dir.filePath("Kvelta.ini"));
            mainForm.NewTaskClick(exercise->menuItem);
            TaskForm* form = mainForm.activeTaskForm();
            ASSERT_NE(form, nullptr) << c.exercise;
            for (const auto& [edit, text] : c.edits)
                form->edit(edit)->setText(Spell(text, separator));
            form->button()->click();
            const QString desktopFile = dir.filePath("desktop.txt");
            mainForm.setSaveFileChooser([&](QWidget*, const QString&) { return desktopFile; });
            mainForm.N6Click();

            // kvelta-solve.
            const QString cliFile = dir.filePath("cli.txt");
            QStringList args{exercise->name, "--decimal-separator", QString(separator), "--report", cliFile};
            for (const auto& [edit, text] : c.edits)
                args.append(edit + "=" + Spell(text, separator));
            RunSolveCommand(args);

            const QByteArray desktop = test::ReadFile(desktopFile);
            EXPECT_FALSE(desktop.isEmpty()) << c.exercise;
            EXPECT_EQ(desktop, test::ReadFile(cliFile)) << c.exercise << " with '" << separator.toLatin1() << "'";
        }
    }
}

TEST(SolveCommand, AddsTheRigorousComparisonToTheTablesAndTheSummary)
{
    QTemporaryDir dir;
    const QString json = dir.filePath("t.json");
    ASSERT_EQ(RunSolveCommand({"meridian-arc", "--decimal-separator", ".", "Edit3=50", "Edit6=51", "--rigorous",
                               "--tables-json", json}),
              0);
    const QJsonObject rigorous = QJsonDocument::fromJson(test::ReadFile(json)).object()["rigorous"].toObject();
    EXPECT_TRUE(rigorous["ellipsoid"].toString().contains("6378245"));
    const QJsonArray rows = rigorous["rows"].toArray();
    ASSERT_FALSE(rows.isEmpty());
    bool foundS = false;
    for (const QJsonValue& row : rows) {
        if (row.toObject()["textbook"].toString() == "111240.47281540") {
            foundS = true;
            EXPECT_EQ(row.toObject()["rigorous"].toString(), "111240.57618118");
        }
    }
    EXPECT_TRUE(foundS);

    const QString csv = dir.filePath("v.csv");
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Edit3,Edit6\n50,51\n");
    file.close();
    ASSERT_EQ(RunSolveCommand({"meridian-arc", "--decimal-separator", ".", "--rigorous", "--batch", csv, "--out-dir",
                               dir.filePath("out")}),
              0);
    const QByteArray summary = test::ReadFile(dir.filePath("out/summary.csv"));
    EXPECT_TRUE(summary.contains("строгое")) << summary.toStdString();
    EXPECT_TRUE(summary.contains("111240.57618118")) << summary.toStdString();
}

}  // namespace
}  // namespace kvelta
