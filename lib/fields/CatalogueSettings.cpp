// The one-record sections of the radio's settings: digital basic settings,
// programmable keys, alert tones and option features.

#include "fields/FieldBuilders.h"

#include "app/AppSettings.h"
#include "sections/AlertToneData.h"
#include "sections/BasicSettingData.h"
#include "sections/IdEntryRules.h"
#include "sections/KeySettingData.h"
#include "sections/OptionData.h"

namespace Fields {

using namespace Build;

namespace {

SectionSchema section(const QString &key, std::vector<std::pair<int, int>> bytes)
{
    SectionSchema s;
    s.key = key;
    s.offered = [](const Doc &) { return true; };
    s.bytes = std::move(bytes);
    return s;
}

QString digits() { return QStringLiteral("0123456789"); }

// The two IDs of the form: seven digits, with the form's corrections
// (0 or nothing becomes 1, a reserved radio ID the ID after it).
Field idField(const QString &key, QString (CBasicSettingData::*get)() const, bool (*enter)(CPcSoftwareDoc &, const QString &))
{
    Field f = text<CBasicSettingData>(key, Kind::Text, get, &CBasicSettingData::SetRadioId, digits(), 7);
    f.setText = [get, enter](Doc &doc, At, const QString &value) -> Store {
        if (!enter(doc, value))
            return Store::refused(Refuse::Symbols, QStringLiteral("an ID of up to 7 digits is expected"));
        const QString stored = (CBasicSettingData(doc).*get)();
        if (stored != value.rightJustified(7, u'0'))
            return Store::corrected(QStringLiteral("stored as %1").arg(stored));
        return Store{};
    };
    return f;
}

Field hangTime(const QString &key, int (CBasicSettingData::*get)() const, bool (CBasicSettingData::*set)(int))
{
    Field f = number<CBasicSettingData>(key, Kind::Decimal, get, set, 0, CBasicSettingData::kMaxHangTime);
    f.scale = 2;
    return f;
}

const QStringList &keyFunctions()
{
    static const QStringList names{
        QStringLiteral("none"), QStringLiteral("emergency_on"), QStringLiteral("emergency_off"), QStringLiteral("high_low_power"),
        QStringLiteral("talkaround"), QStringLiteral("nuisance_delete"), QStringLiteral("one_touch_call_1"),
        QStringLiteral("one_touch_call_2"), QStringLiteral("one_touch_call_3"), QStringLiteral("one_touch_call_4"),
        QStringLiteral("squelch_level"), QStringLiteral("battery_level"), QStringLiteral("channel_announcement"),
        QStringLiteral("vox"), QStringLiteral("monitor"), QStringLiteral("zone_switch"), QStringLiteral("encryption"),
        QStringLiteral("keypad_lock"), QStringLiteral("permanent_monitor"), QStringLiteral("momentary_monitor"),
        QStringLiteral("telephone"), QStringLiteral("messages"), QStringLiteral("call_log"), QStringLiteral("contacts"),
        QStringLiteral("scan"), QStringLiteral("whisper"), QStringLiteral("remote_monitor"), QStringLiteral("backlight")};
    return names;
}

// A key slot is written as its function; the form's list holds only the
// functions the model offers, so a function is stored by its place there.
Field keySlot(const QString &key, int slot)
{
    Field f;
    f.key = key;
    f.kind = Kind::Choice;
    f.choices = keyFunctions();
    f.max = int(f.choices.size()) - 1;
    f.getInt = [slot](Doc &doc, At) { return CKeySettingData(doc).GetKeyCode(slot); };
    f.setInt = [slot](Doc &doc, At, int code) -> Store {
        CKeySettingData keys(doc);
        if (code != 0 && !keys.IsFunctionAvailable(slot, code))
            return Store::refused(Refuse::NotOffered,
                                  QStringLiteral("%1 is not offered by the model %2").arg(keyFunctions()[code], doc.settings().modelName()));
        int position = 0;
        for (int c = 1; c <= code; ++c)
            position += keys.IsFunctionAvailable(slot, c) ? 1 : 0;
        keys.SetKeySlot(slot, position);
        return Store{};
    };
    return f;
}

Field alertTone(const QString &key, int tone)
{
    Field f;
    f.key = key;
    f.kind = Kind::Choice;
    f.choices = {QStringLiteral("off"), QStringLiteral("on_fixed_volume"), QStringLiteral("on_follows_volume")};
    f.max = 2;
    f.getInt = [tone](Doc &doc, At) { return CAlertToneData(doc).GetAlertTone(tone); };
    f.setInt = [tone](Doc &doc, At, int entry) { return outcome(CAlertToneData(doc).SetAlertTone(tone, entry)); };
    return f;
}

// The fixed volumes are written as the level 1..10 the form shows.
Field volume(const QString &key, int (CAlertToneData::*get)() const, bool (CAlertToneData::*set)(int))
{
    Field f;
    f.key = key;
    f.kind = Kind::Int;
    f.min = 1;
    f.max = CAlertToneData::kVolumeLevels;
    f.getInt = [get](Doc &doc, At) { return (CAlertToneData(doc).*get)() + 1; };
    f.setInt = [set](Doc &doc, At, int level) {
        CAlertToneData data(doc);
        return outcome((data.*set)(level - 1));
    };
    return f;
}

SectionSchema basicSettings()
{
    using D = CBasicSettingData;
    SectionSchema s = section(QStringLiteral("digital_basic_settings"), {{0x4C20, 13}});
    auto &f = s.record.fields;
    f.push_back(idField(QStringLiteral("radio_id"), &D::GetRadioId, &IdEntryRules::enterRadioId));
    f.push_back(idField(QStringLiteral("group_call_start_id"), &D::GetGroupCallStartId, &IdEntryRules::enterStartId));
    f.push_back(hangTime(QStringLiteral("group_hang_time_s"), &D::GetGroupHangTime, &D::SetGroupHangTime));
    f.push_back(hangTime(QStringLiteral("private_hang_time_s"), &D::GetPrivateHangTime, &D::SetPrivateHangTime));
    f.push_back(hangTime(QStringLiteral("mixed_hang_time_s"), &D::GetMixedHangTime, &D::SetMixedHangTime));
    f.push_back(boolean<D>(QStringLiteral("allow_group_call"), &D::GetAllowGroupCall, &D::SetAllowGroupCall));
    f.push_back(boolean<D>(QStringLiteral("allow_all_call"), &D::GetAllowAllCall, &D::SetAllowAllCall));
    f.push_back(boolean<D>(QStringLiteral("remote_kill_decode"), &D::GetRemoteKillDecode, &D::SetRemoteKillDecode));
    f.push_back(boolean<D>(QStringLiteral("private_call"), &D::GetPrivateCallEnable, &D::SetPrivateCallEnable));
    // The TL809 has no preamble setting (its byte is kept as it is).
    Field preamble = number<D>(QStringLiteral("preamble_frames"), Kind::Int, &D::GetPreambleFrames, &D::SetPreambleFrames, 0,
                               D::kMaxPreambleFrames);
    preamble.offered = offeredExcept({QStringLiteral("TL809")});
    f.push_back(preamble);
    return s;
}

SectionSchema keys()
{
    SectionSchema s = section(QStringLiteral("programmable_keys"), {{0x4640, 7}});
    auto &f = s.record.fields;
    const char *names[] = {"short_press_1", "short_press_2", "short_press_3", "long_press_1", "long_press_2", "long_press_3"};
    for (int slot = 0; slot < CKeySettingData::kSlotCount; ++slot)
        f.push_back(keySlot(QString::fromLatin1(names[slot]), slot));
    Field longPress = edited<CKeySettingData>(QStringLiteral("long_press_time_ms"), Kind::Int, &CKeySettingData::GetLongPressTime,
                                              &CKeySettingData::SetLongPressTime, 100, 6300, 100);
    longPress.maxLength = 4;
    f.push_back(longPress);
    return s;
}

SectionSchema alertTones()
{
    using D = CAlertToneData;
    SectionSchema s = section(QStringLiteral("alert_tones"), {{0x4650, 10}});
    auto &f = s.record.fields;
    const char *names[] = {"power_on",      "self_test_failure", "tot_pre_alert",  "scan_start",      "scan_end",
                           "scan_priority", "tx_inhibit",        "tx_busy",        "call_failed",     "emergency_called",
                           "caller",        "function_enabled",  "function_exited", "key_error",      "low_battery",
                           "private_call",  "group_call",        "all_call",       "missed_call",     "side_tone"};
    for (int tone = 0; tone < D::kToneCount; ++tone)
        f.push_back(alertTone(QString::fromLatin1(names[tone]), tone));
    // The TL809 has no power-on and no call-failed tone.
    for (Field &tone : f) {
        if (tone.key == QLatin1String("power_on") || tone.key == QLatin1String("call_failed"))
            tone.offered = offeredExcept({QStringLiteral("TL809")});
    }
    f.push_back(boolean<D>(QStringLiteral("voice_volume_fixed"), &D::GetVoiceVolumeFixed, &D::SetVoiceVolumeFixed));
    f.push_back(boolean<D>(QStringLiteral("alert_tones_enabled"), &D::GetAlertToneEnable, &D::SetAlertToneEnable));
    f.push_back(volume(QStringLiteral("voice_volume"), &D::GetVoiceVolume, &D::SetVoiceVolume));
    f.push_back(volume(QStringLiteral("alert_tone_volume"), &D::GetAlertToneVolume, &D::SetAlertToneVolume));
    f.push_back(volume(QStringLiteral("side_tone_volume"), &D::GetSideToneVolume, &D::SetSideToneVolume));
    f.push_back(choice<D>(QStringLiteral("announce_language"), {QStringLiteral("off"), QStringLiteral("chinese"), QStringLiteral("english")},
                          &D::GetAnnounceLanguage, &D::SetAnnounceLanguage));
    return s;
}

SectionSchema options()
{
    using D = COptionData;
    SectionSchema s = section(QStringLiteral("option_features"), {{0x4660, 11}, {0x0070, 0x48}});
    auto &f = s.record.fields;
    const QString tl809 = QStringLiteral("TL809");
    f.push_back(boolean<D>(QStringLiteral("tx_led"), &D::GetTxLed, &D::SetTxLed));
    f.push_back(boolean<D>(QStringLiteral("rx_led"), &D::GetRxLed, &D::SetRxLed));
    Field batterySave = choice<D>(QStringLiteral("battery_save"),
                                  {QStringLiteral("off"), QStringLiteral("low"), QStringLiteral("medium"), QStringLiteral("high")},
                                  &D::GetBatterySave, &D::SetBatterySave);
    batterySave.offered = offeredExcept({tl809});
    f.push_back(batterySave);
    f.push_back(boolean<D>(QStringLiteral("whisper"), &D::GetWhisper, &D::SetWhisper));
    // The timers' 0 is "Off"; their edits take four characters.
    const QString off = QStringLiteral("IDS_OFF");
    auto timer = [&](const QString &key, auto get, auto set, int min, int max, int step) {
        Field t = edited<D>(key, Kind::Int, get, set, min, max, step, 0, off);
        t.maxLength = 4;
        f.push_back(t);
    };
    timer(QStringLiteral("time_out_timer_s"), &D::GetTimeOutTimer, &D::SetTimeOutTimer, 5, 600, 5);
    timer(QStringLiteral("tot_pre_alert_s"), &D::GetTotPreAlert, &D::SetTotPreAlert, 1, 10, 1);
    timer(QStringLiteral("tot_rekey_s"), &D::GetTotRekey, &D::SetTotRekey, 1, 15, 1);
    timer(QStringLiteral("tot_reset_s"), &D::GetTotReset, &D::SetTotReset, 1, 15, 1);
    f.push_back(number<D>(QStringLiteral("squelch_level"), Kind::Int, &D::GetSquelchLevel, &D::SetSquelchLevel, 0, 9));
    // Voice-operated transmit: not on the TL809.
    auto vox = [&](Field field) {
        field.offered = offeredExcept({tl809});
        f.push_back(field);
    };
    vox(boolean<D>(QStringLiteral("vox"), &D::GetVoxEnable, &D::SetVoxEnable));
    vox(boolean<D>(QStringLiteral("ptt_cancels_vox"), &D::GetPttCancelsVox, &D::SetPttCancelsVox));
    vox(boolean<D>(QStringLiteral("rx_ptt_inhibit"), &D::GetRxPttInhibit, &D::SetRxPttInhibit));
    vox(edited<D>(QStringLiteral("vox_sensitivity"), Kind::Int, &D::GetVoxSensitivity, &D::SetVoxSensitivity, 1, 10));
    Field hold = edited<D>(QStringLiteral("vox_hold_time_s"), Kind::Decimal, &D::GetVoxHoldTime, &D::SetVoxHoldTime, 1, 255);
    hold.scale = 10;
    vox(hold);
    f.push_back(edited<D>(QStringLiteral("remote_monitor_time_s"), Kind::Int, &D::GetRemoteMonitorTime, &D::SetRemoteMonitorTime, 1, 255));
    Field hangUp = choice<D>(QStringLiteral("hang_up"), {QStringLiteral("off"), QStringLiteral("on")}, &D::GetHangUp, &D::SetHangUp);
    hangUp.offered = offeredExcept({QStringLiteral("RQ381"), QStringLiteral("VK214")});
    f.push_back(hangUp);
    // Digits only: the radio's keypad enters it; empty for none. The RQ381 has none.
    Field password = text<D>(QStringLiteral("power_on_password"), Kind::Text, &D::GetPowerOnPassword, &D::SetPowerOnPassword,
                             digits(), D::kPasswordLength);
    password.offered = offeredExcept({QStringLiteral("RQ381")});
    f.push_back(password);
    Field info = text<D>(QStringLiteral("embedded_info"), Kind::Text, &D::GetEmbeddedInfo, &D::SetEmbeddedInfo);
    info.setText = [](Doc &doc, At, const QString &value) -> Store {
        const QString cut = NameField::truncated(value, D::kEmbeddedInfoUnits);
        D(doc).SetEmbeddedInfo(cut);
        if (cut != value)
            return Store::corrected(QStringLiteral("cut to %1 characters").arg(D::kEmbeddedInfoUnits));
        return Store{};
    };
    f.push_back(info);
    return s;
}

}

std::vector<SectionSchema> settingSections()
{
    return {basicSettings(), keys(), alertTones(), options()};
}

}
