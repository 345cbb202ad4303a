#pragma once
// The window of each exercise, and the reports of a window.

#include "frame/exercise.h"

#include <QString>

namespace kvelta {

class TaskForm;

// A new window of the exercise, its FormCreate run; nullptr when no window class is made for it.
TaskForm* CreateTaskForm(const Exercise& exercise);
// The window of the "Создать" menu item of that name ("N7", "N8", ...); nullptr for none.
TaskForm* CreateTaskForm(const QString& menuItemName);

// "Сохранить как..." and "Печать из MS Word": the report of the window's exercise.
void SaveTextReport(const TaskForm& form, const QString& fileName);
void PrintWordReport(TaskForm& form);

}  // namespace kvelta
