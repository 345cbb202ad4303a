#include "gauss_kruger/gk_forms.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kvelta {

namespace {

void SetLabelWidth(QLabel* label, int width) { label->resize(width, label->height()); }

}  // namespace

TPTGKForm::TPTGKForm(QWidget* parent) : TMForm(parent)
{
    setObjectName(QStringLiteral("PTGKForm"));
    setWindowTitle(QStringLiteral("Вычисление прямоугольных координат Гаусса-Крюгера по геодезическим"));
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
    resizeStringGrid1(2, 24, {153, 137});
    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"),
                 QStringLiteral("Edit4"), QStringLiteral("Edit5"), QStringLiteral("Edit6"),
                 QStringLiteral("Edit7"), QStringLiteral("Edit8"), QStringLiteral("Button1"),
                 QStringLiteral("Edit9"), QStringLiteral("Edit10"), QStringLiteral("Edit11")});
}

void TPTGKForm::FormCreate() { GeodeticToGaussKrugerLabels(StringGrid1()->table()); }

void TPTGKForm::Button1Click()
{
    const GeodeticInput in = ReadGeodeticInput(inputs());
    compute([&] { GeodeticToGaussKruger(in.B, in.L, in.Lo, StringGrid1()->table()); });
}

TGKTPForm::TGKTPForm(QWidget* parent) : TMForm(parent)
{
    setObjectName(QStringLiteral("GKTPForm"));
    setWindowTitle(QStringLiteral("Вычисление геодезических координат по прямоугольным коорд. Гаусса-Крюгера"));
    label(QStringLiteral("Label5"))->setText(QStringLiteral("Lo"));
    SetLabelWidth(label(QStringLiteral("Label5")), 15);
    edit(QStringLiteral("Edit3"))->setText(QStringLiteral("21"));
    // The second angle triple of the base layout is not used here.
    for (const char* name : {"Label7", "Label8", "Label9", "Label10"})
        label(QString::fromLatin1(name))->hide();
    for (const char* name : {"Edit6", "Edit7", "Edit8"})
        edit(QString::fromLatin1(name))->hide();
    addLabel(QStringLiteral("Label11"), QStringLiteral("X,м"), 8, 100, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit9"), 40, 96, 121, LocalDecimal(QStringLiteral("5728374,726")));
    addLabel(QStringLiteral("Label12"), QStringLiteral("Y,м"), 256, 100, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit10"), 288, 96, 121, LocalDecimal(QStringLiteral("210198,193")));
    button()->move(295, 64);
    resizeStringGrid1(2, 27, {154, 155});
    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"),
                 QStringLiteral("Edit4"), QStringLiteral("Edit5"), QStringLiteral("Edit9"),
                 QStringLiteral("Edit10"), QStringLiteral("Button1"), QStringLiteral("Edit6"),
                 QStringLiteral("Edit7"), QStringLiteral("Edit8")});
}

void TGKTPForm::FormCreate() { GaussKrugerToGeodeticLabels(StringGrid1()->table()); }

void TGKTPForm::Button1Click()
{
    const PlaneInput in = ReadPlaneInput(inputs());
    compute([&] { GaussKrugerToGeodetic(in.x, in.y, in.Lo, StringGrid1()->table()); });
}

TPreobrazForm::TPreobrazForm(QWidget* parent) : TaskForm(parent)
{
    setObjectName(QStringLiteral("PreobrazForm"));
    setWindowTitle(QStringLiteral("Преобразование прямоугольных коорд. Гаусса-Крюгера из одной зоны в другую"));
    resize(446, 317);
    setPanelHeight(114);
    addStudentFields();
    addLabel(QStringLiteral("Label3"), QStringLiteral("Lo"), 16, 68, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit3"), 40, 64, 41, QStringLiteral("21"));
    addLabel(QStringLiteral("Label4"), QStringLiteral("o"), 82, 63);
    addLabel(QStringLiteral("Label5"), QStringLiteral("Lo'"), 16, 92, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit4"), 40, 88, 41, QStringLiteral("27"));
    addLabel(QStringLiteral("Label6"), QStringLiteral("o"), 82, 87);
    addLabel(QStringLiteral("Label7"), QStringLiteral("X"), 104, 68, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit5"), 128, 64, 129, LocalDecimal(QStringLiteral("5728374,726")));
    addLabel(QStringLiteral("Label8"), QStringLiteral("Y"), 104, 92, LabelStyle::BoldMaroon);
    addEdit(QStringLiteral("Edit6"), 128, 88, 129, LocalDecimal(QStringLiteral("210198,193")));
    addButton1(271, 64);
    addPage(QStringLiteral("Первый этап"), QStringLiteral("StringGrid1"), 2, 27, {138, 142});
    addPage(QStringLiteral("Второй этап"), QStringLiteral("StringGrid2"), 2, 24, {142, 158});
    setTabOrder({QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3"),
                 QStringLiteral("Edit4"), QStringLiteral("Button1"), QStringLiteral("Edit5"),
                 QStringLiteral("Edit6")});
}

void TPreobrazForm::FormCreate()
{
    GaussKrugerToGeodeticLabels(StringGrid1()->table());
    GeodeticToGaussKrugerLabels(StringGrid2()->table());
}

void TPreobrazForm::Button1Click()
{
    const ZoneTransferInput in = ReadZoneTransferInput(inputs());
    compute([&] { ComputeZoneTransfer(in, StringGrid1()->table(), StringGrid2()->table()); });
}

}  // namespace kvelta
