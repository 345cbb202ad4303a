#include "gauss_kruger/zone_transfer.h"

#include "frame/angles.h"

namespace kvelta {

namespace {

double ReadMeridian(const Inputs& inputs, const QString& edit)
{
    return DmsToDegrees(inputs.real(edit), 0, 0);
}

}  // namespace

ZoneTransferInput ReadZoneTransferInput(const Inputs& inputs)
{
    ZoneTransferInput in;
    in.Lo = ReadMeridian(inputs, QStringLiteral("L0"));
    in.x = inputs.real(QStringLiteral("x"));
    in.y = inputs.real(QStringLiteral("y"));
    in.LoPrime = ReadMeridian(inputs, QStringLiteral("L0'"));
    return in;
}

PlaneCoordinates ComputeZoneTransfer(const ZoneTransferInput& in, ResultTable& first, ResultTable& second)
{
    const GeodeticCoordinates point = GaussKrugerToGeodetic(in.x, in.y, in.Lo, first);
    return GeodeticToGaussKruger(point.B, point.L, in.LoPrime, second);
}

}  // namespace kvelta
