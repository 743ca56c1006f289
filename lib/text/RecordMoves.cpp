#include "text/RecordMoves.h"

#include "sections/ChannelData.h"
#include "sections/ContactData.h"

namespace RecordMoves {

using namespace Fields;

bool isNamed(Target target)
{
    switch (target) {
    case Target::Channel:
    case Target::ScanList:
    case Target::RxGroup:
    case Target::Contact:
    case Target::EncryptKey:
        return true;
    default:
        return false;
    }
}

Names namesOf(CPcSoftwareDoc &doc, Target target)
{
    Names names;
    if (target == Target::Channel) {
        const CChannelData channels(doc);
        for (int zone = 1; zone <= channels.CountZones(); ++zone) {
            const QString zoneName = channels.GetZoneName(zone);
            for (int channel = 1; channel <= channels.CountChannels(zone); ++channel)
                names.insert(pos(zone, channel), zoneName + kZoneSeparator + channels.GetChannelName(zone, channel));
        }
        return names;
    }
    const int bound = target == Target::Contact ? CContactData::kContactCount : 16;
    for (int i = 1; i <= bound; ++i) {
        if (targetExists(doc, target, i))
            names.insert(pos(i), targetName(doc, target, i));
    }
    return names;
}

namespace {

// Each name with the one place that holds it, or -1 when several do.
QHash<QString, Pos> uniquePlaces(const Names &names)
{
    QHash<QString, Pos> places;
    for (auto it = names.cbegin(); it != names.cend(); ++it) {
        const auto found = places.find(it.value());
        if (found == places.end())
            places.insert(it.value(), it.key());
        else
            found.value() = -1;
    }
    return places;
}

}

QHash<Pos, Pos> moves(const Names &before, const Names &after)
{
    QHash<Pos, Pos> moved;
    if (before == after)
        return moved;
    const QHash<QString, Pos> placesBefore = uniquePlaces(before);
    const QHash<QString, Pos> placesAfter = uniquePlaces(after);
    // A channel whose zone was renamed, or which went to another zone, is
    // found by its own name when that is unique on both sides.
    const auto ownNames = [](const Names &names) {
        Names own;
        for (auto it = names.cbegin(); it != names.cend(); ++it) {
            if (const qsizetype cut = it.value().indexOf(kZoneSeparator); cut >= 0)
                own.insert(it.key(), it.value().mid(cut + 1));
        }
        return uniquePlaces(own);
    };
    const QHash<QString, Pos> ownBefore = ownNames(before);
    const QHash<QString, Pos> ownAfter = ownNames(after);
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const Pos from = it.key();
        const QString &name = it.value();
        const QString own = name.mid(name.indexOf(kZoneSeparator) + 1);
        Pos to = 0;
        const auto there = placesAfter.find(name);
        if (there != placesAfter.end() && there.value() >= 0 && placesBefore.value(name) >= 0) {
            to = there.value();
        } else if (there == placesAfter.end() && name.contains(kZoneSeparator) && ownBefore.value(own, -1) > 0
                   && ownAfter.value(own, -1) > 0) {
            to = ownAfter.value(own);
        } else if (there != placesAfter.end()) {
            to = after.contains(from) ? from : 0;  // a name of several records: by place
        } else if (after.contains(from) && !placesBefore.contains(after.value(from))) {
            to = from;  // renamed in place
        }
        if (to != from)
            moved.insert(from, to);
    }
    return moved;
}

}
