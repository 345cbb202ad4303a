#include "reports/report_file.h"
#include "support/kvelta_test.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace kvelta {
namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

bool NoTemporaries(const QString& folder)
{
    return QDir(folder).entryList({".kvelta-*"}, QDir::Files | QDir::Hidden).isEmpty();
}

// Writing through a symbolic link writes the file it points to and keeps the link, as editors
// do: a link to an existing file, to one not made yet, to a link, into another folder.
TEST(ReportFile, WritesTheTargetOfASymbolicLinkAndKeepsTheLink)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("shared");
    QFile(dir.filePath("shared/old.txt")).open(QIODevice::WriteOnly);
    const struct {
        QString link, target;  // the target as the link holds it (relative to the link's folder)
        QString written;       // the file that must hold the bytes afterwards
    } cases[] = {
        {"to-existing.txt", "shared/old.txt", "shared/old.txt"},
        {"to-new.txt", "shared/new.txt", "shared/new.txt"},
        {"to-absolute.txt", dir.filePath("shared/abs.txt"), "shared/abs.txt"},
        {"to-link.txt", "to-existing.txt", "shared/old.txt"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(QFile::link(c.target, dir.filePath(c.link))) << test::Str(c.link);
        const QByteArray bytes = "report " + c.link.toUtf8();
        WriteFileAtomically(dir.filePath(c.link), bytes);
        EXPECT_TRUE(QFileInfo(dir.filePath(c.link)).isSymLink()) << test::Str(c.link);
        EXPECT_EQ(Contents(dir.filePath(c.written)), bytes) << test::Str(c.link);
        EXPECT_TRUE(NoTemporaries(dir.path()) && NoTemporaries(dir.filePath("shared")));
    }
}

// Files that belong together are replaced together: when one cannot be written, none is.
TEST(ReportFile, FilesTogetherAreAllReplacedOrNone)
{
    QTemporaryDir dir;
    for (const char* name : {"grades.csv", "grades.txt"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    QDir(dir.path()).mkpath("folder");
    EXPECT_THROW(WriteFilesTogether({{dir.filePath("grades.csv"), "new"}, {dir.filePath("folder"), "new"}}), KveltaError);
    EXPECT_EQ(Contents(dir.filePath("grades.csv")), "old");
    EXPECT_TRUE(NoTemporaries(dir.path()));
    WriteFilesTogether({{dir.filePath("grades.csv"), "new csv"}, {dir.filePath("grades.txt"), "new txt"}});
    EXPECT_EQ(Contents(dir.filePath("grades.csv")), "new csv");
    EXPECT_EQ(Contents(dir.filePath("grades.txt")), "new txt");
    EXPECT_TRUE(NoTemporaries(dir.path()));
}

}  // namespace
}  // namespace kvelta
