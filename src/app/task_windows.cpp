#include "app/task_windows.h"

#include "ellipsoid/tm_form.h"

#include <typeinfo>

namespace kvelta {

TaskForm* CreateTaskForm(const QString& menuItemName)
{
    if (menuItemName == QLatin1String("N7"))
        return TaskForm::Create<TMForm>();
    return nullptr;
}

void SaveTextReport(const TaskForm& form, const QString& fileName)
{
    const std::type_info& type = typeid(form);
    if (type == typeid(TMForm)) {
        // common text report
    }
    (void)fileName;
}

void PrintWordReport(TaskForm& form)
{
    const std::type_info& type = typeid(form);
    if (type == typeid(TMForm)) {
        // common word report
    }
}

}  // namespace kvelta
