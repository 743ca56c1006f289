#include "codeplug/FreqRangeCheck.h"

#include "app/AppSettings.h"

#include <algorithm>

namespace {

constexpr int kEdgeDigits = 4;

QString entryValue(const AppSettings &settings, int n)
{
    // The buffer the document reads the entry with.
    return settings.setting(QStringLiteral("FreqRange"), QStringLiteral("data%1").arg(n), 32);
}

}

namespace FreqRangeCheck {

QString whyNotUsable(const QString &data)
{
    const QString edges = data.left(2 * kEdgeDigits);
    const bool digits = edges.size() == 2 * kEdgeDigits
        && std::all_of(edges.begin(), edges.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
    if (!digits)
        return QStringLiteral("it needs eight digits, the lower and upper band edge in MHz (for example 04000470)");
    const int lower = edges.left(kEdgeDigits).toInt();
    const int upper = edges.mid(kEdgeDigits).toInt();
    if (lower >= upper)
        return QStringLiteral("the lower edge %1 MHz is not below the upper edge %2 MHz").arg(lower).arg(upper);
    return QString();
}

QString entryProblem(const AppSettings &settings, int n)
{
    const QString data = entryValue(settings, n);
    if (data.isEmpty())
        return QString();
    const QString why = whyNotUsable(data);
    if (why.isEmpty())
        return QString();
    return QStringLiteral("setting.ini [FreqRange] %1 is not a usable band: %2").arg(entryText(settings, n), why);
}

QList<int> unusableEntries(const AppSettings &settings)
{
    QList<int> found;
    for (int n = 0; n < kEntryCount; ++n) {
        const QString data = entryValue(settings, n);
        if (data.isEmpty())
            break;
        if (!whyNotUsable(data).isEmpty())
            found << n;
    }
    return found;
}

QString entryText(const AppSettings &settings, int n)
{
    return QStringLiteral("data%1=%2").arg(n).arg(entryValue(settings, n));
}

}
