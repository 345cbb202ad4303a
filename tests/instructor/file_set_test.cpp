#include "frame/errors.h"
#include "instructor/file_set.h"
#include "support/kvelta_test.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <unistd.h>

namespace kvelta {
namespace {

const QString kMarker = QStringLiteral("set.replacing");
using Files = std::vector<SetFile>;

Files Set(const QByteArray& version)
{
    return {{"grades.csv", "csv " + version}, {"grades.txt", "txt " + version}, {"grades.xlsx", "xlsx " + version}};
}

// Which version every file of the set holds: one version for a set that agrees, else "mixed".
QByteArray Version(const QDir& dir)
{
    QByteArray version;
    for (const auto& [name, bytes] : Set("")) {
        const QByteArray content = test::ReadFile(dir.filePath(name));
        const QByteArray own = content.mid(bytes->size());
        if (!content.startsWith(*bytes) || (!version.isEmpty() && own != version))
            return "mixed";
        version = own;
    }
    return version;
}

bool Leftovers(const QDir& dir)
{
    return dir.exists(kMarker) || !dir.entryList({"*" + kNewFileSuffix}, QDir::Files).isEmpty();
}

struct Stopped : std::runtime_error {
    Stopped() : std::runtime_error("stopped") {}
};

// A replacement stopped after any number of its renames is either not begun or finished by the
// next run, which then writes its own set: the set never stays mixed.
TEST(FileSet, AReplacementStoppedAnywhereIsFinishedByTheNextRun)
{
    for (int stopAfter = 1; stopAfter <= 3; ++stopAfter) {
        QTemporaryDir folder;
        const QDir dir(folder.path());
        ReplaceFileSet(dir, kMarker, Set("A"));
        ASSERT_EQ(Version(dir), "A");
        ASSERT_FALSE(Leftovers(dir));
        int renamed = 0;
        EXPECT_THROW(ReplaceFileSet(dir, kMarker, Set("B"),
                                    [&] {
                                        if (++renamed == stopAfter)
                                            throw Stopped();
                                    }),
                     Stopped);
        EXPECT_TRUE(dir.exists(kMarker)) << stopAfter;
        EXPECT_EQ(Version(dir), stopAfter == 3 ? QByteArray("B") : QByteArray("mixed")) << stopAfter;
        FinishFileSet(dir, kMarker);  // what a reader or the next run does first
        EXPECT_EQ(Version(dir), "B") << stopAfter;
        EXPECT_FALSE(Leftovers(dir)) << stopAfter;

        renamed = 0;
        EXPECT_THROW(ReplaceFileSet(dir, kMarker, Set("C"), [&] {
                         if (++renamed == stopAfter)
                             throw Stopped();
                     }),
                     Stopped);
        ReplaceFileSet(dir, kMarker, Set("D"));
        EXPECT_EQ(Version(dir), "D") << stopAfter;
        EXPECT_FALSE(Leftovers(dir)) << stopAfter;
    }
}

// A set without a file the earlier set had takes it away with the rest, also when the next run
// finishes the replacement; a link of that name is the user's and stays.
TEST(FileSet, AFileTheNewSetHasNotGoesWithTheOldSet)
{
    for (const bool stopped : {false, true}) {
        QTemporaryDir folder;
        const QDir dir(folder.path());
        ReplaceFileSet(dir, kMarker, Set("A"));
        Files withoutWorkbook = Set("B");
        withoutWorkbook.back().second.reset();
        if (stopped) {
            EXPECT_THROW(ReplaceFileSet(dir, kMarker, withoutWorkbook, [] { throw Stopped(); }), Stopped);
            EXPECT_TRUE(dir.exists("grades.xlsx"));
            FinishFileSet(dir, kMarker);
        } else {
            ReplaceFileSet(dir, kMarker, withoutWorkbook);
        }
        EXPECT_EQ(test::ReadFile(dir.filePath("grades.csv")), "csv B");
        EXPECT_EQ(test::ReadFile(dir.filePath("grades.txt")), "txt B");
        EXPECT_FALSE(dir.exists("grades.xlsx")) << stopped;
        EXPECT_FALSE(Leftovers(dir));
    }
    QTemporaryDir folder;
    const QDir dir(folder.path());
    ASSERT_TRUE(QFile::link(dir.filePath("mine.xlsx"), dir.filePath("grades.xlsx")));
    Files withoutWorkbook = Set("C");
    withoutWorkbook.back().second.reset();
    ReplaceFileSet(dir, kMarker, withoutWorkbook);
    EXPECT_TRUE(QFileInfo(dir.filePath("grades.xlsx")).isSymLink());
}

// A run killed between its renames (no handler runs): the files on the disk are detectably half
// replaced and the next run completes them.
TEST(FileSetDeathTest, AKilledReplacementIsFinishedByTheNextRun)
{
    GTEST_FLAG_SET(death_test_style, "fast");  // the child works in the parent's folder
    QTemporaryDir folder;
    const QDir dir(folder.path());
    ReplaceFileSet(dir, kMarker, Set("A"));
    EXPECT_EXIT(ReplaceFileSet(dir, kMarker, Set("B"), [] { ::_exit(3); }), ::testing::ExitedWithCode(3), "");
    EXPECT_TRUE(dir.exists(kMarker));
    EXPECT_EQ(test::ReadFile(dir.filePath("grades.csv")), "csv B");
    EXPECT_EQ(test::ReadFile(dir.filePath("grades.txt")), "txt A");
    ReplaceFileSet(dir, kMarker, Set("C"));
    EXPECT_EQ(Version(dir), "C");
    EXPECT_FALSE(Leftovers(dir));
}

// A failure before the set is whole on the disk leaves the old set and no marker; names outside
// the folder, in a marker or asked for, are never touched.
TEST(FileSet, AFailureBeforeTheMarkerKeepsTheOldSet)
{
    QTemporaryDir folder;
    QDir dir(folder.path());
    ReplaceFileSet(dir, kMarker, Set("A"));
    ASSERT_TRUE(dir.mkdir("grades.xlsx" + kNewFileSuffix));  // the last new file cannot be written
    EXPECT_THROW(ReplaceFileSet(dir, kMarker, Set("B")), KveltaError);
    EXPECT_EQ(Version(dir), "A");
    EXPECT_FALSE(dir.exists(kMarker));
    ASSERT_TRUE(dir.rmdir("grades.xlsx" + kNewFileSuffix));

    ASSERT_TRUE(dir.mkdir("grades.txt.old"));
    ASSERT_TRUE(dir.rename("grades.txt", "grades.txt.old/grades.txt"));
    ASSERT_TRUE(dir.mkdir("grades.txt"));  // a folder where a file of the set was
    EXPECT_THROW(ReplaceFileSet(dir, kMarker, Set("B")), KveltaError);
    EXPECT_FALSE(Leftovers(dir));
    EXPECT_EQ(test::ReadFile(dir.filePath("grades.csv")), "csv A");
    ASSERT_TRUE(dir.rmdir("grades.txt"));
    ASSERT_TRUE(QFile::link(dir.filePath("grades.txt.old/grades.txt"), dir.filePath("grades.txt")));
    EXPECT_THROW(ReplaceFileSet(dir, kMarker, Set("B")), KveltaError);  // a link is never replaced
    EXPECT_FALSE(Leftovers(dir));
    EXPECT_EQ(test::ReadFile(dir.filePath("grades.txt")), "txt A");

    QTemporaryDir outside;
    QFile(outside.filePath("victim.new")).open(QIODevice::WriteOnly);
    QFile marker(dir.filePath(kMarker));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.write(("../" + QDir(outside.path()).dirName() + "/victim\n..\n\n-../" + QDir(outside.path()).dirName()
                  + "/victim.new\n").toUtf8());
    marker.close();
    FinishFileSet(dir, kMarker);
    EXPECT_TRUE(QFile::exists(outside.filePath("victim.new")));
    EXPECT_FALSE(dir.exists(kMarker));
}

}  // namespace
}  // namespace kvelta
