#include "instructor/moodle_quiz.h"

#include "frame/numbers.h"
#include "reports/docx_writer.h"
#include "instructor/given_data.h"
#include "instructor/table_files.h"

#include <QXmlStreamWriter>
#include <cmath>

namespace kvelta {

namespace {

// A number with a decimal point and no trailing zeros, whatever the program's separator.
QString PointNumber(Extended value, int decimals)
{
    return WithoutTrailingZeros(FormatFixed(value, decimals).replace(DecimalSeparator(), QLatin1Char('.')), QLatin1Char('.'));
}

// Text for the question's HTML, braces kept from being read as embedded answers.
QString Html(const QString& text)
{
    return XmlSafe(text).toHtmlEscaped().replace(QLatin1Char('{'), QLatin1String("&#123;")).replace(QLatin1Char('}'), QLatin1String("&#125;"));
}

void WriteTextElement(QXmlStreamWriter& xml, const QString& element, const QString& text, bool html)
{
    xml.writeStartElement(element);
    if (html)
        xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
    xml.writeStartElement(QStringLiteral("text"));
    xml.writeCharacters(text);  // escaped by the writer; Moodle reads the text unescaped
    xml.writeEndElement();
    xml.writeEndElement();
}

QString QuestionText(const Exercise& exercise, int number, const Solution& solution, const TypedTexts& typed)
{
    QString html = QStringLiteral("<p><b>%1</b></p>\n<p>Вариант %2. Исходные данные:</p>\n<table border=\"1\" cellpadding=\"4\">\n")
                       .arg(Html(exercise.caption))
                       .arg(number);
    for (const GivenValue& given : GivenData(exercise, typed))
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n").arg(Html(given.meaning), Html(given.label), Html(given.text));
    html += QStringLiteral("</table>\n<p>Ответы (число с десятичной точкой; углы — в градусах с десятичной дробью):</p>\n");
    for (const ResultQuantity& result : exercise.results) {
        const std::optional<QString> answer = ClozeNumerical(solution, result);
        const QString unit = result.angle ? QStringLiteral("°") : result.unit;
        html += QStringLiteral("<p>%1%2: %3</p>\n")
                    .arg(Html(result.name), unit.isEmpty() ? QString() : QStringLiteral(", ") + Html(unit), answer.value_or(QString()));
    }
    return html;
}

}  // namespace

std::optional<QString> ClozeNumerical(const Solution& solution, const ResultQuantity& result)
{
    const ResultTable& table = solution.tables[static_cast<std::size_t>(result.table)];
    const std::optional<Extended> value = table.number(result.column, result.row);
    if (!value)
        return std::nullopt;
    const int decimals = std::clamp(PrintedDecimals(table.cell(result.column, result.row)), 0, 12);
    // An angle's last printed place is of seconds: in degrees it is 3600 times finer, and its
    // value needs four more decimals (and one to spare) to say the same.
    const int valueDecimals = result.angle ? decimals + 5 : decimals;
    const Extended tolerance = std::pow(Extended(10), -decimals) / (result.angle ? 3600 : 1);
    return QStringLiteral("{1:NUMERICAL:=%1:%2}").arg(PointNumber(*value, valueDecimals), PointNumber(tolerance, decimals + 14));
}

MoodleQuiz::MoodleQuiz(const Exercise& exercise) : exercise_(exercise) {}

void MoodleQuiz::add(int number, const Solution& solution, const TypedTexts& typed)
{
    if (solution.fault.isEmpty())
        questions_.push_back({QStringLiteral("Вариант %1").arg(number, 3, 10, QLatin1Char('0')),
                              QuestionText(exercise_, number, solution, typed)});
}

QByteArray MoodleQuiz::xml() const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("quiz"));
    xml.writeStartElement(QStringLiteral("question"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("category"));
    xml.writeStartElement(QStringLiteral("category"));
    xml.writeTextElement(QStringLiteral("text"), QStringLiteral("$course$/top/Kvelta/")
                                                     + XmlSafe(exercise_.caption).replace(QLatin1Char('/'), QLatin1Char('-')));
    xml.writeEndElement();
    xml.writeEndElement();
    for (const Question& question : questions_) {
        xml.writeStartElement(QStringLiteral("question"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("cloze"));
        WriteTextElement(xml, QStringLiteral("name"), question.name, false);
        WriteTextElement(xml, QStringLiteral("questiontext"), question.html, true);
        WriteTextElement(xml, QStringLiteral("generalfeedback"), QString(), true);
        xml.writeTextElement(QStringLiteral("penalty"), QStringLiteral("0.3333333"));
        xml.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return bytes;
}

QByteArray MoodleQuizOf(const Exercise& exercise, const VariantSheet& sheet, int& skipped)
{
    MoodleQuiz quiz(exercise);
    for (std::size_t r = 0; r < sheet.rows.size(); ++r)
        if (const std::optional<TypedTexts> typed = sheet.edits(exercise, sheet.rows[r]))
            quiz.add(static_cast<int>(r + 1), SolveExercise(exercise, *typed), *typed);
    skipped = static_cast<int>(sheet.rows.size()) - quiz.questions();
    return quiz.xml();
}

}  // namespace kvelta
