#include "gauss_kruger/gk_forms.h"

#include "gauss_kruger/exercises.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kvelta {

namespace {

void SetLabelWidth(QLabel* label, int width) { label->resize(width, label->height()); }

}  // namespace

TPTGKForm::TPTGKForm(QWidget* parent) : TMForm(GaussKrugerForwardExercise(), parent)
{
    setPanelHeight(113);
    label(QStringLiteral("Label5"))->setText(QStringLiteral("Lo"));
    SetLabelWidth(label(QStringLiteral("Label5")), 15);
    label(QStringLiteral("Label7"))->setText(QStringLiteral("B"));
    SetLabelWidth(label(QStringLiteral("Label7")), 9);
    addLabel(QStringLiteral("Label11"), QStringLiteral("L"), 16, 92, LabelStyle::BoldMaroon);
    addAngleTriple({QStringLiteral("Edit9"), QStringLiteral("Edit10"), QStringLiteral("Edit11")},
                   {QStringLiteral("Label12"), QStringLiteral("Label13"), QStringLiteral("Label14")},
                   {40, 96, 152}, {82, 141, 200}, 88);
    button()->move(335, 88);
    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"),
                 QStringLiteral("Edit4"), QStringLiteral("Edit5"), QStringLiteral("Edit6"),
                 QStringLiteral("Edit7"), QStringLiteral("Edit8"), QStringLiteral("Button1"),
                 QStringLiteral("Edit9"), QStringLiteral("Edit10"), QStringLiteral("Edit11")});
}

TGKTPForm::TGKTPForm(QWidget* parent) : TMForm(GaussKrugerInverseExercise(), parent)
{
    label(QStringLiteral("Label5"))->setText(QStringLiteral("Lo"));
    SetLabelWidth(label(QStringLiteral("Label5")), 15);
    // The second angle triple of the base layout is not used here (its edits hide themselves).
    for (const char* name : {"Label7", "Label8", "Label9", "Label10"})
        label(QString::fromLatin1(name))->hide();
    addLabel(QStringLiteral("Label11"), QStringLiteral("X,м"), 8, 100, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit9"), 40, 96, 121);
    addLabel(QStringLiteral("Label12"), QStringLiteral("Y,м"), 256, 100, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit10"), 288, 96, 121);
    button()->move(295, 64);
    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"),
                 QStringLiteral("Edit4"), QStringLiteral("Edit5"), QStringLiteral("Edit9"),
                 QStringLiteral("Edit10"), QStringLiteral("Button1"), QStringLiteral("Edit6"),
                 QStringLiteral("Edit7"), QStringLiteral("Edit8")});
}

TPreobrazForm::TPreobrazForm(QWidget* parent) : TaskForm(ZoneTransferExercise(), parent)
{
    resize(446, 317);
    setPanelHeight(114);
    addStudentFields();
    addLabel(QStringLiteral("Label3"), QStringLiteral("Lo"), 16, 68, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit3"), 40, 64, 41);
    addLabel(QStringLiteral("Label4"), QStringLiteral("o"), 82, 63);
    addLabel(QStringLiteral("Label5"), QStringLiteral("Lo'"), 16, 92, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit4"), 40, 88, 41);
    addLabel(QStringLiteral("Label6"), QStringLiteral("o"), 82, 87);
    addLabel(QStringLiteral("Label7"), QStringLiteral("X"), 104, 68, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit5"), 128, 64, 129);
    addLabel(QStringLiteral("Label8"), QStringLiteral("Y"), 104, 92, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit6"), 128, 88, 129);
    addButton1(271, 64);
    addTables();
    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"),
                 QStringLiteral("Edit4"), QStringLiteral("Button1"), QStringLiteral("Edit5"),
                 QStringLiteral("Edit6")});
}

}  // namespace kvelta
