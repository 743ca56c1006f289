#pragma once

#include "calibration/AdjustItems.h"
#include "calibration/CMSCommServicePort.h"
#include "calibration/CalibrationImage.h"
#include "calibration/CalibrationMessages.h"
#include "calibration/ServiceProtocol.h"
#include "link/CMSComm.h"

#include <QDialog>
#include <QTimer>
#include <array>
#include <functional>

class AppSettings;
class Prompter;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;

// Tunes one calibration value at a time while the radio transmits or
// receives at one of its frequency points, or lets the radio measure a
// receive threshold. Works on its own copy of the calibration table's image:
// a saved item's values go into the table's image at once, a quit item's
// values come back from it, and the table takes the whole copy when the
// dialog closes. After a failed exchange the copy holds only what the radio
// confirmed, so a later write cannot send values the radio never accepted.
//
// Every exchange blocks for its reply time-out; only the link-up, save,
// quit and leave check the radio's answers.
class CAdjustDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 130;
    enum Control {
        Save = 1, Leave = 2, Measure = 3, ItemList = 1780,
        Bar1 = 1781, Value1 = 1782, Bar2 = 1783, Value2 = 1784, Bar3 = 1785, Value3 = 1786,
        SelectPrompt = 1801, ReceiveFrequency = 1802, TransmitFrequency = 1803,
        Balance = 2000, ToneFrequency = 2001, ToneLevel = 2002, SignalGroup = 2005, Hz = 2007,
        SignalList = 2008, Caption3 = 2009, Caption2 = 2010, Caption1 = 2011, Deviation = 2012, Quit = 2013,
    };

    // pause(ms) is the wait of the measuring switch and the protocol's
    // settling waits; tests pass one that does not sleep.
    CAdjustDialog(AppSettings &settings, Prompter &prompter, CalibrationImage &tableImage, qint32 upperBandLimit,
                  QWidget *parent = nullptr, std::function<void(int)> pause = {});
    ~CAdjustDialog() override;

    // Links up with the radio ("TUNINGT", port 1 first, then the scan). On
    // failure the message is shown and the port closed; exec() then ends at
    // once.
    bool linkUp();
    int exec() override;

    // The dialog's copy of the calibration image.
    const CalibrationImage &image() const { return m_image; }
    bool isStarted() const { return m_started; }
    bool isMeasuring() const { return m_measuring; }
    QList<int> itemCodes() const { return m_itemCodes; }

    // What a click and a double click on a line of the item list do.
    void selectLine(int line);
    void startLine(int line);
    // Button 3: switches measuring on or off; the timer tick does the rest.
    void toggleMeasuring();
    // One tick of the measuring timer.
    void measureTick();
    void saveItem();   // button 1
    void quitItem();   // button 2013
    void reject() override;  // button 2, Esc and the close box: leave

    QScrollBar *scrollBar(int index) const { return m_bars[index].bar; }
    QLineEdit *valueEdit(int index) const { return m_bars[index].value; }
    QLabel *scrollCaption(int index) const { return m_bars[index].caption; }
    QListWidget *itemList() const { return m_list; }
    QTimer &measureTimer() { return m_timer; }

protected:
    // Enter or Space on the item list starts the selected item, as a double
    // click does; the arrow keys move a focused scroll bar.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct BarControls
    {
        QLabel *caption = nullptr;
        QScrollBar *bar = nullptr;
        QLineEdit *value = nullptr;
    };

    void buildControls();
    void setTexts();
    const AdjustItem *selectedItem() const;
    void showItem(const AdjustItem &item);
    void showBars(const AdjustItem &item);
    void onBarAction(int index, int action);
    void commitBar(int index, int position);
    void sendChosenSignal(bool fromToneFields);
    void setBalance(bool balance);
    void tell(CalibrationMessage message, const QString &extra = QString());
    // Ends the dialog after a failed save or quit: the port is already closed.
    void endAfterFailure(CalibrationMessage message);
    // After a failed exchange: the image goes back to what the radio last
    // confirmed; returns the text naming the items whose values were dropped.
    QString keepConfirmedValues();

    AppSettings &m_settings;
    Prompter &m_prompter;
    CalibrationImage &m_table;
    CalibrationImage m_image;
    bool m_chinese = false;
    std::function<void(int)> m_pause;
    CMSComm m_comm;
    CMSCommServicePort m_port;
    ServiceProtocol m_protocol;
    QList<int> m_itemCodes;
    bool m_linked = false;
    bool m_started = false;
    bool m_measuring = false;
    bool m_balance = false;
    std::array<ScrollBarSetup, kScrollBarCount> m_setups{};
    QTimer m_timer;

    QListWidget *m_list = nullptr;
    QLabel *m_selectPrompt = nullptr;
    QLabel *m_receive = nullptr;
    QLabel *m_transmit = nullptr;
    std::array<BarControls, kScrollBarCount> m_bars;
    QRadioButton *m_deviation = nullptr;
    QRadioButton *m_balanceButton = nullptr;
    QGroupBox *m_signalGroup = nullptr;
    QComboBox *m_signals = nullptr;
    QLineEdit *m_toneFrequency = nullptr;
    QLineEdit *m_toneLevel = nullptr;
    QPushButton *m_measure = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_quit = nullptr;
    QPushButton *m_leave = nullptr;
};
