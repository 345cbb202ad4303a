#pragma once
// What makes every window of the program look like ours.

#include <QIcon>

namespace kvelta {

// The program's icon (data/icons), in every size it ships.
QIcon KveltaIcon();

}  // namespace kvelta
