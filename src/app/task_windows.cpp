#include "app/task_windows.h"

#include "app/word_handover.h"
#include "catalogue/catalogue.h"
#include "frame/task_form.h"
#include "reports/report_file.h"
#include "reports/text_report.h"
#include "reports/word_report.h"

namespace kvelta {

TaskForm* CreateTaskForm(const Exercise& exercise)
{
    return exercise.window.controls.empty() ? nullptr : new TaskForm(exercise);
}

TaskForm* CreateTaskForm(const QString& menuItemName)
{
    const Exercise* exercise = FindExerciseByMenuItem(menuItemName);
    return exercise ? CreateTaskForm(*exercise) : nullptr;
}

void SaveTextReport(const TaskForm& form, const QString& fileName, TextEncoding encoding)
{
    WriteFileAtomically(fileName, TextReportIn(encoding, form.reportView(), form.exercise().report));
}

WordDocument ReportDocument(const TaskForm& form)
{
    return BuildReportDocument(form.reportView(), form.exercise().report);
}

void PrintWordReport(TaskForm& form) { PrintWordDocument(form.reportView(), form.exercise().report); }

}  // namespace kvelta
