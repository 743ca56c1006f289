#include "sections/ListRules.h"

#include "app/Prompter.h"
#include "codeplug/Encodings.h"
#include "sections/ChannelData.h"

#include <QSet>
#include <cstring>

namespace ListRules {

QString firstFreeName(const QString &pattern, int capacity, const QStringList &used)
{
    // A set: a list that grows one record at a time asks for every addition.
    const QSet<QString> taken(used.begin(), used.end());
    for (int n = 1; n <= capacity; ++n) {
        const QString candidate = pattern.arg(n);
        if (!taken.contains(candidate))
            return candidate;
    }
    return pattern.arg(capacity + 1);
}

QString uniqueName(const QString &name, int units, const QStringList &used)
{
    const QSet<QString> taken(used.begin(), used.end());
    QString whole = NameField::truncated(name, units);
    // A cut that ends on a space drops it: "Hill Repeater", not "Hill Repeater ".
    while (whole.size() < name.size() && whole.size() > 1 && whole.endsWith(u' '))
        whole.chop(1);
    if (!taken.contains(whole))
        return whole;
    // used.size() + 2 numbers cannot all be taken.
    for (qsizetype n = 2; n <= used.size() + 2; ++n) {
        const QString suffix = QStringLiteral(" %1").arg(n);
        QString base = NameField::truncated(name, units - int(suffix.size()));
        while (base.endsWith(u' '))
            base.chop(1);  // "Mount Hood 2", not "Mount Hood  2"
        const QString candidate = base + suffix;
        if (!taken.contains(candidate))
            return candidate;
    }
    return whole;
}

bool acceptName(const QString &text, const QStringList &others, Prompter &prompter)
{
    if (text.isEmpty())
        return false;
    // Compare what would be stored: two names that differ only past the
    // field width would otherwise end up equal.
    if (others.contains(NameField::truncated(text, NameField::kNameUnits))) {
        tellError(prompter, "IDS_EXIST_NAME");
        return false;
    }
    return true;
}

int afterRemoval(int ref, int removed)
{
    if (ref <= 0 || ref == removed)
        return 0;
    return ref > removed ? ref - 1 : ref;
}

int afterInsertion(int ref, int inserted, int bound)
{
    if (ref <= 0)
        return 0;
    if (ref < inserted)
        return ref;
    return ref + 1 <= bound ? ref + 1 : 0;
}

void forEachUsedChannel(CPcSoftwareDoc &doc, const std::function<void(CChannelData &, int, int)> &visit)
{
    CChannelData channels(doc);
    const int zones = channels.CountZones();
    for (int zone = 1; zone <= zones; ++zone) {
        const int count = channels.CountChannels(zone);
        for (int channel = 1; channel <= count; ++channel)
            visit(channels, zone, channel);
    }
}

void copyImageBytes(CPcSoftwareDoc &doc, int from, int to, int count)
{
    const auto inside = [](int offset, int width) { return offset >= 0 && width >= 0 && offset + width <= kImageSize; };
    if (inside(from, count) && inside(to, count))
        std::memmove(doc.image() + to, doc.image() + from, size_t(count));
}

void moveNumberedRecord(CPcSoftwareDoc &doc, int from, int to)
{
    constexpr int kBodyOffset = 1;
    constexpr int kBodyBytes = 4 + 2 * NameField::kNameUnits;
    if (from >= 0 && to >= 0)
        copyImageBytes(doc, from + kBodyOffset, to + kBodyOffset, kBodyBytes);
}

void tellError(Prompter &prompter, const char *textKey)
{
    prompter.tell(QString::fromLatin1(textKey), QStringLiteral("IDS_PROMPT"), Prompt::Icon::Error);
}

}
