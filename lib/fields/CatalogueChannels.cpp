// The radio information and the zones with their channels.

#include "fields/FieldBuilders.h"

#include "fields/CrossFieldRules.h"

#include "app/AppSettings.h"
#include "sections/ChannelData.h"
#include "sections/ChannelRules.h"
#include "sections/ListMaintenance.h"

namespace Fields {

using namespace Build;
using Dir = CChannelData::Direction;

namespace {

// Fields the import may not change: the frequency range decides the band
// limits and the defaults, so it is chosen when the codeplug is made.
Field fixedText(const QString &key, std::function<QString(Doc &)> get)
{
    Field f;
    f.key = key;
    f.kind = Kind::Text;
    f.getText = [get](Doc &doc, At) { return get(doc); };
    f.setText = [key](Doc &, At, const QString &) {
        return Store::refused(Refuse::Fixed, QStringLiteral("%1 is fixed by the codeplug the import starts from").arg(key));
    };
    return f;
}

Field digitText(const QString &key, int maxDigits, QString (Doc::*get)() const, void (Doc::*set)(const QString &))
{
    return text<Doc>(key, Kind::Text, get, set, QStringLiteral("0123456789"), maxDigits);
}

Field asciiText(const QString &key, int width, QString (Doc::*get)() const, void (Doc::*set)(const QString &))
{
    Field f = text<Doc>(key, Kind::Text, get, set);
    f.setText = [set, width](Doc &doc, At, const QString &value) {
        if (value.size() > width || !std::all_of(value.begin(), value.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; }))
            return Store::refused(Refuse::Symbols, QStringLiteral("up to %1 ASCII characters are expected").arg(width));
        (doc.*set)(value);
        return Store{};
    };
    return f;
}

QString bandText(Doc &doc)
{
    QString hex;
    for (int i = 0x09; i <= 0x0C; ++i)
        hex += QStringLiteral("%1").arg(doc.image()[i], 2, 16, QLatin1Char('0')).toUpper();
    return hex;
}

Field frequency(const QString &key, Dir dir)
{
    Field f;
    f.key = key;
    f.kind = Kind::Frequency;
    f.getText = [dir](Doc &doc, At at) { return CChannelData(doc).GetFrequency(at.record, at.sub, dir); };
    f.setText = [dir](Doc &doc, At at, const QString &text) -> Store {
        const qint64 typed = FrequencyBcd::textToUnits(text);
        bool isNumber = false;
        text.toDouble(&isNumber);
        if (text.isEmpty() || typed < 0 || !isNumber) {
            return Store::refused(Refuse::Frequency, decimalCommaHint(text).value_or(QStringLiteral("a frequency in MHz is expected")));
        }
        // As the form enters it: outside the band, the nearer band limit.
        const int band = doc.CheckFreqInRange(text);
        const QString entered = band > 0 ? doc.GetFreqLimitText(1) : band < 0 ? doc.GetFreqLimitText(0) : text;
        uint8_t snapped[4];
        FrequencyBcd::fromText(entered, snapped);
        CChannelData channels(doc);
        const bool unchanged = FrequencyBcd::toUnits(snapped) == channels.GetFrequencyUnits(at.record, at.sub, dir);
        const QString stored = unchanged ? channels.GetFrequency(at.record, at.sub, dir)
                                         : CrossFieldRules::enterFrequency(doc, at.record, at.sub, dir == Dir::Transmit, entered);
        if (band != 0)
            return Store::corrected(QStringLiteral("%1 MHz is outside the band %2 - %3 MHz: stored as %4")
                                        .arg(text, doc.GetFreqLimitText(0), doc.GetFreqLimitText(1), stored));
        if (FrequencyBcd::toUnits(snapped) != typed)
            return Store::corrected(QStringLiteral("%1 snapped to the channel raster: %2").arg(text, stored));
        return Store{};
    };
    return f;
}

// A tone is one entry of the selector or none; a code no selector lists
// (an out-of-list CTCSS tone, a DCS code with a digit 8 or 9) is written as
// its digits print and stays as it is while the text keeps it.
Field tone(const QString &key, Dir dir)
{
    Field f;
    f.key = key;
    f.kind = Kind::Tone;
    // "none" rather than the language's text: one language lookup per tone would cost more than the rest.
    f.getText = [dir](Doc &doc, At at) { return CChannelData(doc).GetPrintedTone(at.record, at.sub, dir, QStringLiteral("none")); };
    f.setText = [dir](Doc &doc, At at, const QString &text) -> Store {
        const bool none = text.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0;
        const qsizetype entry = ToneCode::allTones().indexOf(text.toUpper());
        if (!none && entry < 0)
            return Store::refused(Refuse::Tone, decimalCommaHint(text).value_or(
                                                    QStringLiteral("\"%1\" is not a tone of the list: a CTCSS tone such as 67.0, "
                                                                   "a DCS code such as D023N or D023I, or none").arg(text)));
        CChannelData channels(doc);
        // The mixed modes have no "none" in their selectors: an unset tone is 67.0 there.
        if (none && CChannelData(doc).GetChannelMode(at.record, at.sub) < CChannelRules::kAnalogMode) {
            channels.SetTone(at.record, at.sub, dir, QString::fromLatin1(CChannelRules::kCompulsoryTone));
            return Store::corrected(QStringLiteral("a channel of a mixed mode needs a tone: stored as %1").arg(QLatin1String(CChannelRules::kCompulsoryTone)));
        }
        const QString wanted = none ? QString() : ToneCode::allTones()[entry];
        if (channels.GetPrintedTone(at.record, at.sub, dir, QString()) != wanted)
            channels.SetTone(at.record, at.sub, dir, wanted);
        return Store{};
    };
    return f;
}

// The mode decides the bandwidth: whatever is entered, the channel stores its mode's.
Field bandwidth()
{
    Field f = choice<CChannelData>(QStringLiteral("bandwidth"),
                                   {QStringLiteral("25_khz"), QStringLiteral("20_khz"), QStringLiteral("12_5_khz_analog"),
                                    QStringLiteral("12_5_khz")},
                                   &CChannelData::GetBandwidth, &CChannelData::SetBandwidth);
    f.setInt = [choices = f.choices](Doc &doc, At at, int value) -> Store {
        const int forced = CrossFieldRules::bandwidthFor(doc, at.record, at.sub);
        CChannelData(doc).SetBandwidth(at.record, at.sub, forced);
        if (forced != value)
            return Store::corrected(QStringLiteral("the channel's mode takes %1: stored as %1").arg(choices.value(forced)));
        return Store{};
    };
    f.followsOthers = true;
    return f;
}

Field zoneName()
{
    Field f = text<CChannelData>(QStringLiteral("name"), Kind::Text, &CChannelData::GetZoneName, &CChannelData::SetZoneName);
    f.setText = [](Doc &doc, At at, const QString &value) {
        return storeName(value, NameField::kNameUnits, [&](const QString &name) { CChannelData(doc).SetZoneName(at.record, name); });
    };
    f.isRecordName = true;
    return f;
}

Field channelName()
{
    Field f = text<CChannelData>(QStringLiteral("name"), Kind::Text, &CChannelData::GetChannelName, &CChannelData::SetChannelName);
    f.setText = [](Doc &doc, At at, const QString &value) {
        return storeName(value, NameField::kNameUnits,
                         [&](const QString &name) { CChannelData(doc).SetChannelName(at.record, at.sub, name); });
    };
    f.isRecordName = true;
    return f;
}

Field channelMode()
{
    Field f = choice<CChannelData>(QStringLiteral("mode"),
                                   {QStringLiteral("analog_digital"), QStringLiteral("digital_analog"),
                                    QStringLiteral("analog"), QStringLiteral("digital")},
                                   &CChannelData::GetChannelMode, &CChannelData::SetChannelMode);
    // The form's mode change: compulsory tones, the mode's bandwidth and
    // both colour codes follow; fields later in the record may override them.
    f.setInt = [](Doc &doc, At at, int mode) {
        CrossFieldRules::changeMode(doc, at.record, at.sub, mode);
        return Store{};
    };
    return f;
}

ListSchema channelList()
{
    ListSchema list;
    list.key = QStringLiteral("channels");
    list.kind = Target::Channel;
    list.count = [](Doc &doc, At zone) { return CChannelData(doc).CountChannels(zone.record); };
    list.capacity = [](Doc &, At) { return CChannelData::kChannelsPerZone; };
    list.resize = [](Doc &doc, At zone, int n) {
        CListMaintenance lists(doc);
        return resizeList(lists.channelCount(zone.record), n, [&] { return lists.addChannel(zone.record); },
                          [&](int last) { return lists.deleteChannel(zone.record, last); });
    };
    list.itemAt = [](At zone, int i) { return At{zone.record, i}; };
    list.name = [](Doc &doc, At at) { return CChannelData(doc).GetChannelName(at.record, at.sub); };
    list.bytes = [](Doc &doc, At at) {
        return std::make_pair(CChannelData(doc).channelOffset(at.record, at.sub), CChannelData::kChannelRecordSize);
    };
    using D = CChannelData;
    auto &f = list.record.fields;
    f.push_back(channelName());
    f.push_back(channelMode());
    f.push_back(frequency(QStringLiteral("rx_frequency"), Dir::Receive));
    f.push_back(frequency(QStringLiteral("tx_frequency"), Dir::Transmit));
    f.push_back(choice<D>(QStringLiteral("channel_type"), {QStringLiteral("direct"), QStringLiteral("repeater")},
                          &D::GetChannelType, &D::SetChannelType));
    f.push_back(choice<D>(QStringLiteral("power"), {QStringLiteral("low"), QStringLiteral("middle"), QStringLiteral("high")},
                          &D::GetPower, &D::SetPower));
    f.push_back(bandwidth());
    f.push_back(boolean<D>(QStringLiteral("auto_scan"), &D::GetAutoScan, &D::SetAutoScan));
    f.push_back(boolean<D>(QStringLiteral("beat_shift"), &D::GetBeatShift, &D::SetBeatShift));
    f.push_back(reference<D>(QStringLiteral("scan_list"), Target::ScanList, 16, &D::GetScanList, &D::SetScanList));
    // Analog.
    f.push_back(tone(QStringLiteral("rx_tone"), Dir::Receive));
    f.push_back(tone(QStringLiteral("tx_tone"), Dir::Transmit));
    f.push_back(choice<D>(QStringLiteral("bcl_mode"), {QStringLiteral("carrier"), QStringLiteral("ctcss_dcs"), QStringLiteral("off")},
                          &D::GetBclMode, &D::SetBclMode));
    f.push_back(choice<D>(QStringLiteral("tail_reversal_phase"), {QStringLiteral("120_degrees"), QStringLiteral("180_degrees")},
                          &D::GetTailReversalPhase, &D::SetTailReversalPhase));
    f.push_back(boolean<D>(QStringLiteral("turn_off_code"), &D::GetTurnOffCode, &D::SetTurnOffCode));
    f.push_back(reference<D>(QStringLiteral("ptt_online_code"), Target::EncodeSequence, 16, &D::GetPttOnlineCode, &D::SetPttOnlineCode));
    f.push_back(reference<D>(QStringLiteral("ptt_offline_code"), Target::EncodeSequence, 16, &D::GetPttOfflineCode, &D::SetPttOfflineCode));
    f.push_back(reference<D>(QStringLiteral("decode_sequence"), Target::DecodeSequence, 6, &D::GetDecodeSequence, &D::SetDecodeSequence));
    // Digital.
    f.push_back(choice<D>(QStringLiteral("polite_mode"),
                          {QStringLiteral("polite_to_all"), QStringLiteral("polite_to_same_colour_code"),
                           QStringLiteral("polite_to_other_colour_codes"), QStringLiteral("impolite")},
                          &D::GetPoliteMode, &D::SetPoliteMode));
    f.push_back(number<D>(QStringLiteral("rx_colour_code"), Kind::Int, &D::GetRxColourCode, &D::SetRxColourCode, 0, 63));
    f.push_back(number<D>(QStringLiteral("tx_colour_code"), Kind::Int, &D::GetTxColourCode, &D::SetTxColourCode, 0, 63));
    f.push_back(reference<D>(QStringLiteral("rx_group_list"), Target::RxGroup, 16, &D::GetRxGroupList, &D::SetRxGroupList));
    f.push_back(reference<D>(QStringLiteral("contact"), Target::Contact, 200, &D::GetContact, &D::SetContact));
    f.push_back(reference<D>(QStringLiteral("encryption_key"), Target::EncryptKey, 16, &D::GetEncrypt, &D::SetEncrypt));
    // A digital channel has no analog data, an analog one no digital data:
    // the form greys those fields, and the channel table their cells.
    const auto unusedIn = [](int mode) {
        return [mode](Doc &doc, At at) { return CChannelData(doc).GetChannelMode(at.record, at.sub) != mode; };
    };
    const QStringList analogData{QStringLiteral("rx_tone"), QStringLiteral("tx_tone"), QStringLiteral("bcl_mode"),
                                 QStringLiteral("tail_reversal_phase"), QStringLiteral("turn_off_code"),
                                 QStringLiteral("ptt_online_code"), QStringLiteral("ptt_offline_code"),
                                 QStringLiteral("decode_sequence")};
    const QStringList digitalData{QStringLiteral("polite_mode"), QStringLiteral("rx_colour_code"), QStringLiteral("tx_colour_code"),
                                  QStringLiteral("rx_group_list"), QStringLiteral("contact"), QStringLiteral("encryption_key")};
    for (Field &field : f) {
        if (analogData.contains(field.key))
            field.matters = unusedIn(CChannelRules::kDigitalMode);
        else if (digitalData.contains(field.key))
            field.matters = unusedIn(CChannelRules::kAnalogMode);
    }
    return list;
}

ListSchema zoneList()
{
    ListSchema list;
    list.key = QStringLiteral("zones");
    list.count = [](Doc &doc, At) { return CChannelData(doc).CountZones(); };
    list.capacity = [](Doc &doc, At) { return CChannelData(doc).zoneSlotCount(); };
    list.resize = [](Doc &doc, At, int n) {
        CListMaintenance lists(doc);
        return resizeList(lists.zoneCount(), n, [&] { return lists.addZone(); }, [&](int last) { return lists.deleteZone(last); });
    };
    list.itemAt = [](At, int i) { return At{i, 0}; };
    list.name = [](Doc &doc, At at) { return CChannelData(doc).GetZoneName(at.record); };
    list.bytes = [](Doc &doc, At at) { return std::make_pair(CChannelData(doc).zoneOffset(at.record), CChannelData::kZoneRecordSize); };
    list.record.fields.push_back(zoneName());
    list.record.lists.push_back(channelList());
    return list;
}

}

