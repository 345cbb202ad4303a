// The documents installed with Kvelta that list the exercises — the manual pages, the package and
// AppStream descriptions, the menu entry's keywords — as the build fills them from the catalogue:
// every exercise, in the menu's order, with its summary; and README sends the reader to them.
#include "catalogue/catalogue.h"
#include "support/kvelta_test.h"

#include <QFile>
#include <QRegularExpression>

namespace kvelta {
namespace {

using test::Str;

QString Read(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << Str(path);
    return QString::fromUtf8(file.readAll());
}

QString Source(const char* path) { return Read(QStringLiteral(KVELTA_SOURCE_DIR "/") + QLatin1String(path)); }
QString Built(const char* path) { return Read(QStringLiteral(KVELTA_BINARY_DIR "/data/") + QLatin1String(path)); }

// The part of a document from the line holding `start` up to the next line holding `end`.
QString Part(const QString& document, const QString& start, const QString& end)
{
    const qsizetype from = document.indexOf(start);
    const qsizetype to = document.indexOf(end, from + start.size());
    EXPECT_GE(from, 0) << Str(start);
    EXPECT_GT(to, from) << Str(end);
    return document.mid(from, to - from);
}

std::string CatalogueNames()
{
    QStringList names;
    for (const Exercise* exercise : Catalogue())
        names << exercise->name;
    return Str(names.join(QLatin1Char(' ')));
}

// The names the lists give, in their order.
std::string Matches(const QString& text, const QString& pattern)
{
    QStringList found;
    for (const QRegularExpressionMatch& m : QRegularExpression(pattern).globalMatch(text))
        found << m.captured(1).replace(QStringLiteral("\\-"), QStringLiteral("-"));
    return Str(found.join(QLatin1Char(' ')));
}

TEST(Documents, ManualPagesListTheExercisesOfTheCatalogueInMenuOrder)
{
    for (const char* page : {"kvelta-solve.1", "kvelta.1"}) {
        SCOPED_TRACE(page);
        const QString list = Part(Built(page), QStringLiteral(".SH EXERCISES"), QStringLiteral(".SH "));
        EXPECT_EQ(Matches(list, QStringLiteral("\\n\\.B ([a-z\\\\-]+)\\n")), CatalogueNames());
        EXPECT_FALSE(list.contains(QLatin1Char('@')));
    }
    // README names no list of its own to keep up: it points to the command and the manual.
    EXPECT_TRUE(Source("README.md").contains(QStringLiteral("`kvelta-solve --list` prints every exercise")));
}

// A summary as each document writes it.
QString AsTroff(QString text)
{
    return text.replace(QLatin1Char('-'), QStringLiteral("\\-"))
        .replace(QChar(0x2013), QStringLiteral("\\(en"))
        .replace(QChar(0x00FC), QStringLiteral("\\(:u"));
}
QString AsXml(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&amp;")); }

TEST(Documents, InstalledDescriptionsGiveEverySummaryOnce)
{
    const QString metainfo = Part(Built("org.example.Kvelta.metainfo.xml"), QStringLiteral("<p>The exercises:</p>"),
                                  QStringLiteral("</ul>"));
    const QString desktop = Built("org.example.Kvelta.desktop");
    const QString english = Part(desktop, QStringLiteral("Keywords[en]="), QStringLiteral("\n"));
    const QString russian = Part(desktop, QStringLiteral("Keywords="), QStringLiteral("\n"));
    const QString package = Built("package-description.txt");
    const QString manual = Part(Built("kvelta.1"), QStringLiteral(".SH EXERCISES"), QStringLiteral(".SH "));
    for (const Exercise* e : Catalogue()) {
        SCOPED_TRACE(Str(e->name));
        const Summary& s = e->summary;
        ASSERT_FALSE(s.english.isEmpty() || s.russian.isEmpty()) << "every description needs its summary";
        EXPECT_EQ(metainfo.count(QStringLiteral("<li>") + AsXml(s.english)), 1);
        EXPECT_EQ(metainfo.count(QStringLiteral("<li xml:lang=\"ru\">") + AsXml(s.russian)), 1);
        EXPECT_EQ(english.count(QLatin1Char(';') + s.english + QLatin1Char(';')), 1);
        EXPECT_EQ(russian.count(QLatin1Char(';') + s.russian + QLatin1Char(';')), 1);
        EXPECT_EQ(package.simplified().count(QStringLiteral("- ") + e->name + QStringLiteral(": ") + s.english), 1);
        EXPECT_EQ(manual.count(QStringLiteral(".B ") + AsTroff(e->name) + QStringLiteral("\n") + AsTroff(s.english)), 1);
    }
    for (const QString& line : package.split(QLatin1Char('\n')))
        EXPECT_LE(line.size(), 79) << Str(line);
    // The last item of the AppStream list ends the sentence.
    EXPECT_TRUE(metainfo.trimmed().endsWith(QStringLiteral(".</li>"))) << Str(metainfo.right(80));
}

}  // namespace
}  // namespace kvelta
