#include "app/main_form.h"
#include "app/word_handover.h"
#include "app/stripe.h"
#include "app_test_support.h"
#include "frame/task_form.h"
#include "support/window_test.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QLineEdit>
#include <QTextBrowser>
#include <QtTest/QTest>
#include "app/app_look.h"
#include "app/help_window.h"
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <map>
#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "frame/edit_names.h"

namespace kvelta {
namespace {

using test::ErrorRecorder;
using test::TempSettings;

// A main window over a temporary settings file, shown offscreen.
struct Shell {
    TempSettings ini;
    TMainForm form{ini.path()};
    Shell() { form.show(); }
    void open(const char* item) { form.menuItem(item)->trigger(); }
    QList<QMdiSubWindow*> windows() const { return form.mdiArea()->subWindowList(); }
};

QStringList Entries(const QList<QAction*>& actions)
{
    QStringList entries;
    for (QAction* a : actions)
        entries << a->objectName() + "|" + (a->isSeparator() ? QString("-") : a->text());
    return entries;
}

TEST(MainForm, MenusInOrderWithTheirCaptions)
{
    Shell shell;
    TMainForm& form = shell.form;
    EXPECT_EQ(form.windowTitle(), "Kvelta");
    EXPECT_EQ(Entries(form.menuBar()->actions()),
              QStringList({"N1|Файл", "N2|Создать", "Windows1|Окна", "Check1|Проверка", "Help1|О программе"}));
    auto menu = [&](const char* name) { return Entries(form.findChild<QMenu*>(name)->actions()); };
    EXPECT_EQ(menu("N1"), QStringList({"N6|Сохранить как...", "N12|Печать из MS Word", "Print1|Печать...",
                                       "ExportPdf1|Экспорт в PDF...", "Instructor1|-",
                                       "GroupVariants1|Задания для группы...", "GradeAnswers1|Проверить ответы...",
                                       "N9|-", "N4|Выход"}));
    EXPECT_EQ(form.menuItem("Print1")->shortcut(), QKeySequence(QKeySequence::Print));
    // "Создать": every exercise of the catalogue once, in its order, in the submenu it names (a
    // submenu where its first exercise stands).
    QStringList created, expected;
    for (QAction* a : form.findChild<QMenu*>("N2")->actions()) {
        if (!a->menu()) {
            created << "|" + a->objectName() + "|" + a->text();
            continue;
        }
        for (QAction* inner : a->menu()->actions())
            created << a->objectName() + "|" + a->text() + "|" + inner->objectName() + "|" + inner->text();
    }
    std::map<QString, std::vector<const Exercise*>> submenus;
    for (const Exercise* exercise : Catalogue())
        submenus[exercise->menu.submenuName].push_back(exercise);
    QStringList seen;
    for (const Exercise* exercise : Catalogue()) {
        const MenuPlace& place = exercise->menu;
        if (place.submenuName.isEmpty()) {
            expected << "|" + place.itemName + "|" + place.itemText;
        } else if (!seen.contains(place.submenuName)) {
            seen << place.submenuName;
            for (const Exercise* inSubmenu : submenus[place.submenuName])
                expected << place.submenuName + "|" + place.submenuText + "|" + inSubmenu->menu.itemName + "|"
                                + inSubmenu->menu.itemText;
        }
    }
    EXPECT_EQ(created, expected);
    // The items a user and the saved settings know keep their names and captions.
    EXPECT_TRUE(created.contains("|N7|Вычисление дуги меридианов"));
    EXPECT_TRUE(created.contains("N3|Вычисление площади и длин сторонт трапеции|N10|Вычисление длин сторон трапеции"));
    EXPECT_TRUE(created.contains("N20|Геодезические задачи|N23|Пространственные прямоугольные координаты"));
    EXPECT_EQ(menu("Windows1").mid(0, 3), QStringList({"Tile1|Tile", "Arrange1|Arrange icons", "Cascade1|Cascade"}));
    EXPECT_EQ(menu("Help1"), QStringList({"Help2|Справка", "Example1|Пример из учебника", "|-", "N15|О программе"}));
    for (const char* item : {"N6", "Print1", "ExportPdf1"})
        EXPECT_FALSE(form.menuItem(item)->isEnabled()) << item;
    EXPECT_TRUE(form.menuItem("N12")->isEnabled());
    auto* timer = form.findChild<QTimer*>("Timer1");
    ASSERT_TRUE(timer);
    EXPECT_EQ(timer->interval(), 100);
    EXPECT_TRUE(timer->isActive());
    EXPECT_GE(form.findChild<QLabel*>("StatusPanel1")->width(), 150);
    EXPECT_EQ(form.findChild<QLabel*>("StatusPanel2")->width(), 50);
    EXPECT_TRUE(form.findChild<QLabel*>("StatusPanel2")->text().isEmpty());
}

TEST(MainForm, StatusTextFitsItsPanel)
{
    Shell shell;
    shell.form.tick();
    QLabel* panel = shell.form.findChild<QLabel*>("StatusPanel1");
    QApplication::sendPostedEvents();  // the status bar lays out again
    const int needed = panel->fontMetrics().horizontalAdvance(panel->text());
    EXPECT_LE(needed, panel->contentsRect().width());
    if (needed < 150) {
        EXPECT_EQ(panel->width(), 150);
    }
}

TEST(MainForm, TwoMeridianWindowsCountTwo)
{
    Shell shell;
    TMainForm& form = shell.form;
    form.tick();
    EXPECT_EQ(form.statusText(), "Количество вычислений: 0");
    EXPECT_FALSE(form.menuItem("N6")->isEnabled());

    shell.open("N7");
    shell.open("N7");
    ASSERT_EQ(shell.windows().size(), 2);
    EXPECT_NE(shell.windows()[0]->widget(), shell.windows()[1]->widget());
    EXPECT_EQ(form.activeTaskForm(), shell.windows()[1]->widget());  // the new one is active
    EXPECT_EQ(form.activeTaskForm()->windowTitle(), "Вычисление дуги меридианов");
    EXPECT_FALSE(form.menuItem("N6")->isEnabled());  // until the next tick
    form.tick();
    EXPECT_EQ(form.statusText(), "Количество вычислений: 2");
    EXPECT_TRUE(form.menuItem("N6")->isEnabled());
    EXPECT_TRUE(form.menuItem("Compare1")->isEnabled());  // an exercise window is active

    // The window list names both; choosing the first activates it.
    QMenu* windows1 = form.findChild<QMenu*>("Windows1");
    emit windows1->aboutToShow();
    QList<QAction*> list;
    for (QAction* a : windows1->actions())
        if (a->text().startsWith('&'))
            list << a;
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0]->text(), "&1 Вычисление дуги меридианов");
    EXPECT_TRUE(list[1]->isChecked());
    list[0]->trigger();
    EXPECT_EQ(form.activeTaskForm(), shell.windows()[0]->widget());

