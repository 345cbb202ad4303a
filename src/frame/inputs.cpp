#include "frame/inputs.h"

#include "frame/angles.h"

namespace kvelta {

double ReadAngle(const Inputs& inputs, const QString& degreesEdit, const QString& minutesEdit,
                 const QString& secondsEdit, DegreeMinuteKind kind)
{
    // The three texts are converted first; a value too large for a double overflows only when
    // the three are handed to DmsToDegrees.
    Extended degrees, minutes;
    if (kind == DegreeMinuteKind::Integer) {
        degrees = inputs.integer(degreesEdit);
        minutes = inputs.integer(minutesEdit);
    } else {
        degrees = inputs.realExtended(degreesEdit);
        minutes = inputs.realExtended(minutesEdit);
    }
    const Extended seconds = inputs.realExtended(secondsEdit);
    return DmsToDegrees(ToDouble(degrees), ToDouble(minutes), ToDouble(seconds));
}

}  // namespace kvelta
