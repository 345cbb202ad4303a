#pragma once
// Which window each "Создать" command makes, and which report routine serves each window class.

#include <QByteArray>
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

// For kvelta-solve: the bytes "Сохранить как..." writes, and the document "Печать из MS Word"
// builds, saved under the given name instead of being opened.
QByteArray TextReportFileBytes(const TaskForm& form);
void SaveWordDocument(const TaskForm& form, const QString& fileName);

}  // namespace kvelta