    // Closing destroys the window; the count follows at the next tick.
    shell.windows()[0]->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    form.tick();
    EXPECT_EQ(form.statusText(), "Количество вычислений: 1");
    shell.windows()[0]->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    form.tick();
    EXPECT_EQ(form.statusText(), "Количество вычислений: 0");
    EXPECT_FALSE(form.menuItem("N6")->isEnabled());
    EXPECT_FALSE(form.menuItem("Compare1")->isEnabled());
    EXPECT_EQ(form.activeTaskForm(), nullptr);
}

TEST(MainForm, NewWindowsOpenCascadedAtTheirDesignSize)
{
    Shell shell;
    shell.form.resize(1200, 900);
    shell.open("N7");
    shell.open("N8");
    ASSERT_EQ(shell.windows().size(), 2);
    const QPoint step = shell.windows()[1]->pos() - shell.windows()[0]->pos();
    EXPECT_GT(step.x(), 0);
    EXPECT_EQ(step.x(), step.y());
    EXPECT_EQ(shell.windows()[0]->widget()->size(), QSize(461, 269));
}

TEST(MainForm, EveryCreateCommandOpensOneWindowOrNothing)
{
    Shell shell;
    ErrorRecorder errors;
    int expected = 0;
    for (const char* item : {"N7", "N8", "N5", "N10", "N13", "N14", "N17", "N18", "N19"}) {
        SCOPED_TRACE(item);
        const auto before = shell.windows().size();
        shell.open(item);
        const auto added = shell.windows().size() - before;
        EXPECT_LE(added, 1);
        expected += static_cast<int>(added);
        if (added) {
            EXPECT_EQ(shell.form.activeTaskForm(), shell.windows().back()->widget());
        }
    }
    shell.form.tick();
    EXPECT_EQ(shell.form.taskWindowCount(), expected);
    EXPECT_TRUE(errors.messages.isEmpty()) << test::Str(errors.messages.join('\n'));
    shell.form.menuItem("N3")->trigger();  // the submenu's own command does nothing
    EXPECT_EQ(shell.form.taskWindowCount(), expected);
}

