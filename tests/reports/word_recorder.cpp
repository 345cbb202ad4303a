#include "word_recorder.h"

#include <charconv>

namespace kvelta {

QString WordRecorder::Number(float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
}

QString WordRecorder::Quoted(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    shown.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    shown.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    shown.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

void WordRecorder::Connect() { calls.append(QStringLiteral("Connect()")); }

void WordRecorder::DocumentsAdd(const QString& templateName, bool newTemplate)
{
    calls.append(QStringLiteral("Documents.Add(%1, %2)")
                     .arg(Quoted(templateName), newTemplate ? QStringLiteral("true") : QStringLiteral("false")));
}

void WordRecorder::SetVisible(bool visible)
{
    calls.append(QStringLiteral("Visible(%1)").arg(visible ? QStringLiteral("true") : QStringLiteral("false")));
}

float WordRecorder::CentimetersToPoints(float centimetres)
{
    calls.append(QStringLiteral("CentimetersToPoints(%1)").arg(Number(centimetres)));
    return centimetres * 72.0f / 2.54f;
}

void WordRecorder::SetTopMargin(float points)
{
    calls.append(QStringLiteral("PageSetup.TopMargin(%1)").arg(Number(points)));
}

void WordRecorder::SetBottomMargin(float points)
{
    calls.append(QStringLiteral("PageSetup.BottomMargin(%1)").arg(Number(points)));
}

void WordRecorder::SetLeftMargin(float points)
{
    calls.append(QStringLiteral("PageSetup.LeftMargin(%1)").arg(Number(points)));
}

void WordRecorder::SetRightMargin(float points)
{
    calls.append(QStringLiteral("PageSetup.RightMargin(%1)").arg(Number(points)));
}

void WordRecorder::SetLeftIndent(float points)
{
    calls.append(QStringLiteral("ParagraphFormat.LeftIndent(%1)").arg(Number(points)));
}

void WordRecorder::SetAlignment(int alignment)
{
    calls.append(QStringLiteral("ParagraphFormat.Alignment(%1)").arg(alignment));
}

void WordRecorder::SetFontSize(float points) { calls.append(QStringLiteral("Font.Size(%1)").arg(Number(points))); }

void WordRecorder::SetBold(int bold) { calls.append(QStringLiteral("Font.Bold(%1)").arg(bold)); }

void WordRecorder::TypeText(const QString& text) { calls.append(QStringLiteral("TypeText(%1)").arg(Quoted(text))); }

WordRange WordRecorder::Range()
{
    calls.append(QStringLiteral("Range()"));
    return {++ranges_};
}

void WordRecorder::TablesAdd(const WordRange& range, int rows, int columns)
{
    calls.append(QStringLiteral("Tables.Add(Range#%1, %2, %3)").arg(range.id).arg(rows).arg(columns));
}

void WordRecorder::Move(int unit, int count) { calls.append(QStringLiteral("Move(%1, %2)").arg(unit).arg(count)); }

void WordRecorder::MoveDown(int unit, int count, int extend)
{
    calls.append(QStringLiteral("MoveDown(%1, %2, %3)").arg(unit).arg(count).arg(extend));
}

}  // namespace kvelta
