#include "app/main_form.h"
#include "app/settings.h"
#include "app_test_support.h"
#include "support/window_test.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <limits>

namespace kvelta {
namespace {

using test::ErrorRecorder;
using test::TempSettings;

WindowPlacement PlacementOf(const TMainForm& form)
{
    const QRect frame = form.frameGeometry();
    return {frame.left(), frame.top(), frame.width(), frame.height(), form.isMaximized()};
}

TEST(SettingsFile, LivesBesideTheExecutable)
{
    EXPECT_EQ(DefaultSettingsPath(), QDir(QCoreApplication::applicationDirPath()).filePath("Kvelta.ini"));
    TMainForm form(QString{});
    EXPECT_EQ(form.settingsPath(), DefaultSettingsPath());
}

TEST(SettingsFile, ReadsAsThePlatformDoes)
{
    TempSettings ini;
    ini.write("; kept\n[other]\nx = 1\n[MAIN]\n top =  \"42\" \nLEFT='7'\nEmpty=\n");
    const SettingsFile file(ini.path());
    // Sections and keys ignore case; blanks and one pair of quotes around a value go.
    EXPECT_EQ(file.readString("Main", "Top", "10"), "42");
    EXPECT_EQ(file.readString("main", "left", "10"), "7");
    EXPECT_EQ(file.readString("Main", "Empty", "d"), "");  // present but empty: not the default
    EXPECT_EQ(file.readString("Main", "Width", "600"), "600");
    EXPECT_EQ(file.readString("Other", "X", ""), "1");
}

// Placement read from a file's text: what the window shows and what the error box said.
struct LoadCase {
    const char* name;
    QByteArray file;  // empty: no file at all
    WindowPlacement expected;
    QStringList errors;
};

// The box's text for a bad value of section Main: the file (PATH here, the test's file in the
// run), the key and the value, in Russian.
QString Bad(const char* key, const QString& value)
{
    return QStringLiteral("Ошибка в файле настроек PATH: в разделе [Main] значение ключа %1 «%2» — не целое число; "
                          "положение окна взято без него и без следующих за ним значений.")
        .arg(QLatin1String(key), value);
}

TEST(LoadSettings, EveryRule)
{
    const LoadCase cases[] = {
        {"no file: defaults", {}, {10, 10, 600, 400, false}, {}},
        {"all keys", "[Main]\nTop=20\nLeft=30\nWidth=500\nHeight=350\nState=NORMAL\n", {30, 20, 500, 350, false}, {}},
        {"missing keys default", "[Main]\nWidth=510\n", {10, 10, 510, 400, false}, {}},
        // The title bar is kept on the screen; a window may stand out of its side.
        {"negative position", "[Main]\nTop=-5\nLeft=-12\n", {-12, 0, 600, 400, false}, {}},
        // Off the only screen (800 x 800 here): brought back, title bar and half the window on it.
        {"off every screen", "[Main]\nTop=2147483647\nLeft=-2147483648\nWidth=2147483647\nHeight=2147483647\n",
         {-400, 400, 800, 800, false}, {}},
        {"maximised", "[Main]\nTop=20\nLeft=30\nWidth=500\nHeight=350\nState=MAXIMIZED\n", {30, 20, 500, 350, true}, {}},
        {"lower-case maximized is normal", "[Main]\nState=maximized\n", {10, 10, 600, 400, false}, {}},
        {"mixed-case is normal", "[Main]\nState=Maximized\n", {10, 10, 600, 400, false}, {}},
        {"other section ignored", "[Other]\nTop=99\n[Main]\nHeight=300\n", {10, 10, 600, 300, false}, {}},
        // A bad value: the error is shown, the keys before it count, the rest stay built-in.
        {"bad Top", "[Main]\nTop=abc\nLeft=30\nWidth=500\nHeight=350\nState=MAXIMIZED\n",
         {222, 150, 612, 415, false}, {Bad("Top", "abc")}},
        {"bad Left", "[Main]\nTop=20\nLeft=1.5\nWidth=500\nState=MAXIMIZED\n", {222, 20, 612, 415, false},
         {Bad("Left", "1.5")}},
        {"bad Width", "[Main]\nTop=20\nLeft=30\nWidth=\nHeight=350\n", {30, 20, 612, 415, false},
         {Bad("Width", "")}},
        {"bad Height", "[Main]\nTop=20\nLeft=30\nWidth=500\nHeight=99999999999\nState=MAXIMIZED\n",
         {30, 20, 500, 415, false}, {Bad("Height", "99999999999")}},
        // A value written by hand shows on one line, cut to what a box holds.
        {"bad Top with a tab and a long tail", "[Main]\nTop=1\t" + QByteArray(100, '7') + "\nLeft=30\n",
         {222, 150, 612, 415, false}, {Bad("Top", "1 " + QString(62, QLatin1Char('7')) + "…")}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempSettings ini;
        if (!c.file.isEmpty())
            ini.write(c.file);
        ErrorRecorder errors;
        TMainForm form(ini.path());
        QStringList expectedErrors = c.errors;
        expectedErrors.replaceInStrings(QStringLiteral("PATH"), ini.path());
        EXPECT_EQ(errors.messages, expectedErrors);
        const WindowPlacement p = PlacementOf(form);
        EXPECT_EQ(form.isMaximized(), c.expected.maximized);
        // A maximised window keeps the read placement for its normal state.
        const QRect normal = c.expected.maximized ? form.normalGeometry() : form.frameGeometry();
        EXPECT_EQ(normal, QRect(c.expected.left, c.expected.top, c.expected.width, c.expected.height));
        (void)p;
    }
}

TEST(LoadSettings, PlacementHonouredWhenShown)
{
    TempSettings ini;
    ini.write("[Main]\nTop=33\nLeft=44\nWidth=420\nHeight=310\n");
    TMainForm form(ini.path());
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.frameGeometry(), QRect(44, 33, 420, 310));
}

TEST(LoadSettings, AbsurdSizesAreBounded)
{
    TempSettings ini;
    ini.write("[Main]\nWidth=2147483647\nHeight=-2147483648\n");
    ErrorRecorder errors;
    TMainForm form(ini.path());
    form.show();
    EXPECT_TRUE(errors.messages.isEmpty());
    EXPECT_GE(form.width(), 1);
    EXPECT_LE(form.width(), 32767);
    EXPECT_GE(form.height(), 1);
}

TEST(SaveSettings, NewFileHasTheFiveKeysInOrder)
{
    TempSettings ini;
    {
        TMainForm form(ini.path());
        form.show();
        form.close();
    }
    EXPECT_EQ(ini.read(), "[Main]\nTop=10\nLeft=10\nWidth=600\nHeight=400\nState=NORMAL\n");
}

TEST(SaveSettings, NormalCloseWritesThePlacementAndKeepsTheRest)
{
    TempSettings ini;
    ini.write("; comment\n[Other]\nkey=value\n\n[Main]\nState=MAXIMIZED\nExtra=1\n");
    QRect closedAt;
    {
        ErrorRecorder errors;
        TMainForm form(ini.path());
        form.show();
        form.showNormal();
        form.resize(480, 320);
        form.move(7, 15);
        closedAt = form.frameGeometry();
        form.close();
        EXPECT_TRUE(errors.messages.isEmpty());
    }
    EXPECT_EQ(closedAt.topLeft(), QPoint(7, 15));
    const QByteArray text = ini.read();
    EXPECT_TRUE(text.startsWith("; comment\n")) << text.constData();
    EXPECT_TRUE(text.contains("[Other]\nkey=value\n")) << text.constData();
    EXPECT_TRUE(text.contains(QStringLiteral("[Main]\nState=NORMAL\nExtra=1\nTop=15\nLeft=7\nWidth=%1\nHeight=%2\n")
                                  .arg(closedAt.width())
                                  .arg(closedAt.height())
                                  .toUtf8()))
        << text.constData();
    // The next start opens where the last one closed, and a second save changes nothing.
    {
        TMainForm again(ini.path());
        again.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(again.frameGeometry(), closedAt);
        again.close();
    }
    EXPECT_EQ(ini.read(), text);
}

TEST(SaveSettings, MaximisedOrMinimisedCloseWritesOnlyState)
{
    const QByteArray before = "[Main]\nTop=20\nLeft=30\nWidth=500\nHeight=350\nState=NORMAL\n";
    for (const bool maximise : {true, false}) {
        SCOPED_TRACE(maximise ? "maximised" : "minimised");
        TempSettings ini;
        ini.write(before);
        {
            TMainForm form(ini.path());
            form.show();
            form.move(5, 5);
            maximise ? form.showMaximized() : form.showMinimized();
            form.close();
        }
        EXPECT_EQ(ini.read(), maximise ? "[Main]\nTop=20\nLeft=30\nWidth=500\nHeight=350\nState=MAXIMIZED\n"
                                        : before);
    }
    // With no file, a maximised close leaves only the state.
    TempSettings ini;
    {
        TMainForm form(ini.path());
        form.showMaximized();
        form.close();
    }
    EXPECT_EQ(ini.read(), "[Main]\nState=MAXIMIZED\n");
}

// Writing keeps the file as its owner wrote it: line ends, blank lines, comments, other sections,
// the keys' order and spelling; only the values change and new keys join their section.
TEST(SaveSettings, KeepsTheFileAsItWasWritten)
{
    const struct {
        const char* name;
        QByteArray before, after;
    } cases[] = {
        {"CR LF, blank lines, other sections",
         "; c\r\n[Other]\r\nkey=value\r\n\r\n[Main]\r\nState=MAXIMIZED\r\nExtra=1\r\n\r\n; next\r\n[Tail]\r\nx=1\r\n",
         "; c\r\n[Other]\r\nkey=value\r\n\r\n[Main]\r\nState=NORMAL\r\nExtra=1\r\nTop=15\r\nLeft=7\r\nWidth=480\r\n"
         "Height=320\r\n\r\n; next\r\n[Tail]\r\nx=1\r\n"},
        {"no section Main, no last line end", "[Other]\nk=v",
         "[Other]\nk=v\n[Main]\nTop=15\nLeft=7\nWidth=480\nHeight=320\nState=NORMAL\n"},
        {"the owner's spelling and order", "[main]\r\nHEIGHT = 1\r\n left=2\r\n",
         "[main]\r\nHEIGHT =320\r\n left=7\r\nTop=15\r\nWidth=480\r\nState=NORMAL\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempSettings ini;
        ini.write(c.before);
        SettingsFile file(ini.path());
        WriteMainPlacement(file, {7, 15, 480, 320, false}, false);
        file.save();
        EXPECT_EQ(ini.read(), c.after);
        EXPECT_EQ(SettingsFile(ini.path()).readString("Main", "Left", ""), "7");
    }
}

// Any saved placement comes back on a screen: the one it overlaps most or else the nearest.
TEST(LoadSettings, PlacementIsBroughtOntoAScreen)
{
    const QList<QRect> screens{QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1024)};
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    const struct {
        const char* name;
        WindowPlacement saved, shown;
    } cases[] = {
        {"on the first screen", {100, 100, 600, 400}, {100, 100, 600, 400}},
        {"on the second screen", {2000, 50, 600, 400}, {2000, 50, 600, 400}},
        {"half out of the side", {-300, 10, 600, 400}, {-300, 10, 600, 400}},
        {"a screen that is gone", {-1500, 10, 600, 400}, {-300, 10, 600, 400}},
        {"title bar above the screen", {100, -50, 600, 400}, {100, 0, 600, 400}},
        {"far below", {100, 5000, 600, 400}, {100, 840, 600, 400}},
        {"larger than a screen", {0, 0, 3000, 2000}, {0, 0, 1920, 1040}},
        {"the largest numbers", {kMax, kMax, kMax, kMax}, {2560, 512, 1280, 1024}},
        {"the smallest numbers", {kMin, kMin, kMin, kMin}, {0, 0, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlacementOnScreens(c.saved, screens), c.shown);
    }
    EXPECT_EQ(PlacementOnScreens({kMin, kMax, 5, 5}, {}), (WindowPlacement{kMin, kMax, 5, 5}));
}

TEST(SaveSettings, UnwritableFileIsReportedAndTheWindowStillCloses)
{
    TempSettings ini;
    const QString path = ini.dirPath() + "/missing/Kvelta.ini";
    ErrorRecorder errors;
    TMainForm form(path);
    form.show();
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(errors.messages, QStringList{"Cannot create file \"" + path + "\". No such file or directory."});
}

TEST(SaveSettings, AFolderInPlaceOfTheFileIsReported)
{
    TempSettings ini;
    ASSERT_TRUE(QDir().mkpath(ini.path()));
    ErrorRecorder errors;
    TMainForm form(ini.path());
    form.show();
    form.close();
    EXPECT_EQ(errors.messages, (QStringList{"Cannot open file \"" + ini.path() + "\". Is a directory.",
                                            "Cannot open file \"" + ini.path() + "\". Is a directory."}));
}

}  // namespace
}  // namespace kvelta

namespace kvelta {
namespace {

// Where the settings live: beside the program when it may be written there, else in the
// user's configuration folder.
TEST(SettingsLocation, BesideAWritableProgramFolderOtherwiseInTheConfigFolder)
{
    QTemporaryDir program, config;
    const QString beside = QDir(program.path()).filePath("Kvelta.ini");
    const QString inConfig = QDir(config.path()).filePath("Kvelta/Kvelta.ini");
    EXPECT_EQ(SettingsPathFor(program.path(), config.path()), beside);
    EXPECT_EQ(SettingsPathFor("/usr/bin", config.path()), inConfig);
    EXPECT_EQ(SettingsPathFor(QDir(program.path()).filePath("missing"), config.path()), inConfig);

    QFile existing(beside);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    QFile::setPermissions(program.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(SettingsPathFor(program.path(), config.path()), beside);  // a file already there is used
    QFile::setPermissions(program.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

}  // namespace
}  // namespace kvelta
