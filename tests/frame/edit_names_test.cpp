#include "frame/edit_names.h"
#include "support/kvelta_test.h"

#include <map>
#include <stdexcept>

namespace kvelta {
namespace {

using test::Str;

// Group, name, an angle B1 with whole degrees and minutes, a length s and a whole number n.
const std::vector<EditField>& Edits()
{
    static const std::vector<EditField> edits = kvelta::Edits(
        {StudentEdits(), AngleEdits(3, "B1", "B1", EditKind::Integer),
         {{"Edit6", "s,м", "s", "0", EditKind::Real, "s"},
          {"Edit7", "(скрыто)", "скрытое", "0", EditKind::Unused, {}},
          {"Edit8", "n", "n", "0", EditKind::Integer, "n"}}});
    return edits;
}

QString Texts(const TypedTexts& typed)
{
    QStringList parts;
    for (const auto& [edit, text] : typed)
        parts << edit + QLatin1Char('=') + text;
    return parts.join(QLatin1Char(' '));
}

TEST(EditNames, ShortNamesAndNamedInputsLeaveHiddenEditsOut)
{
    QStringList shortNames, inputs;
    for (const EditField& edit : Edits())
        shortNames << EditShortName(edit);
    for (const NamedInput& input : NamedInputs(Edits()))
        inputs << input.name + QString::number(input.edits.size());
    EXPECT_EQ(Str(shortNames.join(' ')), "group name B1.deg B1.min B1.sec s  n");
    EXPECT_EQ(Str(inputs.join(' ')), "group1 name1 B13 s1 n1");
    EXPECT_EQ(EditsNamed(Edits(), "B1").size(), 3u);
    EXPECT_EQ(Str(EditsNamed(Edits(), "B1.min").front()->name), "Edit4");
    EXPECT_EQ(Str(EditsNamed(Edits(), "edit7").front()->name), "Edit7");
    EXPECT_TRUE(EditsNamed(Edits(), "b1").empty());
    EXPECT_TRUE(NamesNumber(Edits(), "B1"));
    EXPECT_FALSE(NamesNumber(Edits(), "group"));
}

TEST(EditNames, ValuesReadIntoTheTextsOfTheirEdits)
{
    struct Case {
        const char* name;
        const char* value;
        const char* comma;  // the texts with a decimal comma as the program's separator
        bool verbatim = false;  // the texts the same with either separator
    };
    const Case cases[] = {
        {"B1", "51°38′44,0822″", "Edit3=51 Edit4=38 Edit5=44,0822"},
        {"B1", "51° 38' 44.0822\"", "Edit3=51 Edit4=38 Edit5=44,0822"},
        {"B1", "51 38 44.0822", "Edit3=51 Edit4=38 Edit5=44,0822"},
        {"B1", "51° 38` 44,0822\"", "Edit3=51 Edit4=38 Edit5=44,0822"},
        {"B1", "24°02′13,1579″", "Edit3=24 Edit4=02 Edit5=13,1579"},
        {"B1", "51 38 44,50", "Edit3=51 Edit4=38 Edit5=44,50"},
        {"B1", "51.6455", "Edit3=51 Edit4=38 Edit5=43,8"},
        {"B1", "51,5", "Edit3=51 Edit4=30 Edit5=0"},
        {"B1", "0.0000001", "Edit3=0 Edit4=0 Edit5=0,00036"},
        {"B1", "51°", "Edit3=51 Edit4=0 Edit5=0"},
        {"B1", "51 38,5", "Edit3=51 Edit4=38 Edit5=30"},
        {"B1", "51°38′", "Edit3=51 Edit4=38 Edit5=0"},
        {"B1", "-51 38 44,5", "Edit3=-51 Edit4=-38 Edit5=-44,5"},
        {"B1", "−0°30′12,5″", "Edit3=0 Edit4=-30 Edit5=-12,5"},
        {"B1", "0° -30` -12,5\"", "Edit3=0 Edit4=-30 Edit5=-12,5"},
        {"B1", "-5°+30′0″", "Edit3=-5 Edit4=30 Edit5=0"},
        {"B1", "-0.5", "Edit3=0 Edit4=-30 Edit5=0"},
        {"B1.sec", "44.0822", "Edit5=44,0822"},
        {"B1.deg", "51", "Edit3=51"},
        {"s", "50000.5", "Edit6=50000,5"},
        {"s", "1,234.5", "Edit6=1,234.5", true},
        {"n", "900", "Edit8=900"},
        {"Edit6", "50000.5", "Edit6=50000.5", true},
        {"edit5", "44.1", "Edit5=44.1", true},
        {"group", "ГД-21", "Edit1=ГД-21"},
        {"name", "Иванов И. И.", "Edit2=Иванов И. И."},
    };
    for (QChar separator : test::kSeparators) {
        test::SeparatorScope scope(separator);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + "=" + c.value);
            const QString expected = QString::fromUtf8(c.comma);
            EXPECT_EQ(Str(Texts(TextsOfNamedValue(Edits(), c.name, QString::fromUtf8(c.value)))),
                      Str(c.verbatim ? expected : QString(expected).replace(',', separator)));
        }
    }
}

