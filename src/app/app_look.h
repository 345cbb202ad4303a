#pragma once
// What makes every window of the program look like ours.

#include <QIcon>

class QApplication;

namespace kvelta {

// The program's icon (data/icons), in every size it ships.
QIcon KveltaIcon();

// The interface is Russian: Qt's own translations for the standard dialogs, and the few texts
// Debian's qtbase_ru lacks (the file dialog's "Folder", "File", "Drive").
void InstallRussianTranslations(QApplication& app);

}  // namespace kvelta
