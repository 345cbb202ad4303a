#pragma once
// Which window each "Создать" command makes, and which report routine serves each window class.

#include <QString>

namespace kvelta {

class TaskForm;

// A new window for the "Создать" menu item of that name ("N7", "N8", ...), its FormCreate run;
// nullptr for a command whose exercise is not built.
TaskForm* CreateTaskForm(const QString& menuItemName);

// "Сохранить как..." and "Печать из MS Word": the routine is chosen by the window's exact class,
// in the order of the dispatch table (a derived class never matches its base's row).
void SaveTextReport(const TaskForm& form, const QString& fileName);
void PrintWordReport(TaskForm& form);

}  // namespace kvelta