TEST(MainForm, TileCascadeArrange)
{
    Shell shell;
    shell.form.resize(1000, 800);  // room for both windows' inputs in one column
    shell.open("N7");
    shell.open("N7");
    shell.form.tileWindows();
    const QRect area = shell.form.mdiArea()->viewport()->rect();
    QList<QRect> rects;
    for (QMdiSubWindow* sub : shell.windows())
        rects << sub->geometry();
    std::sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) { return a.top() < b.top(); });
    // One above the other, each the full width, together the full height.
    EXPECT_EQ(rects[0], QRect(0, 0, area.width(), area.height() / 2));
    EXPECT_EQ(rects[1].top(), rects[0].bottom() + 1);
    EXPECT_EQ(rects[1].width(), area.width());
    EXPECT_EQ(rects[1].bottom(), area.bottom());

    shell.form.cascadeWindows();
    EXPECT_NE(shell.windows()[0]->pos(), shell.windows()[1]->pos());

    for (QMdiSubWindow* sub : shell.windows())
        sub->showMinimized();
    shell.form.arrangeIcons();
    for (QMdiSubWindow* sub : shell.windows())
        EXPECT_EQ(sub->geometry().bottom(), area.bottom()) << "icons sit on the bottom edge";
    EXPECT_NE(shell.windows()[0]->x(), shell.windows()[1]->x());
}

