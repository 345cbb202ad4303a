#include "frame/edit_names.h"

#include "frame/numbers.h"

#include <array>
#include <optional>

namespace kvelta {

namespace {

QString PartSuffix(AnglePart part)
{
    switch (part) {
    case AnglePart::Degrees:
        return QStringLiteral(".deg");
    case AnglePart::Minutes:
        return QStringLiteral(".min");
    case AnglePart::Seconds:
        return QStringLiteral(".sec");
    case AnglePart::Whole:
        break;
    }
    return {};
}

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool IsMinus(QChar c) { return c == QLatin1Char('-') || c == QChar(0x2212); }
bool IsZero(const QString& text)
{
    for (const QChar c : text)
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9'))
            return false;
    return true;
}

// A number typed under a short name with a comma or a point as its decimal mark, in the
// program's separator; a text with both marks stays as it is, for the reading to refuse.
QString WithProgramSeparator(const QString& text)
{
    const bool comma = text.contains(QLatin1Char(',')), point = text.contains(QLatin1Char('.'));
    if (comma == point)
        return text;
    return QString(text).replace(comma ? QLatin1Char(',') : QLatin1Char('.'), DecimalSeparator());
}

// One number of an angle as typed: its sign, whole digits and decimals.
struct AngleNumber {
    bool sign = false;  // typed with a sign, + or -
    bool minus = false;
    QString whole;
    QString decimals;   // without the decimal mark; empty when none were typed
    bool mark = false;  // typed with a decimal mark
};

// The mark that may follow the number at `position` (0 degrees, 1 minutes, 2 seconds).
bool IsMarkOf(QChar c, int position)
{
    static const std::array<QString, 3> marks{QStringLiteral("°"), QStringLiteral("′'`’"), QStringLiteral("″\"")};
    return marks[static_cast<std::size_t>(position)].contains(c);
}

// Splits an angle into its numbers in one pass; nothing when it does not read.
std::optional<std::vector<AngleNumber>> AngleNumbers(const QString& text)
{
    std::vector<AngleNumber> numbers;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && text[i].isSpace())
            ++i;
    };
    skipBlanks();
    while (i < n) {
        if (numbers.size() == 3)
            return std::nullopt;
        AngleNumber number;
        if (text[i] == QLatin1Char('+') || IsMinus(text[i])) {
            number.sign = true;
            number.minus = IsMinus(text[i++]);
            skipBlanks();
        }
        while (i < n && IsAsciiDigit(text[i]))
            number.whole += text[i++];
        if (i < n && (text[i] == QLatin1Char(',') || text[i] == QLatin1Char('.'))) {
            number.mark = true;
            for (++i; i < n && IsAsciiDigit(text[i]);)
                number.decimals += text[i++];
        }
        if (number.whole.isEmpty() && number.decimals.isEmpty())
            return std::nullopt;
        skipBlanks();
        const int position = static_cast<int>(numbers.size());
        if (i < n && IsMarkOf(text[i], position))
            ++i;
        else if (i + 1 < n && position == 2 && text[i] == QLatin1Char('\'') && text[i + 1] == QLatin1Char('\''))
            i += 2;  // seconds written as two primes
        skipBlanks();
        numbers.push_back(number);
    }
    if (numbers.empty())
        return std::nullopt;
    return numbers;
}

using Wide = unsigned __int128;
constexpr int kMostCarriedDecimals = 30;

