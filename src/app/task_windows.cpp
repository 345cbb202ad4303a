#include "app/task_windows.h"

#include "ellipsoid/td_trap_form.h"
#include "ellipsoid/tm_form.h"
#include "ellipsoid/tp_form.h"
#include "ellipsoid/tp_trap_form.h"
#include "gauss_kruger/gk_forms.h"
#include "reports/report_file.h"
#include "reports/text_report.h"
#include "reports/word_handover.h"
#include "spherical/resh_stm_form.h"
#include "spherical/sf_tr_form.h"

#include <typeinfo>

namespace kvelta {

TaskForm* CreateTaskForm(const QString& menuItemName)
{
    if (menuItemName == QLatin1String("N7"))
        return TaskForm::Create<TMForm>();
    if (menuItemName == QLatin1String("N8"))
        return TaskForm::Create<TPForm>();
    if (menuItemName == QLatin1String("N5"))
        return TaskForm::Create<TPTrapForm>();
    if (menuItemName == QLatin1String("N10"))
        return TaskForm::Create<TDTrapForm>();
    if (menuItemName == QLatin1String("N13"))
        return TaskForm::Create<TReshSTmForm>();
    if (menuItemName == QLatin1String("N14"))
        return TaskForm::Create<TSfTrForm>();
    if (menuItemName == QLatin1String("N17"))
        return TaskForm::Create<TPTGKForm>();
    if (menuItemName == QLatin1String("N18"))
        return TaskForm::Create<TGKTPForm>();
    if (menuItemName == QLatin1String("N19"))
        return TaskForm::Create<TPreobrazForm>();
    return nullptr;
}

namespace {

// The report routines of a window class.
struct ReportRoutines {
    const std::type_info& windowClass;
    TextReportBody textBody;
    WordReportBuilder wordBuilder;
};

// One row per window class, tested in this order by the window's exact class, so that a
// derived class never takes its base's row.
const ReportRoutines* RoutinesFor(const TaskForm& form)
{
    static const ReportRoutines rows[] = {
        {typeid(TMForm), TextReportBody::Common, BuildWordReport},
        {typeid(TPForm), TextReportBody::Common, BuildWordReport},
        {typeid(TPTrapForm), TextReportBody::Common, BuildWordReport},
        {typeid(TDTrapForm), TextReportBody::Common, BuildWordReport},
        {typeid(TReshSTmForm), TextReportBody::Legendre, BuildReshSTmWordReport},
        {typeid(TSfTrForm), TextReportBody::LargeTriangle, BuildSfTrWordReport},
        {typeid(TPTGKForm), TextReportBody::Common, BuildWordReport},
        {typeid(TGKTPForm), TextReportBody::Common, BuildWordReport},
        {typeid(TPreobrazForm), TextReportBody::ZoneTransfer, BuildPreobrazWordReport},
    };
    const std::type_info& type = typeid(form);
    for (const ReportRoutines& row : rows)
        if (row.windowClass == type)
            return &row;
    return nullptr;
}

}  // namespace

void SaveTextReport(const TaskForm& form, const QString& fileName)
{
    if (const ReportRoutines* routines = RoutinesFor(form))
        WriteTextReport(form.reportView(), fileName, routines->textBody);
}

QByteArray TextReportFileBytes(const TaskForm& form)
{
    const ReportRoutines* routines = RoutinesFor(form);
    return routines ? TextReportBytes(form.reportView(), routines->textBody) : QByteArray();
}

void PrintWordReport(TaskForm& form)
{
    if (const ReportRoutines* routines = RoutinesFor(form))
        PrintWordDocument(form.reportView(), routines->wordBuilder);
}

void SaveWordDocument(const TaskForm& form, const QString& fileName)
{
    if (const ReportRoutines* routines = RoutinesFor(form))
        WriteFileAtomically(fileName, BuildDocx(form.reportView(), routines->wordBuilder));
}

}  // namespace kvelta
