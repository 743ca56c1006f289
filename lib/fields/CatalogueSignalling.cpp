// Emergency, DTMF and 5-tone signalling, the encode and decode sequences and
// the display control.

#include "fields/FieldBuilders.h"

#include "fields/CrossFieldRules.h"

#include "app/AppSettings.h"
#include "sections/5ToneSystemData.h"
#include "sections/AnalogEmergencyData.h"
#include "sections/DecodeSequenceData.h"
#include "sections/DisplayControlData.h"
#include "sections/DtmfData.h"
#include "sections/EmergencyData.h"
#include "sections/EncodeSequenceData.h"

namespace Fields {

using namespace Build;

namespace {

SectionSchema section(const QString &key, std::vector<std::pair<int, int>> bytes,
                    std::function<bool(const Doc &)> offered = [](const Doc &) { return true; })
{
    SectionSchema s;
    s.key = key;
    s.offered = std::move(offered);
    s.bytes = std::move(bytes);
    return s;
}

bool modelIn(const Doc &doc, std::initializer_list<const char *> models)
{
    const QString model = doc.settings().modelName();
    return std::any_of(models.begin(), models.end(), [&](const char *m) { return model == QLatin1String(m); });
}

// A sequence as its form enters it: upper case, kept up to the first symbol
// the signalling does not have and cut to its length, a correction when
// anything was dropped.
Store enterSequence(const QString &value, const QString &symbols, int maxLength, QString &kept)
{
    const QString upper = value.toUpper();
    kept.clear();
    for (QChar c : upper) {
        if (!symbols.contains(c) || kept.size() == maxLength)
            break;
        kept += c;
    }
    if (kept == upper)
        return Store{};
    return Store::corrected(QStringLiteral("only up to %1 of the symbols %2 are kept: stored as \"%3\"").arg(maxLength).arg(symbols, kept));
}

Field sevenDigitId(const QString &key, QString (CEmergencyData::*get)() const, void (CEmergencyData::*set)(const QString &))
{
    Field f = text<CEmergencyData>(key, Kind::Text, get, set, QStringLiteral("0123456789"), 7);
    f.setText = [set](Doc &doc, At, const QString &value) -> Store {
        if (value.isEmpty())
            return Store::refused(Refuse::Symbols, QStringLiteral("an ID of up to 7 digits is expected"));
        CEmergencyData data(doc);
        (data.*set)(value);
        return Store{};
    };
    return f;
}

const QStringList &emergencyKinds()
{
    static const QStringList kinds{QStringLiteral("alarm_only"), QStringLiteral("alarm_with_call"),
                                   QStringLiteral("alarm_with_voice"), QStringLiteral("off")};
    return kinds;
}

SectionSchema digitalEmergency()
{
    using D = CEmergencyData;
    SectionSchema s = section(QStringLiteral("digital_emergency"), {{0x4C10, 10}});
    auto &f = s.record.fields;
    f.push_back(choice<D>(QStringLiteral("type"), emergencyKinds(), &D::GetEmergencyType, &D::SetEmergencyType));
    f.push_back(choice<D>(QStringLiteral("mode"), {QStringLiteral("regular"), QStringLiteral("silent"), QStringLiteral("cyclic")},
                          &D::GetEmergencyMode, &D::SetEmergencyMode));
    f.push_back(boolean<D>(QStringLiteral("reply_channel_set"), &D::GetReplyChannelSet, &D::SetReplyChannelSet));
    f.push_back(pair<D>(QStringLiteral("reply_channel"), &D::GetReplyChannelRef, &D::SetReplyChannelRef));
    // 0 is "Continuous"; the edit takes four characters.
    Field cycles = edited<D>(QStringLiteral("cycle_count"), Kind::Int, &D::GetCycleCount, &D::SetCycleCount, 1, 255, 1, 0,
                             QStringLiteral("IDS_CONTINUEEMERGENCY"));
    cycles.maxLength = 4;
    f.push_back(cycles);
    f.push_back(edited<D>(QStringLiteral("tx_cycle_time_s"), Kind::Int, &D::GetTxCycleTime, &D::SetTxCycleTime, 1, 255));
    f.push_back(edited<D>(QStringLiteral("rx_cycle_time_s"), Kind::Int, &D::GetRxCycleTime, &D::SetRxCycleTime, 1, 255));
    f.push_back(sevenDigitId(QStringLiteral("call_id"), &D::GetEmergencyCallId, &D::SetEmergencyCallId));
    return s;
}

SectionSchema analogEmergency()
{
    using D = CAnalogEmergencyData;
    SectionSchema s = section(QStringLiteral("analog_emergency"), {{0x7140, 8}});
    auto &f = s.record.fields;
    f.push_back(choice<D>(QStringLiteral("cycle_mode"), emergencyKinds(), &D::GetCycleMode, &D::SetCycleMode));
    f.push_back(boolean<D>(QStringLiteral("silent_alarm"), &D::GetSilentAlarm, &D::SetSilentAlarm));
    f.push_back(boolean<D>(QStringLiteral("designated_reply_channel"), &D::GetDesignatedReplyChannel, &D::SetDesignatedReplyChannel));
    f.push_back(pair<D>(QStringLiteral("reply_channel"), &D::GetReplyChannelRef, &D::SetReplyChannelRef));
    f.push_back(boolean<D>(QStringLiteral("tx_alarm_tone"), &D::GetTxAlarmTone, &D::SetTxAlarmTone));
    f.push_back(boolean<D>(QStringLiteral("encoded_telegram"), &D::GetEncodedTelegram, &D::SetEncodedTelegram));
    f.push_back(edited<D>(QStringLiteral("cycle_count"), Kind::Int, &D::GetCycleCount, &D::SetCycleCount, 1, 255));
    f.push_back(edited<D>(QStringLiteral("tx_cycle_time_s"), Kind::Int, &D::GetTxCycleTime, &D::SetTxCycleTime, 1, 255));
    f.push_back(edited<D>(QStringLiteral("rx_cycle_time_s"), Kind::Int, &D::GetRxCycleTime, &D::SetRxCycleTime, 1, 255));
    f.push_back(edited<D>(QStringLiteral("alarm_tone_time_ms"), Kind::Int, &D::GetAlarmToneTime, &D::SetAlarmToneTime, 100, 6300, 100));
    f.push_back(reference<D>(QStringLiteral("encode_sequence"), Target::EncodeSequence, D::kEncodeSequenceCount,
                             &D::GetEncodeSequence, &D::SetEncodeSequence));
    return s;
}

SectionSchema dtmf()
{
    using D = CDtmfData;
    SectionSchema s = section(QStringLiteral("dtmf_system"), {{0x7220, 5}});
    auto &f = s.record.fields;
    f.push_back(edited<D>(QStringLiteral("first_digit_time_ms"), Kind::Int, &D::GetFirstDigitTime, &D::SetFirstDigitTime, 0, 2550, 10));
    f.push_back(edited<D>(QStringLiteral("first_digit_delay_ms"), Kind::Int, &D::GetFirstDigitDelay, &D::SetFirstDigitDelay, 0, 2550, 10));
    f.push_back(edited<D>(QStringLiteral("digit_interval_ms"), Kind::Int, &D::GetDigitInterval, &D::SetDigitInterval, 30, 1000, 10));
    f.push_back(edited<D>(QStringLiteral("digit_duration_ms"), Kind::Int, &D::GetDigitDuration, &D::SetDigitDuration, 30, 2550, 10));
    // 0 is shown as its word; the edit takes four characters.
    Field dCode = edited<D>(QStringLiteral("d_code"), Kind::Int, &D::GetDCode, &D::SetDCode, 1, D::kMaxDCode, 1, 0, QStringLiteral("IDS_DCODE"));
    dCode.maxLength = 4;
    f.push_back(dCode);
    return s;
}

// The single tones: frequencies in tenths of a hertz, durations in 10 ms.
Field singleTone(const QString &key, int tone, bool frequency)
{
    Field f;
    f.key = key;
    f.kind = frequency ? Kind::Decimal : Kind::Int;
    f.scale = frequency ? 10 : 1;
    f.step = frequency ? 1 : 10;
    f.min = frequency ? 2885 : 10;
    f.max = frequency ? 31068 : 6000;
    f.clamps = true;
    f.getInt = [tone, frequency](Doc &doc, At) {
        const C5ToneSystemData data(doc);
        return frequency ? data.GetToneFrequency(tone) : data.GetToneDuration(tone);
    };
    f.setInt = [tone, frequency](Doc &doc, At, int value) {
        C5ToneSystemData data(doc);
        return outcome(frequency ? data.SetToneFrequency(tone, value) : data.SetToneDuration(tone, value));
    };
    return f;
}

SectionSchema fiveTone()
{
    using D = C5ToneSystemData;
    SectionSchema s = section(QStringLiteral("five_tone_system"), {{0x7228, 12}});
    auto &f = s.record.fields;
    f.push_back(choice<D>(QStringLiteral("tone_system"),
                          {QStringLiteral("zvei1"), QStringLiteral("zvei2"), QStringLiteral("zvei3"), QStringLiteral("pzvei"),
                           QStringLiteral("dzvei"), QStringLiteral("eea"), QStringLiteral("ccir1"), QStringLiteral("ccir2"),
                           QStringLiteral("eia"), QStringLiteral("euro"), QStringLiteral("modat"), QStringLiteral("natel")},
                          &D::GetToneSystem, &D::SetToneSystem));
    const QStringList hexDigits = QStringLiteral("0 1 2 3 4 5 6 7 8 9 a b c d e f").split(u' ');
    f.push_back(choice<D>(QStringLiteral("group_call_tone"), hexDigits, &D::GetGroupCallTone, &D::SetGroupCallTone));
    f.push_back(choice<D>(QStringLiteral("repeat_tone"), hexDigits, &D::GetRepeatTone, &D::SetRepeatTone));
    f.push_back(singleTone(QStringLiteral("tone_1_frequency_hz"), 0, true));
    f.push_back(singleTone(QStringLiteral("tone_1_duration_ms"), 0, false));
    f.push_back(singleTone(QStringLiteral("tone_2_frequency_hz"), 1, true));
    f.push_back(singleTone(QStringLiteral("tone_2_duration_ms"), 1, false));
    f.push_back(edited<D>(QStringLiteral("pre_carrier_time_ms"), Kind::Int, &D::GetPreCarrierTime, &D::SetPreCarrierTime, 0, 2550, 10));
    return s;
}

// A list of a fixed number of records: it is written whole.
ListSchema fixedList(const QString &key, int count, int recordSize, int firstOffset)
{
    ListSchema list;
    list.key = key;
    list.minimum = count;
    list.count = [count](Doc &, At) { return count; };
    list.capacity = [count](Doc &, At) { return count; };
    list.resize = [count](Doc &, At, int n) {
        return n == count ? QString() : QStringLiteral("exactly %1 records are expected").arg(count);
    };
    list.itemAt = [](At, int i) { return At{i, 0}; };
    list.name = [](Doc &, At) { return QString(); };
    list.bytes = [recordSize, firstOffset](Doc &, At at) {
        return std::make_pair(firstOffset + recordSize * (at.record - 1), recordSize);
    };
    return list;
}

const QStringList &signalingKinds()
{
    static const QStringList kinds{QStringLiteral("dtmf"), QStringLiteral("five_tone")};
    return kinds;
}

SectionSchema encodeSequences()
{
    using D = CEncodeSequenceData;
    SectionSchema s = section(QStringLiteral("encode_sequences"), {});
    ListSchema list = fixedList(s.key, D::kCount, 13, 0x7150);
    list.kind = Target::EncodeSequence;
    Field type = choice<D>(QStringLiteral("type"), signalingKinds(), &D::GetSequenceType, &D::SetSequenceType);
    type.setInt = [](Doc &doc, At at, int value) { return outcome(CrossFieldRules::changeSequenceType(doc, at.record, value)); };
    list.record.fields.push_back(type);
    // The symbols depend on the type: the rule holds them.
    Field sequence = text<D>(QStringLiteral("sequence"), Kind::Text, &D::GetSequence, &D::SetSequence, {}, D::kMaxDtmfDigits);
    sequence.setText = [](Doc &doc, At at, const QString &value) -> Store {
        D data(doc);
        const bool fiveTone = data.GetSequenceType(at.record) == D::kFiveTone;
        QString kept;
        const Store entry = fiveTone ? enterSequence(value, QStringLiteral("0123456789ABCDEFGR"), D::kMaxFiveToneSymbols, kept)
                                     : enterSequence(value, QStringLiteral("0123456789ABCD*#"), D::kMaxDtmfDigits, kept);
        return entry.then(outcome(data.SetSequence(at.record, kept)));
    };
    list.record.fields.push_back(sequence);
    s.list = list;
    return s;
}

SectionSchema decodeSequences()
{
    using D = CDecodeSequenceData;
    SectionSchema s = section(QStringLiteral("decode_sequences"), {}, [](const Doc &doc) { return modelIn(doc, {"TL809"}); });
    ListSchema list = fixedList(s.key, D::kCount, 14, 0xD100);
    list.kind = Target::DecodeSequence;
    Field signaling = choice<D>(QStringLiteral("rx_signaling"), signalingKinds(), &D::GetRxSignaling, &D::SetRxSignaling);
    signaling.setInt = [](Doc &doc, At at, int value) { return outcome(CrossFieldRules::changeRxSignaling(doc, at.record, value)); };
    list.record.fields.push_back(signaling);
    list.record.fields.push_back(choice<D>(QStringLiteral("decode_type"),
                                           {QStringLiteral("selective_call"), QStringLiteral("group_call"),
                                            QStringLiteral("remote_kill"), QStringLiteral("remote_activate")},
                                           &D::GetDecodeType, &D::SetDecodeType));
    Field sequence = text<D>(QStringLiteral("sequence"), Kind::Text, &D::GetSequence, &D::SetSequence, {}, D::kMaxSymbols);
    sequence.setText = [](Doc &doc, At at, const QString &value) {
        QString kept;
        const Store entry = enterSequence(value, QStringLiteral("0123456789ABCDEF"), D::kMaxSymbols, kept);
        return entry.then(outcome(D(doc).SetSequence(at.record, kept)));
    };
    list.record.fields.push_back(sequence);
    s.list = list;
    return s;
}

SectionSchema displayControl()
{
    using D = CDisplayControlData;
    SectionSchema s = section(QStringLiteral("display_control"), {{0x8000, 5}}, [](const Doc &doc) { return modelIn(doc, {"VK214", "TL809"}); });
    auto &f = s.record.fields;
    f.push_back(choice<D>(QStringLiteral("backlight"),
                          {QStringLiteral("always_on"), QStringLiteral("always_off"), QStringLiteral("5_s"), QStringLiteral("10_s"),
                           QStringLiteral("15_s"), QStringLiteral("30_s"), QStringLiteral("60_s")},
                          &D::GetBacklight, &D::SetBacklight));
    f.push_back(choice<D>(QStringLiteral("keypad_lock"),
                          {QStringLiteral("always_unlocked"), QStringLiteral("5_s"), QStringLiteral("10_s"), QStringLiteral("15_s"),
                           QStringLiteral("30_s"), QStringLiteral("60_s")},
                          &D::GetKeypadLock, &D::SetKeypadLock));
    f.push_back(boolean<D>(QStringLiteral("led_indicator"), &D::GetLedIndicator, &D::SetLedIndicator));
    const char *items[] = {"menu_contacts", "menu_call_log", "menu_messages",  "menu_zones",      "menu_scan",       "menu_power_level",
                           "menu_language", "menu_settings", "menu_management", "menu_encryption", "menu_squelch_level", "menu_vox"};
    for (int item = 0; item < D::kMenuItemCount; ++item) {
        Field menu;
        menu.key = QString::fromLatin1(items[item]);
        menu.kind = Kind::Bool;
        menu.max = 1;
        menu.getInt = [item](Doc &doc, At) { return D(doc).GetMenuItem(item) ? 1 : 0; };
        menu.setInt = [item](Doc &doc, At, int on) { return outcome(D(doc).SetMenuItem(item, on != 0)); };
        f.push_back(menu);
    }
    return s;
}

}

std::vector<SectionSchema> signallingSections()
{
    return {digitalEmergency(), analogEmergency(), dtmf(), fiveTone(), encodeSequences(), decodeSequences(), displayControl()};
}

}
