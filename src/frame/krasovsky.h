#pragma once
// Kept for the files that still include it by this name: the constants are in
// frame/ellipsoid_constants.h and ρ in frame/angles.h.

#include "frame/angles.h"
#include "frame/ellipsoid_constants.h"