std::vector<SectionSchema> radioSections()
{
    SectionSchema radio;
    radio.key = QStringLiteral("radio");
    radio.offered = [](const Doc &) { return true; };
    auto &f = radio.record.fields;
    f.push_back(asciiText(QStringLiteral("model"), 8, &Doc::GetModel, &Doc::SetModel));
    f.push_back(fixedText(QStringLiteral("range_index"), [](Doc &doc) { return QString::number(doc.GetRangeIndex()); }));
    f.push_back(fixedText(QStringLiteral("band"), bandText));
    f.push_back(digitText(QStringLiteral("last_programmed"), 14, &Doc::GetLastProgramTime, &Doc::SetLastProgramTime));
    f.push_back(digitText(QStringLiteral("pc_software_version"), 4, &Doc::GetPcSoftwareVersion, &Doc::SetPcSoftwareVersion));
    f.push_back(digitText(QStringLiteral("hardware_version"), 4, &Doc::GetHardwareVersion, &Doc::SetHardwareVersion));
    f.push_back(asciiText(QStringLiteral("serial_number"), 15, &Doc::GetSerialNumber, &Doc::SetSerialNumber));
    radio.bytes = {{0x00, 0x70}};
    return {radio};
}

std::vector<SectionSchema> channelSections()
{
    SectionSchema zones;
    zones.key = QStringLiteral("zones");
    zones.offered = [](const Doc &) { return true; };
    zones.list = zoneList();
    return {zones};
}

}
