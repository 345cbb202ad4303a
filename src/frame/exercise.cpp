#include "frame/exercise.h"

#include <stdexcept>

namespace kvelta {

int TableLayout::width(int column) const
{
    return column < static_cast<int>(widths.size()) ? widths[static_cast<std::size_t>(column)] : defaultWidth;
}

std::unique_ptr<ResultTable> TableLayout::newTable() const
{
    auto table = std::make_unique<ResultTable>(columns, rows);
    for (int c = 0; c < columns; ++c)
        table->setColumnWidth(c, width(c));
    table->setOptionalRows(optionalRows.first, optionalRows.second);
    table->setOptionalColumns(optionalColumns.first, optionalColumns.second);
    return table;
}

ResultQuantity Renamed(ResultQuantity quantity, const QString& name, std::optional<int> table)
{
    quantity.name = name;
    if (table)
        quantity.table = *table;
    return quantity;
}

TypedTexts Exercise::shownExample() const
{
    TypedTexts shown;
    for (const auto& [name, text] : example)
        shown.emplace_back(name, QString(text).replace(QLatin1Char(','), DecimalSeparator()));
    return shown;
}

ExerciseTables::ExerciseTables(const Exercise& exercise)
{
    for (const TableLayout& layout : exercise.tables) {
        tables_.push_back(layout.newTable());
    }
    exercise.writeLabels(set());
}

ExerciseTables::ExerciseTables(const ExerciseTables& other)
{
    for (const auto& table : other.tables_)
        tables_.push_back(std::make_unique<ResultTable>(*table));
}

ExerciseTables& ExerciseTables::operator=(ExerciseTables other)
{
    tables_.swap(other.tables_);
    return *this;
}

TableSet ExerciseTables::set() const
{
    TableSet all;
    for (const auto& table : tables_)
        all.push_back(table.get());
    return all;
}

std::vector<const ResultTable*> ExerciseTables::constSet() const
{
    std::vector<const ResultTable*> all;
    for (const auto& table : tables_)
        all.push_back(table.get());
    return all;
}

EditTexts::EditTexts(const Exercise& exercise, const TypedTexts& typed) : Inputs(exercise.edits)
{
    for (const EditField& edit : exercise.edits)
        texts_[edit.name] = ShownDefault(edit);
    for (const auto& [name, text] : typed)
        set(name, text);
}

QString EditTexts::text(const QString& editName) const
{
    const auto found = texts_.find(editName);
    if (found == texts_.end())
        throw std::invalid_argument("no edit " + editName.toStdString());
    return found->second;
}

void EditTexts::set(const QString& editName, const QString& text)
{
    const auto found = texts_.find(editName);
    if (found == texts_.end())
        throw std::invalid_argument("no edit " + editName.toStdString());
    found->second = text.left(kEditMaxLength);
}

std::vector<EditField> StudentEdits()
{
    return {{QStringLiteral("Edit1"), QStringLiteral("Ст. гр."), QStringLiteral("группа студента"), QString(),
             EditKind::Text, QStringLiteral("group")},
            {QStringLiteral("Edit2"), QStringLiteral("Фамилия Имя  Отчество"),
             QStringLiteral("фамилия, имя, отчество студента"), QString(), EditKind::Text, QStringLiteral("name")}};
}

std::vector<EditField> AngleEdits(int firstEdit, const QString& label, const QString& angle, EditKind degreesAndMinutes,
                                 const QString& symbol)
{
    const QString whole = degreesAndMinutes == EditKind::Integer ? QStringLiteral(" (целые)") : QString();
    auto edit = [&](int offset, const char* mark, const QString& part, EditKind kind, AnglePart anglePart) {
        return EditField{QStringLiteral("Edit%1").arg(firstEdit + offset),
                        label + QLatin1Char(' ') + QLatin1String(mark),
                        part + QStringLiteral(", ") + angle,
                        QStringLiteral("0"),
                        kind,
                        symbol.isEmpty() ? label : symbol,
                        anglePart};
    };
    return {edit(0, "o", QStringLiteral("градусы") + whole, degreesAndMinutes, AnglePart::Degrees),
            edit(1, "'", QStringLiteral("минуты") + whole, degreesAndMinutes, AnglePart::Minutes),
            edit(2, "\"", QStringLiteral("секунды"), EditKind::Real, AnglePart::Seconds)};
}

std::vector<EditField> Edits(std::initializer_list<std::vector<EditField>> parts)
{
    std::vector<EditField> all;
    for (const std::vector<EditField>& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace kvelta
