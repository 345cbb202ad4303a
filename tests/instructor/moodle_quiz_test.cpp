#include "catalogue/catalogue.h"
#include "catalogue/solution.h"
#include "instructor/instructor.h"
#include "instructor/moodle_quiz.h"
#include "support/kvelta_test.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>

namespace kvelta {
namespace {

struct Question {
    QString type, name, text;
};

std::vector<Question> ReadQuiz(const QByteArray& bytes)
{
    std::vector<Question> questions;
    QXmlStreamReader xml(bytes);
    EXPECT_TRUE(xml.readNextStartElement() && xml.name() == QLatin1String("quiz"));
    while (xml.readNextStartElement()) {
        EXPECT_EQ(xml.name(), QLatin1String("question"));
        Question question{xml.attributes().value("type").toString(), {}, {}};
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("name") || xml.name() == QLatin1String("questiontext")
                || xml.name() == QLatin1String("category")) {
                const bool name = xml.name() == QLatin1String("name");
                EXPECT_TRUE(xml.readNextStartElement() && xml.name() == QLatin1String("text"));
                (name ? question.name : question.text) = xml.readElementText();
                xml.skipCurrentElement();
            } else {
                xml.skipCurrentElement();
            }
        }
        questions.push_back(question);
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return questions;
}

// The key's printed value in the unit the quiz asks (an angle "51° 38` 44,0822"" in degrees) and
// one unit in its last printed place.
std::pair<double, double> KeyValue(const QString& printed, bool angle)
{
    const QString text = QString(printed).replace(QLatin1Char(','), QLatin1Char('.'));
    static const QRegularExpression dms(QStringLiteral("^(-?)(\\d+)° *-?(\\d+)` *-?(\\d+)(?:\\.(\\d+))?\"$"));
    static const QRegularExpression plain(QStringLiteral("^-?\\d+(?:\\.(\\d+))?"));
    if (angle) {
        const QRegularExpressionMatch m = dms.match(text);
        EXPECT_TRUE(m.hasMatch()) << printed.toStdString();
        const double seconds = (m.captured(4) + QLatin1Char('.') + m.captured(5)).toDouble();
        const double degrees = m.captured(2).toDouble() + m.captured(3).toDouble() / 60 + seconds / 3600;
        // Negative when any part carries a minus ("0° -41` -51,9"").
        return {text.contains(QLatin1Char('-')) ? -degrees : degrees, std::pow(10.0, -m.capturedLength(5)) / 3600};
    }
    const QRegularExpressionMatch m = plain.match(text);
    EXPECT_TRUE(m.hasMatch()) << printed.toStdString();
    return {m.captured(0).toDouble(), std::pow(10.0, -m.capturedLength(1))};
}

// Every exercise with variants: one category, one Cloze question per variant with the given data,
// and every embedded answer well-formed and NUMERICAL, its tolerance the key's last place, and the
// value the key prints within it.
TEST(MoodleQuiz, EveryAnswerIsTheKeysWithinItsLastPlace)
{
    static const QRegularExpression embedded(QStringLiteral("\\{[^{}]*\\}"));
    static const QRegularExpression numerical(QStringLiteral("^\\{1:NUMERICAL:=(-?\\d+(?:\\.\\d+)?):(\\d+(?:\\.\\d+)?)\\}$"));
    for (const QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        for (const Exercise* exercise : Catalogue()) {
            if (!exercise->makeVariant)
                continue;
            const VariantSheet sheet =
                ReadVariantSheet(MakeVariants(*exercise, 3, 7, {}), *exercise, {InputEncoding::Utf8, true, false, {}});
            int skipped = -1;
            const std::vector<Question> quiz = ReadQuiz(MoodleQuizOf(*exercise, sheet, skipped));
            EXPECT_EQ(skipped, 0);
            ASSERT_EQ(quiz.size(), 4u) << exercise->name.toStdString();
            EXPECT_EQ(quiz[0].type, "category");
            EXPECT_TRUE(quiz[0].text.startsWith("$course$/top/"));
            for (std::size_t q = 1; q < quiz.size(); ++q) {
                const QString where = exercise->name + QLatin1Char(' ') + quiz[q].name;
                EXPECT_EQ(quiz[q].type, "cloze");
                const TypedTexts typed = *sheet.edits(*exercise, sheet.rows[q - 1]);
                for (const auto& [edit, text] : typed)  // the given data, not the name
                    if (edit != QLatin1String("Edit1") && edit != QLatin1String("Edit2") && !text.isEmpty())
                        EXPECT_TRUE(quiz[q].text.contains(text.toHtmlEscaped())) << where.toStdString() << " " << text.toStdString();
                const Solution solution = SolveExercise(*exercise, typed);
                QStringList answers;
                for (auto it = embedded.globalMatch(quiz[q].text); it.hasNext();)
                    answers << it.next().captured(0);
                ASSERT_EQ(answers.size(), static_cast<qsizetype>(exercise->results.size())) << where.toStdString();
                for (std::size_t r = 0; r < exercise->results.size(); ++r) {
                    const ResultQuantity& result = exercise->results[r];
                    const QRegularExpressionMatch m = numerical.match(answers[static_cast<qsizetype>(r)]);
                    ASSERT_TRUE(m.hasMatch()) << where.toStdString() << ": " << answers[static_cast<qsizetype>(r)].toStdString();
                    const ResultTable& table = solution.tables[static_cast<std::size_t>(result.table)];
                    const auto [key, unit] = KeyValue(table.cell(result.column, result.row), result.angle);
                    EXPECT_NEAR(m.captured(2).toDouble(), unit, unit * 1e-6) << where.toStdString() << " " << result.name.toStdString();
                    // The value copied from the key's printout is within the tolerance.
                    EXPECT_NEAR(m.captured(1).toDouble(), key, unit) << where.toStdString() << " " << result.name.toStdString();
                }
            }
        }
    }
}

}  // namespace
}  // namespace kvelta
