#include "frame/variants.h"

#include <cmath>

namespace kvelta {

const std::vector<MapSheet>& StandardSheets()
{
    static const std::vector<MapSheet> sheets{{10000, 225, 150},     {25000, 450, 300},     {50000, 900, 600},
                                              {100000, 1800, 1200},  {200000, 3600, 2400},  {500000, 10800, 7200},
                                              {1000000, 21600, 14400}};
    return sheets;
}

qint64 SheetSouthEdge(QRandomGenerator& random, const MapSheet& sheet)
{
    const qint64 first = (40 * 3600 + sheet.heightSeconds - 1) / sheet.heightSeconds;
    const qint64 last = (70 * 3600 - sheet.heightSeconds) / sheet.heightSeconds;
    return Between(random, first, last) * sheet.heightSeconds;
}

qint64 Between(QRandomGenerator& random, qint64 low, qint64 high)
{
    return low + static_cast<qint64>(random.bounded(static_cast<quint64>(high - low + 1)));
}

double Uniform(QRandomGenerator& random, double low, double high)
{
    return low + random.generateDouble() * (high - low);
}

TypedTexts AngleTexts(int firstEdit, qint64 units, int decimals)
{
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const qint64 wholeSeconds = units / scale;
    QString seconds = QString::number(wholeSeconds % 60);
    if (decimals > 0)
        seconds += QLatin1Char(',') + QStringLiteral("%1").arg(units % scale, decimals, 10, QLatin1Char('0'));
    auto edit = [&](int offset) { return QStringLiteral("Edit%1").arg(firstEdit + offset); };
    return {{edit(0), QString::number(wholeSeconds / 3600)},
            {edit(1), QString::number(wholeSeconds / 60 % 60)},
            {edit(2), seconds}};
}

TypedTexts AngleTexts(int firstEdit, double degrees, int decimals)
{
    return AngleTexts(firstEdit, std::llround(degrees * 3600 * std::pow(10.0, decimals)), decimals);
}

QString CommaNumber(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

TypedTexts Join(std::initializer_list<TypedTexts> parts)
{
    TypedTexts all;
    for (const TypedTexts& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace kvelta
