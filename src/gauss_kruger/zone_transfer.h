#pragma once
// Transfer of Gauss–Krüger coordinates from the zone of axial meridian Lo into the zone of Lo′:
// the inverse series gives B and L, the forward series takes them into the other zone.

#include "gauss_kruger/gauss_kruger.h"

namespace kvelta {

// The axial meridians are whole numbers of degrees (a fraction allowed), no minutes or seconds.
struct ZoneTransferInput {
    double Lo = 0;       // L0
    double x = 0;
    double y = 0;
    double LoPrime = 0;  // L0'
};

// Converts every input, L0, x, y, then L0', before anything is written, so that
// a bad Lo′ cannot leave a new first stage beside a stale second one.
ZoneTransferInput ReadZoneTransferInput(const Inputs& inputs);

// First stage into `first` (2 × 27), second into `second` (2 × 24); B and L pass between them
// as the doubles the first stage computed. Returns x′, y′.
PlaneCoordinates ComputeZoneTransfer(const ZoneTransferInput& input, ResultTable& first, ResultTable& second);

}  // namespace kvelta
