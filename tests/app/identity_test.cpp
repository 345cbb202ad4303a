// The windows and kvelta-solve give the same bytes for the same inputs. The window path opens the
// exercise through its "Создать" command, types, presses "Вычислить", shows a page and saves
// through "Сохранить как..."; kvelta-solve gets the same texts as EditK=TEXT. Compared: the error
// box against the error and exit status, the text report, the document, and every table cell.

#include "app/main_form.h"
#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "frame/inputs.h"
#include "frame/task_form.h"
#include "reports/word_report.h"
#include "solve/cli.h"
#include "support/window_test.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTemporaryDir>

namespace kvelta {
namespace {

using test::Str;

// Texts a student might type, or paste by mistake.
const QStringList kHostile = {"", " ", "abc", "1e400", "-1e400", "1e5000", "nan", "inf", "0x10", "１２", "1 000",
                              "-", "+7", "9999999999", "1e308", "-1e308", "0,5", "0.5", "\t3", "3\n", "✓ 中",
                              QString(40000, QLatin1Char('7'))};

// A random number as typed: whole or with up to six decimals, in the exercise's range of sizes.
QString RandomNumber(QRandomGenerator& random, const EditField& edit, QChar separator)
{
    const bool large = edit.defaultText.size() > 5;  // coordinates and sides are metres
    const double value = (random.generateDouble() * 2 - 1) * (large ? 9e6 : 200);
    const int decimals = edit.kind == EditKind::Integer ? 0 : random.bounded(7);
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), separator);
}

// The cases of one exercise: defaults, the worked example, random variants and hostile texts.
std::vector<TypedTexts> Cases(const Exercise& exercise, QChar separator)
{
    QRandomGenerator random(static_cast<quint32>(qHash(exercise.name)) + separator.unicode());
    std::vector<TypedTexts> cases{{}, exercise.shownExample()};
    cases.back().emplace_back("Edit1", "ГД-21 «А»");
    cases.back().emplace_back("Edit2", "Иванов Иван\tИванович ✓");
    for (int n = 0; n < 24; ++n) {
        TypedTexts typed;
        for (const EditField& edit : exercise.edits) {
            if (edit.kind == EditKind::Text)
                continue;
            const bool hostile = random.bounded(8) == 0;
            typed.emplace_back(edit.name, hostile ? kHostile[random.bounded(static_cast<int>(kHostile.size()))]
                                                  : RandomNumber(random, edit, separator));
        }
        cases.push_back(std::move(typed));
    }
    return cases;
}

QByteArray ReadAll(const QString& path) { return test::ReadFile(path); }

TEST(WindowsAndCommandLine, GiveTheSameBytesForTheSameInputs)
{
    QTemporaryDir dir;
    TMainForm mainForm(dir.filePath("Kvelta.ini"));
    for (QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        for (const Exercise* exercise : Catalogue()) {
            int number = 0;
            for (const TypedTexts& typed : Cases(*exercise, separator)) {
                SCOPED_TRACE(Str(exercise->name) + " case " + std::to_string(number++) + " with '"
                             + char(separator.unicode()) + "'");
                const int page = exercise->hasPages() ? number % static_cast<int>(exercise->tables.size()) : 0;

                // The window.
                test::ErrorRecorder errors;
                mainForm.openExercise(exercise->menu.itemName);
                TaskForm* form = mainForm.activeTaskForm();
                ASSERT_NE(form, nullptr);
                for (const auto& [edit, text] : typed)
                    form->edit(edit)->setText(text);
                form->button()->click();
                if (form->pageControl())
                    form->pageControl()->setCurrentIndex(page);
                const QString windowReport = dir.filePath("window.txt");
                mainForm.setSaveFileChooser([&](QWidget*, const QString&) { return windowReport; });
                mainForm.saveReportAs();
                const ReportView window = form->reportView();

                // kvelta-solve.
                QStringList args{exercise->name,   "--decimal-separator", QString(separator),
                                 "--report",       dir.filePath("cli.txt"), "--docx",
                                 dir.filePath("cli.docx"), "--tables-json", dir.filePath("cli.json")};
                if (exercise->hasPages())
                    args << "--active-page" << QString::number(page + 1);
                // What the edit holds: kvelta-solve refuses a longer text where the edit cuts it.
                for (const auto& [edit, text] : typed)
                    args << edit + "=" + text.left(kEditMaxLength);
                const int status = RunSolveCommand(args);

                const QJsonObject json = QJsonDocument::fromJson(ReadAll(dir.filePath("cli.json"))).object();
                EXPECT_EQ(status, errors.messages.isEmpty() ? 0 : 1);
                EXPECT_EQ(Str(json["error"].toString()), Str(errors.messages.value(0)));
                EXPECT_EQ(ReadAll(dir.filePath("cli.txt")), ReadAll(windowReport));
                EXPECT_EQ(ReadAll(dir.filePath("cli.docx")), BuildDocx(window, exercise->report));
                const QJsonArray tables = json["tables"].toArray();
                ASSERT_EQ(static_cast<std::size_t>(tables.size()), window.tables.size());
                for (std::size_t t = 0; t < window.tables.size(); ++t) {
                    QStringList cells;
                    for (const QJsonValue& row : tables[static_cast<qsizetype>(t)].toObject()["cells"].toArray())
                        for (const QJsonValue& cell : row.toArray())
                            cells << cell.toString();
                    EXPECT_EQ(cells, test::AllCells(*window.tables[t].table)) << Str(window.tables[t].name);
                }
                form->parentWidget()->close();
            }
        }
    }
}

}  // namespace
}  // namespace kvelta
