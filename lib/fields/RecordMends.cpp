#include "fields/RecordMends.h"

#include "codeplug/CPcSoftwareDoc.h"
#include "fields/FieldCatalogue.h"
#include "sections/AnalogEmergencyData.h"
#include "sections/ChannelRules.h"
#include "sections/ContactRules.h"
#include "sections/EmergencyData.h"
#include "sections/EmergencyRules.h"
#include "sections/ScanData.h"
#include "sections/ScanListRules.h"

#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <vector>

namespace Mends {

namespace {

QString pairText(ChannelRef ref)
{
    return QStringLiteral("[%1, %2]").arg(ref.zone).arg(ref.channel);
}

// The bytes a mend may touch, read before it runs: whether it changed any
// is told by the bytes, not by the values decoded from them (a byte the
// decoder reads as "none" may still be rewritten).
class Watch
{
public:
    Watch(const CPcSoftwareDoc &doc, int offset = 0, int length = kSectionAreaSize)
        : m_doc(doc), m_offset(offset), m_before(doc.image() + offset, doc.image() + offset + length)
    {
    }
    bool changed() const { return !std::equal(m_before.begin(), m_before.end(), m_doc.image() + m_offset); }

private:
    const CPcSoftwareDoc &m_doc;
    int m_offset;
    std::vector<uint8_t> m_before;
};

// Whether the mend changed bytes, told by the bytes themselves.
void finish(Result &result, const Watch &watch)
{
    result.bytesChanged = watch.changed();
    if (!result.bytesChanged)
        result.corrections.clear();
}

// The texts of what changed between two readings of the same values.
void noteChange(QStringList &notes, const QString &what, const QString &before, const QString &after)
{
    if (before != after)
        notes << QStringLiteral("%1 %2 is corrected to %3").arg(what, before, after);
}

// A bandwidth as the YAML codeplug names it ("12_5_khz_analog").
QString bandwidthText(int value)
{
    const Fields::RecordSchema *record = Fields::recordSchema(QStringLiteral("zones.channels"));
    const Fields::Field *field = record ? Fields::findField(*record, QStringLiteral("bandwidth")) : nullptr;
    return field && value >= 0 && value < field->choices.size() ? field->choices[value] : QString::number(value);
}

bool channelInUse(const CChannelData &channels, int zone, int channel)
{
    return zone >= 1 && zone <= channels.CountZones() && channel >= 1 && channel <= channels.CountChannels(zone)
           && channels.ChannelExists(zone, channel);
}

}

Result channel(CPcSoftwareDoc &doc, int zone, int channel)
{
    Result result;
    CChannelData channels(doc);
    CChannelRules rules(doc);
    if (!channelInUse(channels, zone, channel) || !rules.breaksModeRules(zone, channel))
        return result;
    using Direction = CChannelData::Direction;
    const Watch watch(doc, channels.channelOffset(zone, channel), CChannelData::kChannelRecordSize);
    const QString none = QStringLiteral("none");
    const QString rxBefore = channels.GetTone(zone, channel, Direction::Receive, none);
    const QString txBefore = channels.GetTone(zone, channel, Direction::Transmit, none);
    const int bandwidthBefore = channels.GetBandwidth(zone, channel);
    rules.applyModeRules(zone, channel);
    noteChange(result.corrections, QStringLiteral("the channel's mode needs a receive tone:"), rxBefore,
               channels.GetTone(zone, channel, Direction::Receive, none));
    noteChange(result.corrections, QStringLiteral("the channel's mode needs a transmit tone:"), txBefore,
               channels.GetTone(zone, channel, Direction::Transmit, none));
    noteChange(result.corrections, QStringLiteral("the channel's mode takes its own bandwidth:"), bandwidthText(bandwidthBefore),
               bandwidthText(channels.GetBandwidth(zone, channel)));
    finish(result, watch);
    return result;
}

Result scanList(CPcSoftwareDoc &doc, int list)
{
    Result result;
    const CScanData scans(doc);
    if (list < 1 || list > scans.CountLists())
        return result;
    const Watch watch(doc, scans.recordOffset(list), CScanData::kRecordSize);
    CScanListRules(doc).clearUnsetChannelPairs(list);
    finish(result, watch);
    return result;
}

Result contacts(CPcSoftwareDoc &doc)
{
    Result result;
    const Watch watch(doc);
    CContactRules rules(doc);
    const bool gapped = rules.usedContacts().size() != rules.count();
    const int kept = rules.compact();
    if (gapped)
        result.corrections << QStringLiteral("the gaps between contacts are closed: the %1 contacts in use are now 1..%1").arg(kept);
    finish(result, watch);
    return result;
}

namespace {

struct ReplyReading
{
    bool flag = false;
    ChannelRef ref;
    bool operator==(const ReplyReading &) const = default;
};

ReplyReading digitalReply(CPcSoftwareDoc &doc)
{
    const CEmergencyData data(doc);
    return {data.GetReplyChannelSet(), data.GetReplyChannelRef()};
}

ReplyReading analogReply(CPcSoftwareDoc &doc)
{
    const CAnalogEmergencyData data(doc);
    return {data.GetDesignatedReplyChannel(), data.GetReplyChannelRef()};
}

// Only what a user sees: a reply channel that was chosen, and the flag.
void noteReply(QStringList &notes, const ReplyReading &before, const ReplyReading &after, const QString &kind)
{
    if (before.ref.isSet() && after.ref != before.ref)
        notes << QStringLiteral("reply channel %1 is not a named %2 channel: reset to none").arg(pairText(before.ref), kind);
    else if (before.flag && !after.flag)
        notes << QStringLiteral("the reply channel flag is switched off: no %1 reply channel is chosen").arg(kind);
}

}

Result digitalEmergency(CPcSoftwareDoc &doc)
{
    Result result;
    const Watch watch(doc);
    CEmergencyRules rules(doc);
    const ReplyReading replyBefore = digitalReply(doc);
    rules.checkDigitalReply();
    noteReply(result.corrections, replyBefore, digitalReply(doc), QStringLiteral("digital"));
    const QString idBefore = CEmergencyData(doc).GetEmergencyCallId();
    rules.checkEmergencyId();
    const QString idAfter = CEmergencyData(doc).GetEmergencyCallId();
    if (idAfter != idBefore)
        result.corrections << QStringLiteral("emergency ID %1 is not offered: stored as %2").arg(idBefore, idAfter);
    finish(result, watch);
    return result;
}

Result analogEmergency(CPcSoftwareDoc &doc)
{
    Result result;
    const Watch watch(doc);
    const ReplyReading before = analogReply(doc);
    CEmergencyRules(doc).checkAnalogReply();
    noteReply(result.corrections, before, analogReply(doc), QStringLiteral("analog"));
    finish(result, watch);
    return result;
}

Result digitalEmergencyAfterEdit(CPcSoftwareDoc &doc)
{
    Result result;
    const Watch watch(doc);
    const ReplyReading before = digitalReply(doc);
    CEmergencyRules(doc).resetUnacceptedDigitalReply();
    noteReply(result.corrections, before, digitalReply(doc), QStringLiteral("digital"));
    finish(result, watch);
    return result;
}

Result analogEmergencyAfterEdit(CPcSoftwareDoc &doc)
{
    Result result;
    const Watch watch(doc);
    const ReplyReading before = analogReply(doc);
    CEmergencyRules(doc).resetUnacceptedAnalogReply();
    noteReply(result.corrections, before, analogReply(doc), QStringLiteral("analog"));
    finish(result, watch);
    return result;
}

QList<Correction> mendChanged(CPcSoftwareDoc &doc, const Image &before)
{
    // The records whose bytes changed, by their paths. A section of several
    // ranges (or a list mended as a whole) is mended once.
    QStringList changed;
    const auto differs = [&](int offset, int length) {
        const uint8_t *now = doc.image() + offset;
        return !std::equal(now, now + length, before.begin() + offset);
    };
    Fields::Walker walker;
    walker.record = [&](const QString &path, int offset, int length) {
        if (differs(offset, length) && !changed.contains(path))
            changed << path;
    };
    Fields::walk(doc, walker);

    static const QRegularExpression channelPath(QStringLiteral("^zones\\[(\\d+)\\]\\.channels\\[(\\d+)\\]$"));
    static const QRegularExpression scanPath(QStringLiteral("^scan_lists\\[(\\d+)\\]$"));
    QList<Correction> corrections;
    const auto note = [&corrections](const QString &path, const Result &result) {
        for (const QString &text : result.corrections)
            corrections.append(Correction{path, text});
    };
    for (const QString &path : std::as_const(changed)) {
        if (const auto m = channelPath.match(path); m.hasMatch()) {
            note(path, channel(doc, m.captured(1).toInt(), m.captured(2).toInt()));
        } else if (const auto s = scanPath.match(path); s.hasMatch()) {
            note(path, scanList(doc, s.captured(1).toInt()));
        } else if (path == QLatin1String("digital_emergency")) {
            // As an edit in the open form: a ticked flag waits for its channel.
            note(path, digitalEmergencyAfterEdit(doc));
        } else if (path == QLatin1String("analog_emergency")) {
            note(path, analogEmergencyAfterEdit(doc));
        }
    }
    return corrections;
}

Result changeContacts(CPcSoftwareDoc &doc, const std::function<void()> &change)
{
    const auto before = std::make_unique<Image>(doc.currentImage());
    Result mended = contacts(doc);
    if (!mended) {
        change();
        return mended;
    }
    const auto afterMend = std::make_unique<Image>(doc.currentImage());
    change();
    if (doc.currentImage() == *afterMend) {
        doc.currentImage() = *before;
        return {};
    }
    return mended;
}

}
