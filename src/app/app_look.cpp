#include "app/app_look.h"

static void InitIconResource() { Q_INIT_RESOURCE(icons); }

namespace kvelta {

QIcon KveltaIcon()
{
    InitIconResource();
    QIcon icon;
    for (const char* size : {"48", "64", "128", "256"})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(size)));
    return icon;
}

}  // namespace kvelta
