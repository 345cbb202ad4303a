#pragma once
// The exercises as kvelta-solve names them: each is one window class of the desktop program,
// made by the same "Создать" command, with the cells that hold its final results.

#include <QString>
#include <vector>

namespace kvelta {

class TaskForm;

struct FinalResult {
    QString name;   // column of the summary
    int table;      // index among the window's tables
    int column;
    int row;
};

struct Exercise {
    QString name;       // "meridian-arc"
    QString className;  // "TMForm"
    QString menuItem;   // "N7"
    std::vector<FinalResult> results;
};

const std::vector<Exercise>& Exercises();
const Exercise* FindExercise(const QString& name);

// A new window of the exercise, as the desktop program makes it; nullptr if it is not built.
TaskForm* CreateExerciseForm(const Exercise& exercise);

// What an edit means, for --list: the group, the name, or a part of an angle or a number.
QString EditMeaning(const Exercise& exercise, const TaskForm& form, const QString& editName);
// The caption shown beside an edit on screen ("B1 o", "X,м").
QString EditScreenLabel(const TaskForm& form, const QString& editName);
// The window's edits in their natural order (Edit1, Edit2, Edit3, ...).
QStringList EditNames(const TaskForm& form);

}  // namespace kvelta
