#pragma once

#include "sections/CSectionForm.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The digital basic settings (section 10): the radio's own ID, the
// group-call start ID, the three call hang times, the wake-up preamble and
// the four call permissions.
class CBasicSettingView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 137;
    enum Control {
        RadioId = 1113,
        StartId = 1115,
        GroupHangTime = 1117,
        PrivateHangTime = 1119,
        MixedHangTime = 1121,
        PreambleLabel = 1122,
        Preamble = 1123,
        AllowAllCall = 1124,
        AllowGroupCall = 1125,
        RemoteKillDecode = 1126,
        PrivateCallEnable = 1281,
    };

    explicit CBasicSettingView(const FormContext &context, QWidget *parent = nullptr);

    void Reload() override;

    // "0.0", "0.5", ... "30.0": list index n is n half seconds.
    static QStringList hangTimeTexts();

private:
    QLineEdit *addIdEdit(int row, int control, const QString &label);
    QComboBox *addList(int row, int control, const QString &label, const QStringList &items);
    QCheckBox *addSwitch(int control, const QString &text);
    void storeId(int control);
    void storeIndex(int control, int index);
    void storeSwitch(int control, bool on);

    QLineEdit *m_radioId = nullptr;
    QLineEdit *m_startId = nullptr;
    QComboBox *m_groupHang = nullptr;
    QComboBox *m_privateHang = nullptr;
    QComboBox *m_mixedHang = nullptr;
    QLabel *m_preambleLabel = nullptr;
    QComboBox *m_preamble = nullptr;
    QCheckBox *m_allowAll = nullptr;
    QCheckBox *m_allowGroup = nullptr;
    QCheckBox *m_remoteKill = nullptr;
    QCheckBox *m_privateCall = nullptr;
};