TEST(EditNames, UnreadableAnglesAndUnknownNamesSayWhy)
{
    for (const char* value : {"", "abc", "51 38 44 10", "51.5 30", "51° 38,5′ 10″", "51°38′44,08x", "°", "51 38 -",
                              "0.1234567890123456789012345678901"}) {
        SCOPED_TRACE(value);
        EXPECT_THROW(TextsOfNamedValue(Edits(), "B1", value), NameError);
    }
    EXPECT_THROW(TextsOfNamedValue(Edits(), "Edit7x", "1"), NameError);
    EXPECT_THROW(TextsOfNamedValue(Edits(), "b1", "1"), NameError);
    try {
        TextsOfNamedValue(Edits(), "B1", "5x");
    } catch (const NameError& error) {
        EXPECT_TRUE(error.text().startsWith("B1: '5x' is not an angle")) << Str(error.text());
    }
}

TEST(EditNames, JoinedAnglesReadBackIntoTheSameTexts)
{
    test::SeparatorScope scope(',');
    const std::vector<std::array<const char*, 3>> angles{
        {"51", "38", "44,0822"}, {"24", "02", "13,1579"}, {"-51", "-38", "-44,5"}, {"0", "-30", "-12,5"},
        {"-5", "30", "0"},       {"0", "0", "0"},         {"-0", "30", "1"},        {"5", "-30", "0"}};
    for (const auto& parts : angles) {
        for (const AngleMarks marks : {AngleMarks::Typographic, AngleMarks::Blanks}) {
            const QString joined = JoinAngleTexts(parts[0], parts[1], parts[2], marks);
            SCOPED_TRACE(Str(joined));
            EXPECT_EQ(Str(Texts(TextsOfNamedValue(Edits(), "B1", joined))),
                      Str(QStringLiteral("Edit3=%1 Edit4=%2 Edit5=%3").arg(parts[0], parts[1], parts[2])));
        }
    }
    EXPECT_EQ(Str(JoinAngleTexts("-51", "-38", "-44,5")), "-51°38′44,5″");
    EXPECT_EQ(Str(JoinAngleTexts("-51", "-38", "-44,5", AngleMarks::Blanks)), "-51 38 44,5");
    EXPECT_EQ(Str(JoinAngleTexts("5", "-30", "0", AngleMarks::Blanks)), "+5 -30 +0");
    const TypedTexts typed{{"Edit1", "ГД"}, {"Edit3", "51"}, {"Edit4", "38"}, {"Edit5", "44,08"}, {"Edit8", "9"},
                           {"Edit7", "x"}};
    EXPECT_EQ(Str(Texts(NamedValues(Edits(), typed))), "group=ГД B1=51°38′44,08″ n=9");
    EXPECT_EQ(Str(Texts(NamedValues(Edits(), {{"Edit4", "38"}}))), "B1.min=38");
}

// Typed texts read through Inputs, as a computation reads them.
class TypedInputs : public Inputs {
public:
    explicit TypedInputs(std::map<QString, QString> texts) : Inputs(Edits()), texts_(std::move(texts)) {}
    QString text(const QString& editName) const override { return texts_.at(editName); }

private:
    std::map<QString, QString> texts_;
};

TEST(EditNames, ComputationsReadInputsByShortNameAsByEditName)
{
    const QString seconds = QStringLiteral("44") + DecimalSeparator() + QStringLiteral("5");
    const TypedInputs inputs({{"Edit3", "51"}, {"Edit4", "-38"}, {"Edit5", seconds}, {"Edit6", "1200"},
                              {"Edit7", "x"}, {"Edit8", "9"}});
    EXPECT_DOUBLE_EQ(inputs.angle("B1"), ReadAngle(inputs, "Edit3", "Edit4", "Edit5"));
    EXPECT_NE(inputs.angle("B1"), 51.0);
    EXPECT_EQ(inputs.real("s"), 1200.0);
    EXPECT_EQ(inputs.real("s"), inputs.real("Edit6"));
    EXPECT_EQ(inputs.number("n"), 9);
    // A part of an angle, a hidden edit, a text edit or an unknown name is no number or angle.
    for (const char* name : {"B1", "B1.deg", "Edit7", "group", "S", "t"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(inputs.number(name), std::logic_error);
    }
    for (const char* name : {"s", "b1", "n", "Edit3"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(inputs.angle(name), std::logic_error);
    }
}

}  // namespace
}  // namespace kvelta
