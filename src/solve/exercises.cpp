#include "solve/exercises.h"

#include "app/task_windows.h"
#include "frame/task_form.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <limits>

namespace kvelta {

const std::vector<Exercise>& Exercises()
{
    static const std::vector<Exercise> exercises = {
        {"meridian-arc", "TMForm", "N7", {{"S", 0, 3, 16}}},
        {"parallel-arc", "TPForm", "N8", {{"Sп", 0, 3, 9}}},
        {"trapezoid-area", "TPTrapForm", "N5", {{"P", 0, 3, 10}}},
        {"trapezoid-sides", "TDTrapForm", "N10", {{"a1", 0, 3, 14}, {"a2", 0, 3, 15}, {"c", 0, 3, 16}, {"d", 0, 3, 19}}},
        {"gk-forward", "TPTGKForm", "N17", {{"x", 0, 1, 20}, {"y", 0, 1, 23}}},
        {"gk-inverse", "TGKTPForm", "N18", {{"B", 0, 1, 23}, {"L", 0, 1, 26}}},
        {"gk-zone", "TPreobrazForm", "N19", {{"B", 0, 1, 23}, {"L", 0, 1, 26}, {"x'", 1, 1, 20}, {"y'", 1, 1, 23}}},
        {"legendre", "TReshSTmForm", "N13",
         {{"E", 0, 3, 4}, {"a", 0, 3, 14}, {"b", 0, 1, 15}, {"c", 0, 3, 15},
          {"b (аддитаменты)", 1, 7, 1}, {"a (аддитаменты)", 1, 7, 2}, {"c (аддитаменты)", 1, 7, 3}}},
        {"large-triangle", "TSfTrForm", "N14",
         {{"E_f\"", 2, 3, 4}, {"E_L", 4, 3, 10},
          {"b (стр. 4)", 3, 4, 8}, {"a (стр. 4)", 3, 4, 9}, {"c (стр. 4)", 3, 4, 10},
          {"b (стр. 8)", 7, 3, 1}, {"a (стр. 8)", 7, 3, 2}, {"c (стр. 8)", 7, 3, 3}}},
    };
    return exercises;
}

const Exercise* FindExercise(const QString& name)
{
    for (const Exercise& e : Exercises())
        if (e.name == name)
            return &e;
    return nullptr;
}

TaskForm* CreateExerciseForm(const Exercise& exercise) { return CreateTaskForm(exercise.menuItem); }

namespace {

bool IsUnitMark(const QString& text)
{
    return text == QLatin1String("o") || text == QLatin1String("'") || text == QLatin1String("\"");
}

bool SameRow(const QWidget* a, const QWidget* b) { return std::abs(a->y() - b->y()) <= 6; }

// The unit mark right after an edit ("o", "'" or '"'), if any.
QString MarkAfter(const TaskForm& form, const QLineEdit* edit)
{
    const QLabel* best = nullptr;
    for (const QLabel* label : form.panel()->findChildren<QLabel*>()) {
        if (!SameRow(label, edit) || label->x() < edit->geometry().right() || !IsUnitMark(label->text()))
            continue;
        if (!best || label->x() < best->x())
            best = label;
    }
    return best && best->x() - edit->geometry().right() < 12 ? best->text() : QString();
}

}  // namespace

QString EditScreenLabel(const TaskForm& form, const QString& editName)
{
    const QLineEdit* edit = form.edit(editName);
    if (edit->isHidden())
        return QStringLiteral("(скрыто)");
    const QLabel* best = nullptr;
    for (const QLabel* label : form.panel()->findChildren<QLabel*>()) {
        if (!SameRow(label, edit) || label->x() >= edit->x() || IsUnitMark(label->text()) || label->isHidden())
            continue;
        if (!best || label->x() > best->x())
            best = label;
    }
    QString text = best ? best->text() : QString();
    const QString mark = MarkAfter(form, edit);
    if (!mark.isEmpty())
        text += QLatin1Char(' ') + mark;
    return text;
}

QString EditMeaning(const Exercise& exercise, const TaskForm& form, const QString& editName)
{
    // Where the label on screen does not say what the edit holds.
    static const struct {
        const char* exercise;
        const char* edit;
        const char* meaning;
    } named[] = {
        {"parallel-arc", "Edit3", "градусы (целые), разность долгот L"},
        {"parallel-arc", "Edit4", "минуты (целые), разность долгот L"},
        {"parallel-arc", "Edit5", "секунды, разность долгот L"},
        {"parallel-arc", "Edit6", "градусы (целые), широта параллели B (подпись B2)"},
        {"parallel-arc", "Edit7", "минуты (целые), широта параллели B"},
        {"parallel-arc", "Edit8", "секунды, широта параллели B"},
        {"trapezoid-area", "Edit9", "разность долгот L2-L1, секунды"},
        {"trapezoid-sides", "Edit9", "разность долгот L2-L1, целые секунды"},
        {"trapezoid-sides", "Edit10", "знаменатель масштаба M"},
        {"gk-inverse", "Edit9", "абсцисса x, м"},
        {"gk-inverse", "Edit10", "ордината y, м"},
        {"gk-zone", "Edit3", "долгота осевого меридиана Lo, градусы (дробное число)"},
        {"gk-zone", "Edit4", "долгота осевого меридиана другой зоны Lo', градусы (дробное число)"},
        {"gk-zone", "Edit5", "абсцисса x, м"},
        {"gk-zone", "Edit6", "ордината y, м"},
        {"legendre", "Edit3", "градусы (целые), угол A"},
        {"legendre", "Edit4", "минуты (целые), угол A"},
        {"legendre", "Edit6", "градусы (целые), угол B"},
        {"legendre", "Edit7", "минуты (целые), угол B"},
        {"legendre", "Edit9", "градусы (целые), угол C"},
        {"legendre", "Edit10", "минуты (целые), угол C"},
        {"legendre", "Edit12", "сторона b против угла B, м"},
        {"large-triangle", "Edit21", "сторона b против угла B, м"},
    };
    for (const auto& entry : named)
        if (exercise.name == QLatin1String(entry.exercise) && editName == QLatin1String(entry.edit))
            return QString::fromUtf8(entry.meaning);
    if (form.edit(editName)->isHidden())
        return QStringLiteral("скрытое поле, не используется");
    if (editName == QLatin1String("Edit1"))
        return QStringLiteral("группа студента");
    if (editName == QLatin1String("Edit2"))
        return QStringLiteral("фамилия, имя, отчество студента");
    const QString mark = MarkAfter(form, form.edit(editName));
    const QString label = EditScreenLabel(form, editName).section(QLatin1Char(' '), 0, 0);
    if (mark == QLatin1String("o"))
        return QStringLiteral("градусы, %1").arg(label);
    if (mark == QLatin1String("'"))
        return QStringLiteral("минуты, %1").arg(label);
    if (mark == QLatin1String("\""))
        return QStringLiteral("секунды, %1").arg(label);
    return QStringLiteral("число, %1").arg(label);
}

QStringList EditNames(const TaskForm& form)
{
    QStringList names;
    for (const QLineEdit* edit : form.panel()->findChildren<QLineEdit*>())
        names.append(edit->objectName());
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.mid(4).toInt() < b.mid(4).toInt();
    });
    return names;
}

}  // namespace kvelta
