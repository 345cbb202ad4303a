// The windows' own files under faults: Kvelta.ini and the Word document on a full disk, and a
// Kvelta.ini that is no regular file. (kvelta-solve's outputs: faults.sh.)
#include "app/main_form.h"
#include "app/settings.h"
#include "app/word_handover.h"
#include "reports/report_file.h"
#include "support/kvelta_test.h"
#include "support/window_test.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvelta {
namespace {

using test::Str;

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Runs the command with a file size limit of 64 bytes, as a full disk would stop it; this holds
// for root too. The error it raised, if any.
QString UnderAFullDisk(const std::function<void()>& command)
{
    rlimit previous{};
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 64;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const std::optional<QString> error = ErrorOf(command);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    return error.value_or(QString());
}

TEST(WindowFiles, AFullDiskKeepsEveryOldFileAndLeavesNothingBehind)
{
    const QByteArray oldSettings = "; kept\r\n[Other]\r\nkey=value\r\n\r\n[Main]\r\nTop=1\r\n";
    const struct {
        const char* name;
        std::function<void(const QString& folder)> write;
        const char* failedFile;
    } cases[] = {
        {"Kvelta.ini",
         [](const QString& folder) {
             SettingsFile file(folder + "/Kvelta.ini");
             WriteMainPlacement(file, WindowPlacement{}, false);
             file.save();
         },
         "Kvelta.ini"},
        {"the Word document",
         [](const QString& folder) { SaveNewDocument(folder, "Отчёт", QByteArray(4096, 'd')); },
         "Отчёт (2).docx"},  // the first name is taken by the old document
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        WriteFile(dir.filePath("Kvelta.ini"), oldSettings);
        WriteFile(dir.filePath("Отчёт.docx"), "old document");
        const QString error = UnderAFullDisk([&] { c.write(dir.path()); });
        EXPECT_EQ(Str(error), "Unable to write to " + Str(dir.filePath(c.failedFile)) + ". File too large");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  (QStringList{"Kvelta.ini", "Отчёт.docx"}));
        EXPECT_EQ(test::ReadFile(dir.filePath("Kvelta.ini")), oldSettings);
        EXPECT_EQ(test::ReadFile(dir.filePath("Отчёт.docx")), "old document");
    }
}

// A Kvelta.ini that cannot be read whole is reported when the window opens and when it closes;
// the window opens with its built-in placement, and the odd file is left as it is.
TEST(WindowFiles, ASettingsFileThatIsNoRegularFileIsRefusedNotReadForever)
{
    const struct {
        const char* name;
        std::function<bool(const QString& path)> make;
        const char* reason;
    } cases[] = {
        {"FIFO", [](const QString& path) { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; },
         "Not a regular file"},
        {"over 64 MiB",
         [](const QString& path) {
             QFile file(path);
             return file.open(QIODevice::WriteOnly) && file.resize(kMaxInputSize + 1);
         },
         "Larger than 67108864 bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath("Kvelta.ini");
        ASSERT_TRUE(c.make(path));
        const QString message = "Cannot open file \"" + path + "\". " + c.reason + ".";
        test::ErrorRecorder errors;
        {
            TMainForm form(path);
            EXPECT_EQ(form.frameGeometry(), QRect(222, 150, 612, 415));
            form.close();
        }
        EXPECT_EQ(errors.messages, (QStringList{message, message}));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{"Kvelta.ini"});
    }
}

}  // namespace
}  // namespace kvelta
