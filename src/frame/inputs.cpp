#include "frame/inputs.h"

#include "frame/angles.h"

#include <stdexcept>

namespace kvelta {

QString ShownDefault(const EditField& edit)
{
    QString text = edit.defaultText;
    if (edit.kind == EditKind::Real)
        text.replace(QLatin1Char(','), DecimalSeparator());
    return text;
}

const EditField* FindEdit(const std::vector<EditField>& edits, const QString& name)
{
    for (const EditField& edit : edits)
        if (edit.name == name)
            return &edit;
    return nullptr;
}

const EditField* FindEditOf(const std::vector<EditField>& edits, const QString& symbol, AnglePart part)
{
    for (const EditField& edit : edits)
        if (edit.symbol == symbol && edit.part == part && edit.kind != EditKind::Unused)
            return &edit;
    return nullptr;
}

Extended Inputs::number(const QString& name) const
{
    const EditField* edit = FindEdit(*edits_, name);
    if (!edit)
        edit = FindEditOf(*edits_, name, AnglePart::Whole);
    if (!edit || (edit->kind != EditKind::Real && edit->kind != EditKind::Integer))
        throw std::logic_error("no number edit " + name.toStdString());
    const QString typed = text(edit->name);
    return edit->kind == EditKind::Integer ? Extended(ParseInteger(typed)) : ParseReal(typed);
}

double Inputs::angle(const QString& symbol) const
{
    const EditField* degrees = FindEditOf(*edits_, symbol, AnglePart::Degrees);
    const EditField* minutes = FindEditOf(*edits_, symbol, AnglePart::Minutes);
    const EditField* seconds = FindEditOf(*edits_, symbol, AnglePart::Seconds);
    if (!degrees || !minutes || !seconds)
        throw std::logic_error("no angle " + symbol.toStdString());
    return ReadAngle(*this, degrees->name, minutes->name, seconds->name);
}

double ReadAngle(const Inputs& inputs, const QString& degreesEdit, const QString& minutesEdit,
                 const QString& secondsEdit)
{
    // The three texts are converted first; a value too large for a double overflows only when
    // the three are handed to DmsToDegrees.
    const Extended degrees = inputs.number(degreesEdit);
    const Extended minutes = inputs.number(minutesEdit);
    const Extended seconds = inputs.number(secondsEdit);
    return DmsToDegrees(ToDouble(degrees), ToDouble(minutes), ToDouble(seconds));
}

}  // namespace kvelta
