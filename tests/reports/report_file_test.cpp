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

// A file written in pieces appears under its name only whole, at commit(): before, only a
// temporary beside it; never committed, nothing at all and the old file as it was.
TEST(ReportFile, StreamedFileAppearsWholeOnlyAtCommit)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("shared");
    QFile old(dir.filePath("old.csv"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    ASSERT_TRUE(old.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    ASSERT_TRUE(QFile::link("shared/linked.csv", dir.filePath("link.csv")));
    // Pieces past the size kept in memory, and a piece of a few bytes.
    const QByteArray piece = QByteArray(50 * 1024, 'x') + "\r\n";
    const struct {
        QString name, written;  // written: the file that holds the bytes afterwards
        bool commit;
        QByteArray before;      // what `written` holds before the commit ("<none>": no such file)
    } cases[] = {
        {"old.csv", "old.csv", false, "old"},
        {"never.csv", "never.csv", false, "<none>"},
        {"new.csv", "new.csv", true, "<none>"},
        {"old.csv", "old.csv", true, "old"},
        {"link.csv", "shared/linked.csv", true, "<none>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(test::Str(c.name) + (c.commit ? " committed" : " dropped"));
        QByteArray expected;
        {
            StreamedFile file(dir.filePath(c.name));
            for (int k = 0; k < 4; ++k) {
                file.append(piece);
                expected += piece;
            }
            file.append("end");
            expected += "end";
            EXPECT_EQ(Contents(dir.filePath(c.written)), c.before);
            EXPECT_FALSE(NoTemporaries(QFileInfo(dir.filePath(c.written)).path()));
            if (c.commit)
                file.commit();
        }
        EXPECT_EQ(Contents(dir.filePath(c.written)), c.commit ? expected : c.before);
        EXPECT_TRUE(NoTemporaries(dir.path()) && NoTemporaries(dir.filePath("shared")));
    }
    EXPECT_TRUE(QFileInfo(dir.filePath("link.csv")).isSymLink());
    EXPECT_EQ(QFile(dir.filePath("old.csv")).permissions() & 0x0FFF, QFileDevice::ReadUser | QFileDevice::WriteUser);
    // A folder is refused at once; a device is written in place and stays a device.
    EXPECT_THROW(StreamedFile(dir.filePath("shared")), KveltaError);
    ASSERT_TRUE(QFile::link("/dev/null", dir.filePath("null")));
    StreamedFile device(dir.filePath("null"));
    device.append(piece);
    device.commit();
    EXPECT_TRUE(QFileInfo(dir.filePath("null")).isSymLink());
    EXPECT_TRUE(NoTemporaries(dir.path()));
}

}  // namespace
}  // namespace kvelta
