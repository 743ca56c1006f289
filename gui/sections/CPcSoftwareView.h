#pragma once

#include "sections/CSectionForm.h"

class CTextEdit;
class QComboBox;
class QLineEdit;

// The radio-information form (section 1): frequency range, model, last
// programming time, versions, serial number and the version texts of the
// last radio transfer. The frame that holds it stays for the document's
// whole life.
class CPcSoftwareView : public CSectionForm
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 101;
    enum Control {
        RangeList = 1001,
        Model = 1003,
        LastProgramTime = 1005,
        PcSoftwareVersion = 1007,
        HardwareVersion = 1009,
        SerialNumber = 1011,
        CidText = 1184,
        DataVersionText = 1265,
        McuVersionText = 1266,
    };

    explicit CPcSoftwareView(const FormContext &context, QWidget *parent = nullptr);

    void Reload() override;

    // "20140720070707" shown as "2014-07-20 07:07:07".
    static QString timeForDisplay(const QString &digits);
    // "0119" shown as "V01.19".
    static QString versionForDisplay(const QString &digits);

private:
    void fillRangeList();
    void onRangeChosen(int index);
    void storeText(int control);
    CTextEdit *addTextField(int row, int control, const QString &label, int limit);
    QLineEdit *addInfoField(int row, int control, const QString &label);

    QComboBox *m_rangeList = nullptr;
    CTextEdit *m_model = nullptr;
    CTextEdit *m_time = nullptr;
    CTextEdit *m_pcVersion = nullptr;
    CTextEdit *m_hwVersion = nullptr;
    CTextEdit *m_serial = nullptr;
    QLineEdit *m_mcuVersion = nullptr;
    QLineEdit *m_dataVersion = nullptr;
    QLineEdit *m_cid = nullptr;
};
