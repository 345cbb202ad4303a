#include "app/task_windows.h"

#include "app/word_handover.h"
#include "catalogue/catalogue.h"
#include "datums/datum_form.h"
#include "ellipsoid/td_trap_form.h"
#include "ellipsoid/tm_form.h"
#include "ellipsoid/tp_form.h"
#include "ellipsoid/tp_trap_form.h"
#include "gauss_kruger/gk_forms.h"
#include "geodetic_problems/problem_forms.h"
#include "plane_corrections/plane_corrections_form.h"
#include "long_lines/bessel_forms.h"
#include "reports/report_file.h"
#include "reports/text_report.h"
#include "reports/word_report.h"
#include "spatial/pr_koord_form.h"
#include "spherical/resh_stm_form.h"
#include "spherical/sf_tr_form.h"

namespace kvelta {

namespace {

template <class Form>
TaskForm* Make()
{
    return TaskForm::Create<Form>();
}

// The window class of each exercise, by the class name its description gives.
struct WindowClass {
    const char* name;
    TaskForm* (*create)();
};

constexpr WindowClass WindowClasses[] = {
    {"TMForm", Make<TMForm>},       {"TPForm", Make<TPForm>},         {"TPTrapForm", Make<TPTrapForm>},
    {"TDTrapForm", Make<TDTrapForm>}, {"TReshSTmForm", Make<TReshSTmForm>}, {"TSfTrForm", Make<TSfTrForm>},
    {"TPTGKForm", Make<TPTGKForm>}, {"TGKTPForm", Make<TGKTPForm>},   {"TPreobrazForm", Make<TPreobrazForm>},
    {"TPrGZForm", Make<TPrGZForm>},   {"TObrGZForm", Make<TObrGZForm>}, {"TPrKoordForm", Make<TPrKoordForm>},
    {"TPlaneCorrectionsForm", Make<TPlaneCorrectionsForm>}, {"TDatumForm", Make<TDatumForm>},
    {"TBesselPrGZForm", Make<TBesselPrGZForm>}, {"TBesselObrGZForm", Make<TBesselObrGZForm>},
};

}  // namespace

TaskForm* CreateTaskForm(const Exercise& exercise)
{
    for (const WindowClass& window : WindowClasses)
        if (exercise.windowClass == QLatin1String(window.name))
            return window.create();
    return nullptr;
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