TEST(Stripe, ColourRamp)
{
    EXPECT_EQ(StripeColor(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(StripeColor(0, 254), qRgb(254, 127, 84));
    EXPECT_EQ(StripeColor(0, 255), qRgb(0, 0, 0));  // 255 values: 255 wraps to black
    EXPECT_EQ(StripeColor(100, 155), qRgb(0, 0, 0));
    EXPECT_EQ(StripeColor(0, 256), qRgb(1, 0, 0));
    EXPECT_EQ(StripeColor(2, 0), StripeColor(0, 2));
    EXPECT_EQ(StripeColor(10, 7), qRgb(17, 8, 5));
    EXPECT_EQ(StripeColor(600, 599), StripeColor(0, (600 + 599) % 255));
    EXPECT_EQ(StripeColor(2147483647, 2147483647), StripeColor(0, static_cast<int>(4294967294LL % 255)));
    for (int a = 0; a < 1000; ++a)
        EXPECT_LT(qRed(StripeColor(0, a)), 255);
}

QImage Strip(TMainForm& form) { return form.stripe()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

TEST(Stripe, MovesTwoPixelsPerTickAndRestarts)
{
    Shell shell;
    TMainForm& form = shell.form;
    StripeOverlay* stripe = form.stripe();
    EXPECT_EQ(form.stripeOffset(), 0);
    EXPECT_EQ(stripe->geometry(), QRect(0, 0, form.width(), 2));
    // It lies above the menu bar and lets clicks through to it.
    EXPECT_TRUE(stripe->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(form.childAt(5, 0), form.menuBar());

    QImage image = Strip(form);
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));  // black at start
    const QRgb x2 = image.pixel(2, 1);
    EXPECT_EQ(x2, StripeColor(0, 2));
    form.tick();  // draws offset 0, moves to 2
    EXPECT_EQ(form.stripeOffset(), 2);
    EXPECT_EQ(Strip(form).pixel(0, 0), qRgb(0, 0, 0));
    form.tick();  // draws offset 2: x = 0 has what x = 2 had
    image = Strip(form);
    EXPECT_EQ(image.pixel(0, 0), x2);
    EXPECT_EQ(image.pixel(0, 1), x2);
    for (int x = 0; x < image.width(); x += 37)
        EXPECT_EQ(image.pixel(x, 0), StripeColor(2, x)) << x;

    // The phase restarts after passing the outer width, W taken at each tick.
    form.resize(300, 200);
    const int w = form.frameGeometry().width();
    int last = form.stripeOffset();
    for (int i = 0; i < 1000 && form.stripeOffset() != 0; ++i) {
        last = form.stripeOffset();
        form.tick();
    }
    EXPECT_EQ(form.stripeOffset(), 0);
    EXPECT_GE(last, w);
    EXPECT_LT(last, w + 2);
    EXPECT_EQ(Strip(form).width(), form.width());
}

TEST(SaveAs, DialogThenActiveWindowThenReport)
{
    Shell shell;
    ErrorRecorder errors;
    QStringList offered;
    QString answer;
    shell.form.setSaveFileChooser([&](QWidget*, const QString& last) {
        offered << last;
        return answer;
    });
    const QString file = shell.ini.dirPath() + "/report";

    // No window: the dialog shows, then nothing happens.
    answer = file;
    shell.form.saveReportAs();
    EXPECT_FALSE(QFile::exists(file));

    shell.open("N7");
    // Cancelled: nothing written, the last name kept.
    answer.clear();
    shell.form.menuItem("N6")->setEnabled(true);
    shell.form.menuItem("N6")->trigger();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(shell.form.lastSaveFileName(), file);

    // A name without an extension: the report goes to exactly that name.
    answer = file;
    shell.form.saveReportAs();
    // Offered in the last file's folder, named from the caption and the student, with the extension.
    ASSERT_EQ(offered.size(), 3);
    EXPECT_EQ(offered[0], "");
    EXPECT_EQ(offered[1], offered[2]);
    EXPECT_TRUE(offered[1].startsWith(shell.ini.dirPath() + "/Вычисление дуги меридианов") && offered[1].endsWith(".txt"))
        << test::Str(offered[1]);
    EXPECT_TRUE(errors.messages.isEmpty()) << test::Str(errors.messages.join('\n'));
    EXPECT_FALSE(QFile::exists(file + ".txt"));
}

// The file type of the Save dialog picks the encoding; the choice outlives the program.
TEST(SaveAs, EncodingIsRememberedAndUsed)
{
    ErrorRecorder errors;
    Shell shell;
    const QString name = shell.ini.dirPath() + "/report.txt";
    shell.open("N7");
    shell.form.setSaveFileChooser([&](QWidget*, const QString&) { return name; });
    shell.form.saveReportAs();
    const QByteArray windows1251 = test::ReadFile(name);
    EXPECT_TRUE(windows1251.contains("\r\n"));
    shell.form.setTextEncoding(TextEncoding::Utf8);
    shell.form.saveReportAs();
    const QByteArray utf8 = test::ReadFile(name);
    EXPECT_TRUE(utf8.startsWith(QStringLiteral("Вычисление дуги меридианов\n").toUtf8())) << utf8.left(60).constData();
    EXPECT_FALSE(utf8.contains('\r'));
    EXPECT_EQ(utf8.count('\n'), windows1251.count('\n'));
    EXPECT_TRUE(shell.ini.read().contains("[Report]")) << shell.ini.read().constData();
    TMainForm again(shell.ini.path());
    EXPECT_EQ(again.textEncoding(), TextEncoding::Utf8);
    EXPECT_TRUE(errors.messages.isEmpty()) << test::Str(errors.messages.join('\n'));
}

// With no application for .docx files, the error box names the saved file and offers the other
// ways; «Экспорт в PDF...» then writes the PDF.
TEST(PrintFromWord, NoWordProcessorOffersPdfAndPrint)
{
    Shell shell;
    ErrorRecorder errors;
    QTemporaryDir documents;
    SetWordReportFolder(documents.path());
    SetHandlerQuery([](const QString& type) -> std::optional<bool> { return type != kDocxMimeType; });
    int opened = 0;
    SetDocumentOpener([&](const QUrl&) { return ++opened, true; });
    QString boxText;
    shell.form.setOtherWayChooser([&](QWidget*, const QString& text) {
        boxText = text;
        return QStringLiteral("ExportPdf1");
    });
    const QString pdf = documents.filePath("report.pdf");
    QString suggested;
    shell.form.setPdfFileChooser([&](QWidget*, const QString& offered) {
        suggested = offered;
        return pdf;
    });
    int previews = 0;
    shell.form.setPrintPreview([&](const WordDocument& document, const QString&, QWidget*) {
        EXPECT_FALSE(document.body.empty());
        ++previews;
    });
    shell.open("N7");
    shell.form.menuItem("N12")->trigger();
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(boxText.contains(documents.filePath("Вычисление дуги меридианов.docx"))) << test::Str(boxText);
    EXPECT_TRUE(test::ReadFile(pdf).startsWith("%PDF-"));
    EXPECT_TRUE(suggested.endsWith("/Вычисление дуги меридианов.pdf")) << test::Str(suggested);
    shell.form.tick();
    ASSERT_TRUE(shell.form.menuItem("Print1")->isEnabled());
    shell.form.menuItem("Print1")->trigger();
    EXPECT_EQ(previews, 1);
    EXPECT_TRUE(errors.messages.isEmpty()) << test::Str(errors.messages.join('\n'));
    SetHandlerQuery({});
    SetDocumentOpener({});
    SetWordReportFolder(QString());
}

TEST(PrintFromWord, NothingWithoutAWindow)
{
    Shell shell;
    ErrorRecorder errors;
    shell.form.menuItem("N12")->trigger();
    EXPECT_TRUE(errors.messages.isEmpty());
}

TEST(MainForm, ExitClosesTheWindow)
{
    Shell shell;
    shell.open("N7");
    shell.form.menuItem("N4")->trigger();
    EXPECT_FALSE(shell.form.isVisible());
    EXPECT_TRUE(shell.ini.exists());
}

// Every exercise has its page, with its formulas from the resources and the worked example
// solved; the contents page links every exercise's page.
TEST(Help, EveryExerciseHasItsPageWithTheWorkedExample)
{
    const QString contents = HelpPageHtml(nullptr);
    EXPECT_FALSE(contents.contains("<!-- exercises"));
    for (const Exercise* exercise : Catalogue()) {
        SCOPED_TRACE(exercise->name.toStdString());
        const QString page = HelpPageHtml(exercise);
        EXPECT_FALSE(page.contains("не найдена"));
        EXPECT_TRUE(page.contains("<h2>Формулы</h2>") || page.contains("<h2>Общее</h2>")
                    || page.contains("<ol>"));
        const Solution solved = SolveExercise(*exercise, exercise->shownExample());
        EXPECT_FALSE(exercise->results.empty());
        for (const ResultQuantity& result : exercise->results) {
            const QString value = solved.tables[static_cast<std::size_t>(result.table)].cell(result.column, result.row);
            EXPECT_FALSE(value.isEmpty());
            EXPECT_TRUE(page.contains(value.toHtmlEscaped())) << value.toStdString();
        }
        EXPECT_TRUE(contents.contains("href=\"" + exercise->help + "\""));
        // The worked example as a command under the inputs' names, which runs.
        const qsizetype code = page.indexOf("<code>kvelta-solve " + exercise->name + " ");
        ASSERT_GE(code, 0);
        const QString command = page.mid(code + 6, page.indexOf("</code>", code) - code - 6);
        const QStringList words = command.split(' ').mid(2);
        TypedTexts named;
        for (const QString& word : words)
            named.emplace_back(word.section('=', 0, 0), QString(word.section('=', 1)).replace("&quot;", "\""));
        EXPECT_EQ(test::AllCells(SolveExercise(*exercise, TextsOfNamedValues(exercise->edits, named)).tables[0]),
                  test::AllCells(solved.tables[0]))
            << command.toStdString();
    }
}

// The stripe and the status rest while nobody can see them.
TEST(MainForm, TimerRestsWhileMinimisedOrHidden)
{
    Shell shell;
    const QTimer* timer = shell.form.findChild<QTimer*>("Timer1");
    ASSERT_TRUE(timer->isActive());
    shell.form.showMinimized();
    EXPECT_FALSE(timer->isActive());
    shell.form.showNormal();
    EXPECT_TRUE(timer->isActive());
    shell.form.hide();
    EXPECT_FALSE(timer->isActive());
    shell.form.show();
    EXPECT_TRUE(timer->isActive());
}

// The file dialog names a folder in Russian, and every window has the program's icon.
TEST(MainForm, RussianFileTypesAndTheIcon)
{
    InstallRussianTranslations(*qApp);
    EXPECT_EQ(QFileIconProvider().type(QFileInfo(QDir::tempPath())), "Папка");
    EXPECT_FALSE(KveltaIcon().availableSizes().isEmpty());
}

// Types a text key by key (QTest's key clicks take Latin letters only).
void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// What a user types once: the group and the name go into every new window and into the next
// start; Enter computes; "Пример из учебника" fills the example, F1 opens the exercise's page.
TEST(MainForm, StudentFieldsExampleEnterAndHelp)
{
    ErrorRecorder errors;
    test::TempSettings ini;
    {
        TMainForm form(ini.path());
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));  // shortcuts work in the active window
        form.openExercise("N13");  // Legendre: its zeros would stop the computation
        TaskForm* first = form.activeTaskForm();
        TypeText(first->edit("Edit1"), "ГД-21");
        TypeText(first->edit("Edit2"), "Иванов И. И.");
        form.menuItem("Example1")->trigger();
        const Exercise& exercise = first->exercise();
        for (const auto& [name, text] : exercise.shownExample())
            EXPECT_EQ(first->edit(name)->text(), text) << name.toStdString();
        EXPECT_EQ(first->group(), "ГД-21");  // the example leaves the student alone
        QTest::keyClick(first->edit("Edit5"), Qt::Key_Return);
        EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join("; ").toStdString();
        EXPECT_FALSE(first->reportView().tables.front().table->cell(1, 1).isEmpty());

        QTest::keyClick(first, Qt::Key_F1);
        ASSERT_TRUE(form.helpWindow());
        EXPECT_EQ(form.helpWindow()->shownExercise(), &exercise);
        EXPECT_TRUE(form.helpWindow()->browser()->toPlainText().contains("Пример из учебника"));

        form.openExercise("N7");
        EXPECT_EQ(form.activeTaskForm()->group(), "ГД-21");
        EXPECT_EQ(form.activeTaskForm()->studentName(), "Иванов И. И.");

        // Ctrl+Tab goes to the other window, Ctrl+F4 closes the active one.
        TaskForm* second = form.activeTaskForm();
        QTest::keyClick(second->edit("Edit3"), Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(form.activeTaskForm(), first);
        QTest::keyClick(first->edit("Edit3"), Qt::Key_F4, Qt::ControlModifier);
        QApplication::processEvents();
        EXPECT_EQ(form.taskWindowCount(), 1);
        EXPECT_EQ(form.activeTaskForm(), second);
        form.close();
    }
    EXPECT_TRUE(ini.read().contains("[Main]"));
    TMainForm next(ini.path());
    next.openExercise("N8");
    EXPECT_EQ(next.activeTaskForm()->group(), "ГД-21");
    EXPECT_EQ(next.activeTaskForm()->studentName(), "Иванов И. И.");
}

}  // namespace
}  // namespace kvelta
