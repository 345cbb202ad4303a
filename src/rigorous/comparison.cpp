#include "rigorous/comparison.h"

#include "frame/angles.h"
#include "frame/errors.h"
#include "rigorous/geodesy.h"

namespace kvelta {

namespace {

QString Signed(double value, int decimals)
{
    const QString text = FormatFixed(value, decimals);
    return value > 0 && text != FormatFixed(0, decimals) ? QLatin1Char('+') + text : text;
}

QString TextbookReason(const QString& fault)
{
    return fault.isEmpty() ? QStringLiteral("учебное решение не дало значения")
                           : QStringLiteral("учебное решение прервано: %1").arg(fault);
}

// Angles print as angle text, numbers with the decimals of their cell (an angle's seconds too).
QString PrintRigorous(const ResultQuantity& quantity, double value, int decimals, RigorousValue& rigorous)
{
    if (!quantity.angle)
        return FormatFixed(value, decimals);
    try {
        return FormatDms(value, decimals);
    } catch (const KveltaError&) {
        rigorous = rigorous::None(QStringLiteral("угол не выражается в градусах, минутах и секундах"));
        return NoValue;
    }
}

ComparisonRow Row(const ResultQuantity& quantity, const ResultTable* table, RigorousValue rigorous, const QString& fault)
{
    ComparisonRow row;
    row.quantity = quantity.name;
    row.textbook = table ? table->cell(quantity.column, quantity.row) : QString();
    if (table)
        if (const std::optional<Extended> printed = table->number(quantity.column, quantity.row))
            row.textbookValue = static_cast<double>(*printed);
    const int decimals = row.textbook.isEmpty() ? 4 : PrintedDecimals(row.textbook);
    if (rigorous.value)
        row.rigorous = PrintRigorous(quantity, *rigorous.value, decimals, rigorous);
    row.rigorousValue = rigorous.value;

    QString reason;
    if (!row.textbookValue) {
        row.textbook = row.textbook.isEmpty() ? NoValue : row.textbook;
        reason = TextbookReason(fault);
    }
    if (!rigorous.value) {
        row.rigorous = NoValue;
        reason = rigorous::JoinReasons(reason, rigorous.reason);
    }
    row.reason = reason;

    if (!row.textbookValue || !rigorous.value) {
        row.difference = NoValue;
        if (rigorous.ground)
            row.ground = NoValue;
        return row;
    }
    const double scale = quantity.angle ? 3600 : 1;  // angle differences in seconds
    row.differenceValue = (*row.textbookValue - *rigorous.value) * scale;
    const QString unit = quantity.angle ? QStringLiteral("″") : quantity.unit.isEmpty() ? QString() : QLatin1Char(' ') + quantity.unit;
    row.difference = Signed(*row.differenceValue, decimals) + unit;
    if (rigorous.ground) {
        row.groundValue = rigorous.ground(*row.differenceValue);
        row.ground = row.groundValue ? Signed(*row.groundValue, 4) : NoValue;
    }
    return row;
}

}  // namespace

std::optional<Comparison> CompareExercise(const Exercise& exercise, const Inputs& inputs, const ComputedTables& textbook)
{
    const RigorousComparison& compared = exercise.comparison;
    if (!compared.solve)
        return std::nullopt;
    RigorousSolution solution = compared.solve(inputs, textbook);
    Comparison c;
    c.className = exercise.windowClass;
    c.caption = exercise.caption;
    c.ellipsoid = compared.ellipsoids ? compared.ellipsoids() : rigorous::EllipsoidStatement(compared.derivedE2);
    c.textbookFault = textbook.fault;
    c.note = solution.note;
    for (std::size_t i = 0; i < compared.quantities.size(); ++i) {
        const ResultQuantity& quantity = compared.quantities[i];
        const auto t = static_cast<std::size_t>(quantity.table);
        const ResultTable* table = t < textbook.tables.size() ? textbook.tables[t] : nullptr;
        RigorousValue value = i < solution.values.size() ? solution.values[i]
                                                         : rigorous::None(QStringLiteral("нет строгого значения"));
        c.rows.push_back(Row(quantity, table, std::move(value), textbook.fault));
    }
    return c;
}

}  // namespace kvelta
