#include "frame/window_layout.h"

namespace kvelta {

PlacedControl CaptionAt(const QString& text, int left, int top, int width)
{
    return {PlacedControl::Kind::Caption, text, left, top, width};
}

PlacedControl MarkAt(const QString& text, int left, int top) { return {PlacedControl::Kind::Mark, text, left, top, 0}; }

PlacedControl EditAt(int number, int left, int top, int width)
{
    return {PlacedControl::Kind::Edit, QStringLiteral("Edit%1").arg(number), left, top, width};
}

PlacedControl ComputeButton(int left, int top) { return {PlacedControl::Kind::Button, QString(), left, top, 75}; }

std::vector<PlacedControl> StudentRows()
{
    return {MarkAt(QStringLiteral("Ст. гр."), 8, 10), EditAt(1, 144, 8, 265),
            MarkAt(QStringLiteral("Фамилия Имя  Отчество"), 8, 35), EditAt(2, 144, 32, 265)};
}

std::vector<PlacedControl> AngleRow(int firstEdit, int left, int top)
{
    return {EditAt(firstEdit, left, top, 41),          MarkAt(QStringLiteral("o"), left + 42, top - 1),
            EditAt(firstEdit + 1, left + 56, top, 41), MarkAt(QStringLiteral("'"), left + 101, top),
            EditAt(firstEdit + 2, left + 112, top, 41), MarkAt(QStringLiteral("\""), left + 160, top)};
}

std::vector<PlacedControl> Controls(std::initializer_list<std::vector<PlacedControl>> parts)
{
    std::vector<PlacedControl> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

QString WindowObjectName(const QString& windowClass)
{
    if (windowClass.size() > 1 && windowClass[0] == QLatin1Char('T') && windowClass[1].isUpper())
        return windowClass.mid(1);
    return windowClass;
}

}  // namespace kvelta
