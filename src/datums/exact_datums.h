#pragma once
// The rigorous counterpart of the datum chain: B, L, H ↔ X, Y, Z on each ellipsoid by
// GeographicLib's Geocentric, a forward Helmert transformation as the standard writes it, and a
// reverse one by the exact inverse of the forward matrix (not by the parameters' signs changed).

#include "datums/datums.h"
#include "rigorous/geodesy.h"

namespace kvelta::rigorous {

// The exact inverse of Helmert(·, t).
Xyz HelmertInverse(const Xyz& p, const HelmertParameters& t);

struct DatumValues {
    RigorousValue B, L, H;  // degrees, metres
};
DatumValues ExactDatumChain(const Blh& start, DatumDirection direction);

}  // namespace kvelta::rigorous
