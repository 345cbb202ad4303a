#include "spherical/sf_tr_form.h"

#include "spherical/exercises.h"

#include <QStringList>

namespace kvelta {

namespace {

QString Name(const char* kind, int number) { return QString::fromLatin1(kind) + QString::number(number); }

}  // namespace

TSfTrForm::TSfTrForm(QWidget* parent) : TaskForm(LargeTriangleExercise(), parent)
{
    resize(664, 543);
    setPanelHeight(169);
    setPanelBevelled();
    addStudentFields();

    // Angle rows: caption, first edit, top; the left column holds A, B, C, Ba and the right one
    // Bb, Bc, Bm (Ba's edits were numbered after b's).
    struct Row {
        const char* caption;
        int firstEdit;
        bool right;
        int top;
    };
    static const Row rows[] = {
        {"A", 3, false, 64},  {"B", 6, false, 88},   {"C", 9, false, 112}, {"Ba", 22, false, 136},
        {"Bb", 12, true, 64}, {"Bc", 15, true, 88}, {"Bm", 18, true, 112},
    };
    int labelNumber = 3;
    for (const Row& row : rows) {
        const int left = row.right ? 248 : 40;
        addLabel(Name("Label", labelNumber++), QString::fromLatin1(row.caption), left - 24, row.top + 4,
                 LabelStyle::BoldMaroon);
        QStringList edits, marks;
        for (int i = 0; i < 3; ++i) {
            edits << Name("Edit", row.firstEdit + i);
            marks << Name("Label", labelNumber++);
        }
        addAngleTriple(edits, marks, {left, left + 56, left + 112}, {left + 42, left + 101, left + 160}, row.top);
    }
    addLabel(Name("Label", labelNumber), QStringLiteral("b"), 224, 140, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit21"), 248, 136, 89);
    addButton1(343, 136);

    addTables();
    pageControl()->setCurrentIndex(0);

    QStringList order = {QStringLiteral("Edit1"), QStringLiteral("Edit2")};
    for (int first : {3, 6, 9, 22, 12, 15, 18})
        for (int i = 0; i < 3; ++i)
            order << Name("Edit", first + i);
    order << QStringLiteral("Edit21") << QStringLiteral("Button1");
    setTabOrder(order);
}

}  // namespace kvelta
