// The documents a user reads before the program — README, the manual pages, the package and
// AppStream descriptions, the menu entry's keywords — name every exercise of the catalogue.
#include "catalogue/catalogue.h"
#include "support/kvelta_test.h"

#include <QFile>
#include <QRegularExpression>

namespace kvelta {
namespace {

using test::Str;

QString Document(const char* path)
{
    QFile file(QStringLiteral(KVELTA_SOURCE_DIR "/") + QLatin1String(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return QString::fromUtf8(file.readAll());
}

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

TEST(Documents, ListTheExercisesOfTheCatalogueInMenuOrder)
{
    const QString readme = Part(Document("README.md"), QStringLiteral("The exercises, in the order"), QStringLiteral("\n\n"));
    EXPECT_EQ(Matches(readme, QStringLiteral("`([a-z-]+)`")), CatalogueNames());
    const QString solveManual = Part(Document("data/kvelta-solve.1"), QStringLiteral(".SH EXERCISES"), QStringLiteral(".SH "));
    EXPECT_EQ(Matches(solveManual, QStringLiteral("\\n\\.B ([a-z\\\\-]+)\\n")), CatalogueNames());
}

// The prose descriptions name each exercise in words: an English and a Russian term per exercise.
struct Terms {
    const char* exercise;
    const char* english;
    const char* russian;
};

const Terms kTerms[] = {
    {"meridian-arc", "meridian", "меридиан"},
    {"parallel-arc", "parallel", "параллел"},
    {"curvature-radii", "radii of curvature", "радиусы кривизны"},
    {"trapezoid-area", "area", "площадь"},
    {"trapezoid-sides", "side", "сторон"},
    {"legendre", "Legendre", "Лежандр"},
    {"large-triangle", "large spherical triangle", "большой сферический треугольник"},
    {"gk-forward", "Gauss", "Гаусс"},
    {"gk-inverse", "Gauss", "Гаусс"},
    {"gk-zone", "zone", "зон"},
    {"plane-corrections", "meridian convergence", "сближение меридианов"},
    {"plane-convergence", "meridian convergence", "сближение меридианов"},
    {"direct-problem", "direct geodetic problem", "прямая геодезическая задача"},
    {"inverse-problem", "inverse geodetic problem", "обратная геодезическая задача"},
    {"spatial-coordinates", "spatial", "пространственн"},
    {"bessel-direct", "Bessel", "Бессел"},
    {"bessel-inverse", "long lines", "больш"},
    {"datums", "SK-42", "СК-42"},
};

TEST(Documents, DescriptionsNameEveryExercise)
{
    QStringList termsFor;
    for (const Terms& terms : kTerms)
        termsFor << QString::fromLatin1(terms.exercise);
    EXPECT_EQ(Str(termsFor.join(QLatin1Char(' '))), CatalogueNames())
        << "every exercise needs its terms here and in the documents";

    const QString metainfo = Document("data/org.example.Kvelta.metainfo.xml");
    const QString desktop = Document("data/org.example.Kvelta.desktop");
    const QString english[][2] = {
        {QStringLiteral("kvelta.1"), Part(Document("data/kvelta.1"), QStringLiteral(".SH DESCRIPTION"), QStringLiteral(".PP"))},
        {QStringLiteral("package"), Part(Document("cmake/Packaging.cmake"), QStringLiteral("CPACK_PACKAGE_DESCRIPTION\n"), QStringLiteral(")"))},
        {QStringLiteral("AppStream"), Part(metainfo, QStringLiteral("<p>The exercises:</p>"), QStringLiteral("</ul>"))},
        {QStringLiteral("Keywords[en]"), Part(desktop, QStringLiteral("Keywords[en]="), QStringLiteral("\n"))},
    };
    const QString russian[][2] = {
        {QStringLiteral("AppStream"), Part(metainfo, QStringLiteral("<p>The exercises:</p>"), QStringLiteral("</ul>"))},
        {QStringLiteral("Keywords"), Part(desktop, QStringLiteral("Keywords="), QStringLiteral("\n"))},
    };
    for (const Terms& terms : kTerms) {
        for (const auto& [document, text] : english)
            EXPECT_TRUE(QString(text).remove(QLatin1Char('\\')).simplified().contains(QString::fromUtf8(terms.english),
                                                                              Qt::CaseInsensitive))
                << terms.exercise << " in " << Str(document);
        for (const auto& [document, text] : russian)
            EXPECT_TRUE(text.simplified().contains(QString::fromUtf8(terms.russian), Qt::CaseInsensitive))
                << terms.exercise << " in " << Str(document);
    }
}

}  // namespace
}  // namespace kvelta
