#pragma once
// The three Gauss–Krüger windows: geodetic → plane and plane → geodetic, both built on the
// meridian-arc window's layout, and the zone-to-zone transfer with one page per stage.

#include "ellipsoid/tm_form.h"

namespace kvelta {

// Geodetic B, L and the axial meridian Lo to plane x, y.
class TPTGKForm : public TMForm {
    Q_OBJECT
public:
    explicit TPTGKForm(QWidget* parent = nullptr);
};

// Plane x, y and the axial meridian Lo to geodetic B, L.
class TGKTPForm : public TMForm {
    Q_OBJECT
public:
    explicit TGKTPForm(QWidget* parent = nullptr);
};

// Plane coordinates of one zone into another: first stage on "Первый этап", second on
// "Второй этап".
class TPreobrazForm : public TaskForm {
    Q_OBJECT
public:
    explicit TPreobrazForm(QWidget* parent = nullptr);

    ResultGrid* StringGrid1() const { return grid(QStringLiteral("StringGrid1")); }
    ResultGrid* StringGrid2() const { return grid(QStringLiteral("StringGrid2")); }
};

}  // namespace kvelta
