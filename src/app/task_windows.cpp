#include "app/task_windows.h"

#include "ellipsoid/td_trap_form.h"
#include "ellipsoid/tm_form.h"
#include "ellipsoid/tp_form.h"
#include "ellipsoid/tp_trap_form.h"
#include "gauss_kruger/gk_forms.h"
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

void SaveTextReport(const TaskForm& form, const QString& fileName)
{
    // One row per window class, in this order: TMForm, TPForm, TPTrapForm, TDTrapForm,
    // TReshSTmForm, TSfTrForm, TPTGKForm, TGKTPForm, TPreobrazForm.
    const std::type_info& type = typeid(form);
    if (type == typeid(TMForm))
        return WriteTextReport(form.reportView(), fileName, TextReportBody::Common);
    if (type == typeid(TPForm))
        return WriteTextReport(form.reportView(), fileName, TextReportBody::Common);
    if (type == typeid(TPTrapForm))
        return WriteTextReport(form.reportView(), fileName, TextReportBody::Common);
    if (type == typeid(TDTrapForm))
        return WriteTextReport(form.reportView(), fileName, TextReportBody::Common);
    if (type == typeid(TReshSTmForm))
        return WriteTextReport(form.reportView(), fileName, TextReportBody::Legendre);
    if (type == typeid(TSfTrForm))
        return WriteTextReport(form.reportView(), fileName, TextReportBody::LargeTriangle);
    if (type == typeid(TPTGKForm))
        return WriteTextReport(form.reportView(), fileName, TextReportBody::Common);
    if (type == typeid(TGKTPForm))
        return WriteTextReport(form.reportView(), fileName, TextReportBody::Common);
    if (type == typeid(TPreobrazForm))
        return WriteTextReport(form.reportView(), fileName, TextReportBody::ZoneTransfer);
}

void PrintWordReport(TaskForm& form)
{
    // The same rows in the same order as above; the document is saved and opened in the
    // desktop's word processor.
    const std::type_info& type = typeid(form);
    if (type == typeid(TMForm))
        return PrintWordDocument(form.reportView(), BuildWordReport);
    if (type == typeid(TPForm))
        return PrintWordDocument(form.reportView(), BuildWordReport);
    if (type == typeid(TPTrapForm))
        return PrintWordDocument(form.reportView(), BuildWordReport);
    if (type == typeid(TDTrapForm))
        return PrintWordDocument(form.reportView(), BuildWordReport);
    if (type == typeid(TReshSTmForm))
        return PrintWordDocument(form.reportView(), BuildReshSTmWordReport);
    if (type == typeid(TSfTrForm))
        return PrintWordDocument(form.reportView(), BuildSfTrWordReport);
    if (type == typeid(TPTGKForm))
        return PrintWordDocument(form.reportView(), BuildWordReport);
    if (type == typeid(TGKTPForm))
        return PrintWordDocument(form.reportView(), BuildWordReport);
    if (type == typeid(TPreobrazForm))
        return PrintWordDocument(form.reportView(), BuildPreobrazWordReport);
}

}  // namespace kvelta
