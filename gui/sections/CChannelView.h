#pragma once

#include "sections/CSectionForm.h"
#include "sections/FieldBinder.h"

#include <QStringList>

#include <functional>
#include <memory>

class CChannelData;
class CNumberEdit;
class CRecordNavigator;
class CTextEdit;
class CToneComboBox;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QVBoxLayout;

// The zones-and-channels form (section 6): one channel of one zone at a
// time, with its common, analog and digital data, and the two rows that
// move through, add and delete zones and channels. The tree names the
// channel by its record index (zone - 1) * 16 + (channel - 1).
class CChannelView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 132;
    enum Control {
        // Zone row.
        ZoneName = 1202,
        FirstZone = 1249,
        PreviousZone = 1250,
        NextZone = 1247,
        LastZone = 1248,
        AddZone = 1251,
        DeleteZone = 1252,
        ZonePosition = 1246,
        // Channel row.
        ChannelName = 1241,
        FirstChannel = 1140,
        PreviousChannel = 1141,
        NextChannel = 1138,
        LastChannel = 1139,
        AddChannel = 1129,
        DeleteChannel = 1130,
        ChannelPosition = 1245,
        // Common data.
        CommonGroup = 1242,
        RxFrequency = 1205,
        TxFrequency = 1207,
        ChannelMode = 1213,
        ChannelType = 1238,
        Power = 1215,
        Bandwidth = 1217,
        ScanList = 1236,
        AutoScan = 1218,
        BeatShift = 1231,
        // Analog data.
        AnalogGroup = 1243,
        DecodeTone = 1209,
        EncodeTone = 1211,
        BclMode = 1228,
        TailReversal = 1233,
        TurnOffCode = 1234,
        PttOnlineCode = 1268,
        PttOfflineCode = 1270,
        DecodeSequence = 1198,
        // Digital data.
        DigitalGroup = 1244,
        PoliteMode = 1230,
        RxColourCode = 1220,
        TxColourCode = 1222,
        RxGroupList = 1224,
        Contact = 1226,
        Encryption = 1240,
    };

    explicit CChannelView(const FormContext &context, QWidget *parent = nullptr);
    ~CChannelView() override;

    void OnInitialUpdate(int recordIndex) override;
    void OnUpdate() override;
    void ShowRecord(int recordIndex) override;
    void Reload() override;

    int currentZone() const { return m_zone; }
    int currentChannel() const { return m_channel; }

private:
    // Building.
    void buildNavigation(QVBoxLayout *page);
    QGroupBox *buildCommonGroup();
    QGroupBox *buildAnalogGroup();
    QGroupBox *buildDigitalGroup();
    QComboBox *addList(QGridLayout *grid, int row, int column, int ctrlId, const QString &label);
    CNumberEdit *addFrequency(QGridLayout *grid, int row, int column, int ctrlId, const QString &label);
    CToneComboBox *addTone(QGridLayout *grid, int row, int ctrlId, const QString &label);
    QCheckBox *addCheck(int ctrlId, const QString &text, const QString &key);

    // Moving between channels; each shows the channel and reloads.
    void showChannel(int zone, int channel);
    void applyModeRules();

    // Filling.
    void fillLanguageLists();
    void applyEnabling(bool channelShown, int mode);

    // Stores.
    // Runs change(data, zone, channel) on the channel shown, as one edit.
    void storeChannel(int ctrlId, const std::function<void(CChannelData &, int, int)> &change);
    void enterZoneName();
    void enterChannelName();
    void enterFrequency(int ctrlId, CNumberEdit *edit, bool receive);
    void storeTone(int ctrlId, CToneComboBox *tone, bool receive);
    void runListOperation(const QString &actionKey, int operation);

    std::unique_ptr<FieldBinder> m_fields;  // the fields with a plain list or tick box
    int m_zone = 1;
    int m_channel = 1;
    QString m_noneText;          // the language's texts the lists were filled with
    QStringList m_bandwidthTexts;

    CTextEdit *m_zoneName = nullptr;
    CTextEdit *m_channelName = nullptr;
    CRecordNavigator *m_zoneRow = nullptr;
    CRecordNavigator *m_channelRow = nullptr;

    QGroupBox *m_analogGroup = nullptr;
    QGroupBox *m_digitalGroup = nullptr;

    CNumberEdit *m_rxFrequency = nullptr;
    CNumberEdit *m_txFrequency = nullptr;
    QComboBox *m_mode = nullptr;
    QComboBox *m_type = nullptr;
    QComboBox *m_power = nullptr;
    QComboBox *m_bandwidth = nullptr;
    QComboBox *m_scanList = nullptr;
    QCheckBox *m_autoScan = nullptr;
    QCheckBox *m_beatShift = nullptr;

    CToneComboBox *m_decodeTone = nullptr;
    CToneComboBox *m_encodeTone = nullptr;
    QComboBox *m_bcl = nullptr;
    QComboBox *m_tailReversal = nullptr;
    QCheckBox *m_turnOffCode = nullptr;
    QComboBox *m_pttOnline = nullptr;
    QComboBox *m_pttOffline = nullptr;
    QComboBox *m_decodeSequence = nullptr;

    QComboBox *m_polite = nullptr;
    QComboBox *m_rxColourCode = nullptr;
    QComboBox *m_txColourCode = nullptr;
    QComboBox *m_rxGroup = nullptr;
    QComboBox *m_contact = nullptr;
    QComboBox *m_encryption = nullptr;
};
