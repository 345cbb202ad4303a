#pragma once
// The window of an exercise: the top panel with the student's group and name, the input edits and
// "Вычислить", and one result table or a page control with several. Everything comes from the
// description of its exercise: the panel's layout, its caption, the edits' default texts, the
// tables, their labels and the computation.

#include "frame/exercise.h"
#include "frame/report_view.h"
#include "frame/result_grid.h"

#include <QString>
#include <QSize>
#include <QWidget>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace kvelta {

class TaskForm : public QWidget {
    Q_OBJECT
public:
    // The whole window: its panel laid out from the exercise's description, its tables created
    // and labelled.
    explicit TaskForm(const Exercise& exercise, QWidget* parent = nullptr);

    const Exercise& exercise() const { return exercise_; }

    // "Вычислить": reads the inputs and writes the value cells.
    void compute();

    // A new child window opens at the size of its design.
    QSize sizeHint() const override { return !designSize_.isEmpty() ? designSize_ : QWidget::sizeHint(); }

    // The smallest size that still shows the whole top panel (edits and "Вычислить") and a few
    // table rows: a window is never squeezed until its inputs lie under the table.
    QSize inputsMinimumSize() const;

    // Every edit back to its default, then the textbook's worked example typed in; the group and
    // the name stay as they are.
    void fillExample();

    // What the reports read.
    QString caption() const { return windowTitle(); }
    QString group() const;
    QString studentName() const;
    int activePage() const;  // -1 without a page control
    ReportView reportView() const;

    // An edit by its name ("Edit3"), a table by the name its description gives ("StringGrid1").
    QLineEdit* edit(const QString& name) const;
    QPushButton* button() const { return computeButton_; }
    ResultGrid* grid(const QString& name) const;
    QTabWidget* pageControl() const { return pages_; }
    QWidget* panel() const { return panel_; }

    // The window's edits as the computation reads them, and their texts.
    const Inputs& inputs() const { return inputs_; }
    TypedTexts editTexts() const;

private:
    void layOutPanel();
    QLabel* addLabel(const PlacedControl& placed);
    QLineEdit* addEdit(const PlacedControl& placed);
    QPushButton* addComputeButton(const PlacedControl& placed);
    // The exercise's tables: one under the panel, or a page control with one table per page.
    void addTables();
    TableSet tables();

    class EditInputs : public Inputs {
    public:
        explicit EditInputs(const TaskForm& form) : Inputs(form.exercise_.edits), form_(form) {}
        QString text(const QString& editName) const override;

    private:
        const TaskForm& form_;
    };

    const Exercise& exercise_;
    QFrame* panel_;
    QSize designSize_;
    QPushButton* computeButton_ = nullptr;
    QTabWidget* pages_ = nullptr;
    std::vector<ResultGrid*> grids_;
    EditInputs inputs_;
};

}  // namespace kvelta
