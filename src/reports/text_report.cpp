#include "reports/text_report.h"

#include "reports/report_file.h"
#include "reports/windows1251.h"

#include <algorithm>
#include <vector>

namespace kvelta {
namespace {

const QChar CR = QLatin1Char('\r');

void AppendLine(QString& text, const QString& line)
{
    text += line;
    text += CR;
}

void AppendSteps(QString& text, const ReportView& view, std::size_t steps)
{
    const std::size_t count = std::min(steps, view.tables.size());
    for (std::size_t k = 0; k < count; ++k) {
        AppendLine(text, QStringLiteral("Шаг №") + QString::number(k + 1));
        text += GridToText(*view.tables[k].table);
    }
}

// CR, LF and CR LF each end one line; every one becomes CR LF.
QByteArray WithCrLf(const QByteArray& bytes)
{
    QByteArray out(bytes.size() * 2, Qt::Uninitialized);
    char* to = out.data();
    const char* from = bytes.constData();
    const char* const end = from + bytes.size();
    for (; from < end; ++from) {
        if (*from == '\r' || *from == '\n') {
            *to++ = '\r';
            *to++ = '\n';
            if (*from == '\r' && from + 1 < end && from[1] == '\n')
                ++from;
        } else {
            *to++ = *from;
        }
    }
    out.truncate(to - out.constData());
    return out;
}

}  // namespace

void AppendRuleLine(QString& text, int total)
{
    text.resize(text.size() + total + 1, QLatin1Char('-'));
    text += CR;
}

QString GridToText(const ResultTable& table)
{
    const std::vector<int> columns = table.columnsInUse();
    const std::vector<int> rows = table.rowsInUse();
    // Widths in file bytes, so that every line of the table has the rule's length in the file.
    std::vector<int> widths(columns.size(), 0);
    int total = 0;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        for (const int r : rows)
            widths[c] = std::max(widths[c], Windows1251Length(table.cell(columns[c], r)));
        total += widths[c] + 1;
    }

    QString text;
    AppendRuleLine(text, total);
    for (const int r : rows) {
        text += QLatin1Char('|');
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const QString& cell = table.cell(columns[c], r);
            text += cell;
            text.resize(text.size() + widths[c] - Windows1251Length(cell), QLatin1Char(' '));
            text += QLatin1Char('|');
        }
        text += CR;
        AppendRuleLine(text, total);
    }
    return text;
}

QString TextReportText(const ReportView& view, ReportLayout layout, const QStringList& given)
{
    QString text;
    AppendLine(text, view.caption);
    AppendLine(text, QString());
    AppendLine(text, QStringLiteral("Ст. гр. ") + SingleLineText(view.group));
    AppendLine(text, QString());
    AppendLine(text, QStringLiteral("Ф.И.О. ") + SingleLineText(view.name));
    AppendLine(text, QString());
    for (const QString& line : given)
        AppendLine(text, SingleLineText(line));
    if (!given.isEmpty())
        AppendLine(text, QString());

    switch (layout) {
    case ReportLayout::Common:
    case ReportLayout::Legendre:
        AppendLine(text, QString());
        if (!view.tables.empty())
            text += GridToText(*view.tables.front().table);
        break;
    case ReportLayout::LargeTriangle:
        AppendSteps(text, view, 8);
        break;
    case ReportLayout::ZoneTransfer:
        AppendSteps(text, view, 2);
        break;
    case ReportLayout::EveryPage:
        for (const ReportTable& table : view.tables) {
            AppendLine(text, table.page);
            text += GridToText(*table.table);
        }
        break;
    }
    return text;
}

QByteArray TextReportBytes(const ReportView& view, ReportLayout layout, const QStringList& given)
{
    return WithCrLf(ToWindows1251(TextReportText(view, layout, given)));
}

QByteArray TextReportUtf8Bytes(const ReportView& view, ReportLayout layout)
{
    QString text = TextReportText(view, layout);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.toUtf8();
}

QString SingleLineText(const QString& text)
{
    QString line;
    line.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool direction = (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || u == 0x200E
                               || u == 0x200F || u == 0x061C;
        if (direction)
            continue;
        const bool control = c.category() == QChar::Other_Control || u == 0x2028 || u == 0x2029 || u == 0x0085;
        line += control ? QLatin1Char(' ') : c;
    }
    return line;
}

void WriteTextReport(const ReportView& view, const QString& fileName, ReportLayout layout)
{
    WriteFileAtomically(fileName, TextReportBytes(view, layout));
}

}  // namespace kvelta
