// kvelta-documents TEMPLATE OUTPUT: writes a document installed with Kvelta — a manual page, the
// AppStream metainfo, the desktop entry, the package description — from its template, with the
// lists of exercises taken from the catalogue, so that a new exercise needs no edit there.
//
// Placeholders (each on a line of its own except the keywords):
//   @EXERCISES_MAN@        a troff .TP item per exercise: its name, then its English summary
//   @EXERCISES_APPSTREAM@  an English and a Russian <li> per exercise
//   @EXERCISES_PACKAGE@    an item per exercise: " - name: summary", wrapped within 76 columns
//   @KEYWORDS_EN@ @KEYWORDS_RU@  the summaries joined by ";", each ending with ";"
#include "catalogue/catalogue.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>

namespace kvelta {
namespace {

// Text as troff prints it: a hyphen that must stay a minus-hyphen, the en dash and ü by name.
QString Troff(QString text)
{
    return text.replace(QLatin1Char('\\'), QStringLiteral("\\e"))
        .replace(QLatin1Char('-'), QStringLiteral("\\-"))
        .replace(QChar(0x2013), QStringLiteral("\\(en"))
        .replace(QChar(0x00FC), QStringLiteral("\\(:u"));
}

QString Xml(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&amp;"))
        .replace(QLatin1Char('<'), QStringLiteral("&lt;"))
        .replace(QLatin1Char('>'), QStringLiteral("&gt;"));
}

// A desktop entry's list item: ";" separates the items, so a summary may not hold one.
QString Keyword(QString text) { return text.replace(QLatin1Char(';'), QLatin1Char(',')) + QLatin1Char(';'); }

QString ManList()
{
    QStringList items;
    for (const Exercise* e : Catalogue())
        items << QStringLiteral(".TP\n.B %1\n%2").arg(Troff(e->name), Troff(e->summary.english));
    return items.join(QLatin1Char('\n'));
}

QString AppStreamList()
{
    QStringList items;
    const std::vector<const Exercise*>& all = Catalogue();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const QString end = i + 1 == all.size() ? QStringLiteral(".") : QStringLiteral(";");
        items << QStringLiteral("      <li>%1%2</li>\n      <li xml:lang=\"ru\">%3%2</li>")
                     .arg(Xml(all[i]->summary.english), end, Xml(all[i]->summary.russian));
    }
    return items.join(QLatin1Char('\n'));
}

// A Debian description's lines stay within 80 columns, and a list is indented (a line that starts
// with a blank in the description shows as it is): an item's words run on, indented further.
QString Wrapped(const QString& item, qsizetype width)
{
    QStringList lines{QStringLiteral(" -")};
    for (const QString& word : item.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (lines.last().size() + 1 + word.size() > width)
            lines << QStringLiteral("  ");
        lines.last() += QLatin1Char(' ') + word;
    }
    return lines.join(QLatin1Char('\n'));
}

QString PackageList()
{
    QStringList items;
    for (const Exercise* e : Catalogue())
        items << Wrapped(e->name + QStringLiteral(": ") + e->summary.english, 76);
    return items.join(QLatin1Char('\n'));
}

QString Keywords(QString Summary::*language)
{
    QString keywords;
    for (const Exercise* e : Catalogue())
        keywords += Keyword(e->summary.*language);
    return keywords;
}

QString Filled(QString text)
{
    return text.replace(QStringLiteral("@EXERCISES_MAN@"), ManList())
        .replace(QStringLiteral("@EXERCISES_APPSTREAM@"), AppStreamList())
        .replace(QStringLiteral("@EXERCISES_PACKAGE@"), PackageList())
        .replace(QStringLiteral("@KEYWORDS_EN@"), Keywords(&Summary::english))
        .replace(QStringLiteral("@KEYWORDS_RU@"), Keywords(&Summary::russian));
}

int Run(const QString& templatePath, const QString& outputPath)
{
    QFile in(templatePath);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "kvelta-documents: cannot read %s\n", qPrintable(templatePath));
        return 1;
    }
    const QString filled = Filled(QString::fromUtf8(in.readAll()));
    if (filled.contains(QStringLiteral("@EXERCISES_")) || filled.contains(QStringLiteral("@KEYWORDS_"))) {
        std::fprintf(stderr, "kvelta-documents: an unknown placeholder is left in %s\n", qPrintable(templatePath));
        return 1;
    }
    QSaveFile out(outputPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(filled.toUtf8()) < 0 || !out.commit()) {
        std::fprintf(stderr, "kvelta-documents: cannot write %s\n", qPrintable(outputPath));
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace kvelta

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: kvelta-documents TEMPLATE OUTPUT\n");
        return 2;
    }
    return kvelta::Run(args[1], args[2]);
}
