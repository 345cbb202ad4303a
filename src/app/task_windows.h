#pragma once
// The window of each exercise, and the reports of a window.

#include "app/text_encoding.h"
#include "frame/exercise.h"
#include "reports/word_document.h"

#include <QString>

namespace kvelta {

class TaskForm;

// A new window of the exercise, laid out and labelled; nullptr when its description lays out no window.
TaskForm* CreateTaskForm(const Exercise& exercise);
// The window of the "Создать" menu item of that name ("N7", "N8", ...); nullptr for none.
TaskForm* CreateTaskForm(const QString& menuItemName);

// "Сохранить как..." and "Печать из MS Word": the report of the window's exercise.
void SaveTextReport(const TaskForm& form, const QString& fileName, TextEncoding encoding = TextEncoding::Windows1251);
void PrintWordReport(TaskForm& form);
// The document "Печать из MS Word" builds, fitted for print: what «Печать...» and «Экспорт в
// PDF...» show.
WordDocument ReportDocument(const TaskForm& form);

}  // namespace kvelta