Wide PowerOfTen(int exponent)
{
    Wide power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

QString WideText(Wide value)
{
    QString digits;
    do {
        digits.prepend(QLatin1Char(static_cast<char>('0' + static_cast<int>(value % 10))));
        value /= 10;
    } while (value != 0);
    return digits;
}

// value / 10^scale as a decimal text in the program's separator, without trailing zeros.
QString DecimalText(Wide value, int scale)
{
    const Wide unit = PowerOfTen(scale);
    QString decimals = WideText(value % unit).rightJustified(scale, QLatin1Char('0'));
    while (decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    const QString whole = WideText(value / unit);
    return decimals.isEmpty() ? whole : whole + DecimalSeparator() + decimals;
}

// The sixtieths of a fraction 0.decimals, carried exactly: the whole part and what remains
// (over 10^scale).
struct Carried {
    Wide whole;
    Wide rest;
};
Carried Sixtieths(Wide numerator, int scale)
{
    const Wide times60 = numerator * 60;
    return {times60 / PowerOfTen(scale), times60 % PowerOfTen(scale)};
}

// The three texts of an angle whose last typed number carries decimals down.
std::array<QString, 3> AnglePartTexts(const std::vector<AngleNumber>& numbers)
{
    std::array<QString, 3> texts{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    const std::size_t last = numbers.size() - 1;
    for (std::size_t k = 0; k < last; ++k)
        texts[k] = numbers[k].whole;
    const AngleNumber& tail = numbers[last];
    QString decimals = tail.decimals;
    while (decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    const QString whole = tail.whole.isEmpty() ? QStringLiteral("0") : tail.whole;
    if (last == 2 || decimals.isEmpty()) {
        texts[last] = last == 2 && tail.mark ? tail.whole + DecimalSeparator() + tail.decimals : whole;
        return texts;
    }
    const int scale = static_cast<int>(decimals.size());
    if (scale > kMostCarriedDecimals)
        throw NameError(QStringLiteral("more than %1 decimals of degrees or minutes").arg(kMostCarriedDecimals));
    Wide fraction = 0;
    for (const QChar c : decimals)
        fraction = fraction * 10 + static_cast<Wide>(c.unicode() - '0');
    texts[last] = whole;
    if (last == 0) {  // degrees: whole minutes, then seconds
        const Carried minutes = Sixtieths(fraction, scale);
        texts[1] = WideText(minutes.whole);
        texts[2] = DecimalText(minutes.rest * 60, scale);
    } else {
        texts[2] = DecimalText(fraction * 60, scale);
    }
    return texts;
}

// A minus before the whole angle goes to every part that is not zero; minus signs typed before
// single parts stay where they are.
void ApplySigns(const std::vector<AngleNumber>& numbers, std::array<QString, 3>& texts)
{
    int signedParts = 0;
    for (const AngleNumber& number : numbers)
        signedParts += number.sign ? 1 : 0;
    const bool wholeAngle = signedParts == 1 && numbers.front().minus;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const bool minus = wholeAngle ? !IsZero(texts[k]) : k < numbers.size() && numbers[k].minus;
        if (minus)
            texts[k].prepend(QLatin1Char('-'));
    }
}

TypedTexts AngleTexts(const NamedInput& input, const QString& value)
{
    const std::optional<std::vector<AngleNumber>> numbers = AngleNumbers(value);
    bool decimalsBeforeLast = false;
    if (numbers)
        for (std::size_t k = 0; k + 1 < numbers->size(); ++k)
            decimalsBeforeLast = decimalsBeforeLast || (*numbers)[k].mark;
    if (!numbers || decimalsBeforeLast)
        throw NameError(QStringLiteral("%1: '%2' is not an angle (write it as 51°38′44,0822″, 51 38 44.0822 or 51.6455)")
                            .arg(input.name, value.size() > 40 ? value.left(40) + QStringLiteral("…") : value));
    std::array<QString, 3> texts = AnglePartTexts(*numbers);
    ApplySigns(*numbers, texts);
    TypedTexts typed;
    for (std::size_t k = 0; k < 3; ++k)
        typed.emplace_back(input.edits[k]->name, texts[k]);
    return typed;
}

}  // namespace

QString EditShortName(const EditField& edit)
{
    if (edit.kind == EditKind::Unused || edit.symbol.isEmpty())
        return {};
    return edit.symbol + PartSuffix(edit.part);
}

std::vector<NamedInput> NamedInputs(const std::vector<EditField>& edits)
{
    std::vector<NamedInput> inputs;
    for (const EditField& edit : edits) {
        if (EditShortName(edit).isEmpty())
            continue;
        const bool sameAngle = edit.part != AnglePart::Whole && edit.part != AnglePart::Degrees && !inputs.empty()
                               && inputs.back().name == edit.symbol;
        if (sameAngle)
            inputs.back().edits.push_back(&edit);
        else
            inputs.push_back({edit.symbol, {&edit}});
    }
    return inputs;
}

std::vector<const EditField*> EditsNamed(const std::vector<EditField>& edits, const QString& name)
{
    for (const NamedInput& input : NamedInputs(edits))
        if (input.name == name)
            return input.edits;
    for (const EditField& edit : edits) {
        const QString shortName = EditShortName(edit);
        if ((!shortName.isEmpty() && shortName == name) || edit.name.compare(name, Qt::CaseInsensitive) == 0)
            return {&edit};
    }
    return {};
}

bool NamesNumber(const std::vector<EditField>& edits, const QString& name)
{
    const std::vector<const EditField*> named = EditsNamed(edits, name);
    return !named.empty() && (named.front()->kind == EditKind::Real || named.front()->kind == EditKind::Integer);
}

TypedTexts TextsOfNamedValue(const std::vector<EditField>& edits, const QString& name, const QString& value)
{
    for (const EditField& edit : edits)
        if (edit.name.compare(name, Qt::CaseInsensitive) == 0)
            return {{edit.name, value}};
    for (const NamedInput& input : NamedInputs(edits))
        if (input.name == name)
            return input.isAngle() ? AngleTexts(input, value)
                                   : TypedTexts{{input.edits.front()->name, input.edits.front()->kind == EditKind::Real
                                                                                ? WithProgramSeparator(value)
                                                                                : value}};
    for (const EditField& edit : edits)
        if (!EditShortName(edit).isEmpty() && EditShortName(edit) == name)
            return {{edit.name, edit.kind == EditKind::Real ? WithProgramSeparator(value) : value}};
    throw NameError(QStringLiteral("no input is named %1").arg(name));
}

TypedTexts TextsOfNamedValues(const std::vector<EditField>& edits, const TypedTexts& named)
{
    TypedTexts texts;
    for (const auto& [name, value] : named) {
        const TypedTexts typed = TextsOfNamedValue(edits, name, value);
        texts.insert(texts.end(), typed.begin(), typed.end());
    }
    return texts;
}

QString JoinAngleTexts(const QString& degrees, const QString& minutes, const QString& seconds, AngleMarks marks)
{
    const std::array<QString, 3> texts{degrees, minutes, seconds};
    // One minus before the angle when the parts that are not zero carry it and no other does.
    bool anyMinus = false, wholeAngle = true;
    for (const QString& text : texts) {
        const bool minus = text.startsWith(QLatin1Char('-'));
        anyMinus = anyMinus || minus;
        wholeAngle = wholeAngle && minus == !IsZero(text);
    }
    auto join = [marks](const std::array<QString, 3>& parts) {
        if (marks == AngleMarks::Blanks)
            return parts[0] + QLatin1Char(' ') + parts[1] + QLatin1Char(' ') + parts[2];
        return parts[0] + QStringLiteral("°") + parts[1] + QStringLiteral("′") + parts[2] + QStringLiteral("″");
    };
    if (!anyMinus)
        return join(texts);
    if (!wholeAngle) {  // every part signed, so that the minus is not read as the whole angle's
        std::array<QString, 3> signedTexts = texts;
        for (QString& text : signedTexts)
            if (!text.startsWith(QLatin1Char('-')))
                text.prepend(QLatin1Char('+'));
        return join(signedTexts);
    }
    std::array<QString, 3> unsignedTexts = texts;
    for (QString& text : unsignedTexts)
        if (text.startsWith(QLatin1Char('-')))
            text.remove(0, 1);
    return QLatin1Char('-') + join(unsignedTexts);
}

TypedTexts NamedValues(const std::vector<EditField>& edits, const TypedTexts& typed, AngleMarks marks)
{
    auto textOf = [&](const EditField* edit) -> std::optional<QString> {
        for (const auto& [name, text] : typed)
            if (name == edit->name)
                return text;
        return std::nullopt;
    };
    TypedTexts named;
    for (const NamedInput& input : NamedInputs(edits)) {
        std::vector<std::optional<QString>> texts;
        for (const EditField* edit : input.edits)
            texts.push_back(textOf(edit));
        if (input.isAngle() && texts[0] && texts[1] && texts[2]) {
            named.emplace_back(input.name, JoinAngleTexts(*texts[0], *texts[1], *texts[2], marks));
            continue;
        }
        for (std::size_t k = 0; k < texts.size(); ++k)
            if (texts[k])
                named.emplace_back(EditShortName(*input.edits[k]), *texts[k]);
    }
    return named;
}

}  // namespace kvelta
