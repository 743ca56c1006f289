#pragma once

#include <QString>
#include <QStringList>

class AppSettings;

// The one rule for the band entries of setting.ini [FreqRange]: an entry
// "dataN" is a usable band when its first eight characters are decimal
// digits and the lower band edge (the first four, in MHz) lies below the
// upper edge (the next four). Further characters are ignored, as the
// document ignores them.
namespace FreqRangeCheck {

constexpr int kEntryCount = 16;

// Empty when data is a usable band, otherwise the reason
// ("it needs eight digits", "the lower edge 470 MHz is not below the upper edge 400 MHz").
QString whyNotUsable(const QString &data);

// One line naming entry n when it is present but unusable, for example
// "setting.ini [FreqRange] data6=abc is not a usable band: it needs eight digits".
// Empty for a usable or a missing entry.
QString entryProblem(const AppSettings &settings, int n);

// The numbers of the unusable entries among those the program offers
// (data0 up to the first missing or empty one).
QList<int> unusableEntries(const AppSettings &settings);
// "data6=abc", for messages.
QString entryText(const AppSettings &settings, int n);

}
