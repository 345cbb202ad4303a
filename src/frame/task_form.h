#pragma once
// What every exercise window shares: the top panel with the student's group and name, the
// input edits, "Вычислить", and one result table or a page control with several. A window only
// lays out its controls: its caption, the edits' default texts, the tables, the labels and the
// computation come from the description of its exercise.

#include "frame/exercise.h"
#include "frame/report_view.h"
#include "frame/result_grid.h"

#include <QString>
#include <QStringList>
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
    explicit TaskForm(const Exercise& exercise, QWidget* parent = nullptr);

    const Exercise& exercise() const { return exercise_; }

    // Creation handler: writes the headings and row labels. Called once, after construction.
    void FormCreate();
    // "Вычислить": reads the inputs and writes the value cells.
    void Button1Click();

    // Runs FormCreate on a newly built window. Every window is made through this.
    template <class Form, class... Args>
    static Form* Create(Args&&... args)
    {
        auto* form = new Form(std::forward<Args>(args)...);
        form->designSize_ = form->size();
        form->FormCreate();
        form->finishCreation();
        return form;
    }

    // A new child window opens at the size of its design.
    QSize sizeHint() const override { return designSize_.isValid() ? designSize_ : QWidget::sizeHint(); }

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

    // Controls by name, as the design names them.
    QLineEdit* edit(const QString& name) const;
    QLabel* label(const QString& name) const;
    QPushButton* button() const { return button1_; }
    ResultGrid* grid(const QString& name) const;
    QTabWidget* pageControl() const { return pages_; }
    QWidget* panel() const { return panel1_; }

    // The window's edits as the computation reads them, and their texts.
    const Inputs& inputs() const { return inputs_; }
    TypedTexts editTexts() const;

protected:
    enum class LabelStyle { Plain, BoldMaroon };

    void setPanelHeight(int height);
    // Raised inner and lowered outer bevel, as the page-control windows draw their panel.
    void setPanelBevelled();
    QLabel* addLabel(const QString& name, const QString& text, int left, int top,
                     LabelStyle style = LabelStyle::Plain);
    // An edit of the exercise, with its default text; an edit the exercise does not read is hidden.
    QLineEdit* addEdit(const QString& name, int left, int top, int width);
    // A degree / minute / second edit triple (width 41) followed by the marks "o", "'" and '"';
    // the "o" sits one pixel higher than the edits' top.
    void addAngleTriple(const QStringList& editNames, const QStringList& markNames,
                        const QList<int>& editLefts, const QList<int>& markLefts, int top);
    QPushButton* addButton1(int left, int top);
    // The student fields at their common positions.
    void addStudentFields();
    // The exercise's tables: one under the panel, or a page control with one table per page.
    void addTables();
    void setTabOrder(const QStringList& names);
    // Gives a label another caption.
    void relabel(const QString& labelName, const QString& text);

    TableSet tables();

private:
    void finishCreation();

    class EditInputs : public Inputs {
    public:
        explicit EditInputs(const TaskForm& form) : Inputs(form.exercise_.edits), form_(form) {}
        QString text(const QString& editName) const override;

    private:
        const TaskForm& form_;
    };

    const Exercise& exercise_;
    QFrame* panel1_;
    QSize designSize_;
    QPushButton* button1_ = nullptr;
    QTabWidget* pages_ = nullptr;
    std::vector<ResultGrid*> grids_;
    EditInputs inputs_;
};

}  // namespace kvelta
