#pragma once
// "Сравнить со строгим решением...": a modeless window beside an exercise window, with the
// textbook results, the rigorous ones and their differences, computed from the exercise
// window's current edits. The exercise window is only read, never changed.

#include "rigorous/comparison.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QTableWidget;
class QPushButton;

namespace kvelta {

class TaskForm;

class RigorousComparisonWindow : public QDialog {
    Q_OBJECT
public:
    RigorousComparisonWindow(TaskForm& form, Comparison comparison, QWidget* parent = nullptr);

    const Comparison& comparison() const { return comparison_; }
    QTableWidget* table() const { return table_; }

    // Reads the exercise window's edits again; a conversion error is shown in the error box and
    // the window keeps what it showed.
    void recompute();

private:
    void display(const Comparison& comparison);

    QPointer<TaskForm> form_;
    Comparison comparison_;
    QLabel* heading_;
    QTableWidget* table_;
    QLabel* fault_;
    QLabel* note_;
    QLabel* ellipsoid_;
    QPushButton* recompute_;
};

// The comparison window for an exercise window, not yet shown; nullptr after the error box when
// the window's edits do not convert (as "Вычислить" reports it) or the window has no comparison.
RigorousComparisonWindow* CreateRigorousComparison(TaskForm& form, QWidget* parent);

// Creates the comparison window and shows it, modeless; it deletes itself when closed.
void ShowRigorousComparison(TaskForm& form, QWidget* parent);

}  // namespace kvelta
