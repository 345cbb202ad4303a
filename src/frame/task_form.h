#pragma once
// What every exercise window shares: the top panel with the student's group and name, the
// input edits, "Вычислить", and one result table or a page control with several.

#include "frame/inputs.h"
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

// A result table as the reports see it: its grid name, the caption of its tab page (empty when
// the window has no pages) and its cells.
struct ReportTable {
    QString name;
    QString page;
    const ResultTable* table;
};

// A window as the report writers read it: nothing in it refers to a widget.
struct ReportView {
    QString caption;
    QString group;
    QString name;
    std::vector<ReportTable> tables;  // in page order
    int activePage = -1;              // -1 without a page control
};

class TaskForm : public QWidget {
    Q_OBJECT
public:
    explicit TaskForm(QWidget* parent = nullptr);

    // Creation handler: writes the headings and row labels. Called once, after construction.
    virtual void FormCreate() = 0;
    // "Вычислить": reads the inputs and writes the value cells.
    virtual void Button1Click() = 0;

    // Runs FormCreate on a newly built window. Every window is made through this.
    template <class Form, class... Args>
    static Form* Create(Args&&... args)
    {
        auto* form = new Form(std::forward<Args>(args)...);
        form->designSize_ = form->size();
        form->FormCreate();
        return form;
    }

    // A new child window opens at the size of its design.
    QSize sizeHint() const override { return designSize_.isValid() ? designSize_ : QWidget::sizeHint(); }

    // What the reports read.
    QString caption() const { return windowTitle(); }
    QString group() const;
    QString studentName() const;
    std::vector<ReportTable> reportTables() const;
    int activePage() const;  // -1 without a page control
    ReportView reportView() const { return {caption(), group(), studentName(), reportTables(), activePage()}; }

    // Controls by name, as the design names them.
    QLineEdit* edit(const QString& name) const;
    QLabel* label(const QString& name) const;
    QPushButton* button() const { return button1_; }
    ResultGrid* grid(const QString& name) const;
    QTabWidget* pageControl() const { return pages_; }
    QWidget* panel() const { return panel1_; }

    // The window's edits as the computation reads them.
    const Inputs& inputs() const { return inputs_; }

protected:
    enum class LabelStyle { Plain, BoldMaroon };

    void setPanelHeight(int height);
    // Raised inner and lowered outer bevel, as the page-control windows draw their panel.
    void setPanelBevelled();
    QLabel* addLabel(const QString& name, const QString& text, int left, int top,
                     LabelStyle style = LabelStyle::Plain);
    QLineEdit* addEdit(const QString& name, int left, int top, int width, const QString& text);
    // A degree / minute / second edit triple (width 41, text "0") followed by the marks "o", "'"
    // and '"'; the "o" sits one pixel higher than the edits' top.
    void addAngleTriple(const QStringList& editNames, const QStringList& markNames,
                        const QList<int>& editLefts, const QList<int>& markLefts, int top);
    QPushButton* addButton1(int left, int top);
    // The student fields at their common positions.
    void addStudentFields();
    // Either one table under the panel, or a page control with one table per page.
    ResultGrid* addGrid(const QString& name, int columns, int rows, const std::vector<int>& widths,
                        int defaultWidth = 64);
    ResultGrid* addPage(const QString& caption, const QString& gridName, int columns, int rows,
                        const std::vector<int>& widths, int defaultWidth = 64);
    void setTabOrder(const QStringList& names);
    // Edit text with the user's decimal separator in place of the comma of the design.
    static QString LocalDecimal(QString designText);

    // Runs a computation over the window's tables: unreached values are emptied on a fault.
    void compute(const std::function<void()>& body);
    std::vector<ResultTable*> tables();

private:
    class EditInputs : public Inputs {
    public:
        explicit EditInputs(const TaskForm& form) : form_(form) {}
        QString text(const QString& editName) const override;

    private:
        const TaskForm& form_;
    };

    QFrame* panel1_;
    QSize designSize_;
    QPushButton* button1_ = nullptr;
    QTabWidget* pages_ = nullptr;
    std::vector<ResultGrid*> grids_;
    EditInputs inputs_;
};

}  // namespace kvelta
