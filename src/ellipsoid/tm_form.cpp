#include "ellipsoid/tm_form.h"

#include <QLabel>
#include <QStringList>

namespace kvelta {

TMForm::TMForm(QWidget* parent) : TaskForm(parent)
{
    setObjectName(QStringLiteral("MForm"));
    setWindowTitle(QStringLiteral("Вычисление дуги меридианов"));
    resize(461, 269);
    setPanelHeight(129);
    addStudentFields();
    addLabel(QStringLiteral("Label5"), QStringLiteral("B1"), 16, 68, LabelStyle::BoldMaroon);
    addAngleTriple({QStringLiteral("Edit3"), QStringLiteral("Edit4"), QStringLiteral("Edit5")},
                   {QStringLiteral("Label3"), QStringLiteral("Label4"), QStringLiteral("Label6")},
                   {40, 96, 152}, {82, 141, 200}, 64);
    addLabel(QStringLiteral("Label7"), QStringLiteral("B2"), 216, 68, LabelStyle::BoldMaroon);
    addAngleTriple({QStringLiteral("Edit6"), QStringLiteral("Edit7"), QStringLiteral("Edit8")},
                   {QStringLiteral("Label8"), QStringLiteral("Label9"), QStringLiteral("Label10")},
                   {240, 296, 352}, {282, 341, 400}, 64);
    addButton1(183, 96);
    addGrid(QStringLiteral("StringGrid1"), 4, 18, {92, 96, 97, 92});
    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"),
                 QStringLiteral("Edit4"), QStringLiteral("Edit5"), QStringLiteral("Edit6"),
                 QStringLiteral("Edit7"), QStringLiteral("Edit8"), QStringLiteral("Button1")});
}

void TMForm::resizeStringGrid1(int columns, int rows, const std::vector<int>& widths)
{
    StringGrid1()->resizeTable(columns, rows, widths);
}

void TMForm::relabel(const QString& labelName, const QString& text)
{
    QLabel* l = label(labelName);
    l->setText(text);
    l->adjustSize();
}

void TMForm::FormCreate() { MeridianArcLabels(StringGrid1()->table()); }

void TMForm::Button1Click()
{
    const MeridianArcLatitudes latitudes = ReadMeridianArcLatitudes(inputs());
    latitudes_ = latitudes;
    compute([&] { ComputeMeridianArc(latitudes, StringGrid1()->table()); });
}

}  // namespace kvelta
