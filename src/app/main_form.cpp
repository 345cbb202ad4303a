#include "app/main_form.h"

#include "ellipsoid/tm_form.h"
#include "frame/error_box.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

namespace kvelta {

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), mdiArea_(new QMdiArea(this))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Kvelta"));
    setCentralWidget(mdiArea_);
    createMenus();
}

void TMainForm::createMenus()
{
    QMenu* n1 = menuBar()->addMenu(QStringLiteral("Файл"));
    n1->setObjectName(QStringLiteral("N1"));
    QMenu* n2 = menuBar()->addMenu(QStringLiteral("Создать"));
    n2->setObjectName(QStringLiteral("N2"));
    QAction* n7 = n2->addAction(QStringLiteral("Вычисление дуги меридианов"));
    n7->setObjectName(QStringLiteral("N7"));
    connect(n7, &QAction::triggered, this, [this] {
        RunCommand(this, [this] { addTaskForm(TaskForm::Create<TMForm>()); });
    });
}

TaskForm* TMainForm::activeTaskForm() const
{
    QMdiSubWindow* sub = mdiArea_->activeSubWindow();
    return sub ? qobject_cast<TaskForm*>(sub->widget()) : nullptr;
}

void TMainForm::addTaskForm(TaskForm* form)
{
    QMdiSubWindow* sub = mdiArea_->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
    mdiArea_->setActiveSubWindow(sub);
}

}  // namespace kvelta
