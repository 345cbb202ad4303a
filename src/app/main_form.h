#pragma once
// The main window: the frame of the whole program, with the menus, the task windows inside
// its client area, the status line and the colour stripe.

#include <QMainWindow>

class QMdiArea;

namespace kvelta {

class TaskForm;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return mdiArea_; }
    TaskForm* activeTaskForm() const;
    // Shows a new task window as a child window and makes it active.
    void addTaskForm(TaskForm* form);

private:
    void createMenus();
    QMdiArea* mdiArea_;
};

}  // namespace kvelta
