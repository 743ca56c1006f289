#pragma once

#include "calibration/CMSCommServicePort.h"
#include "calibration/CalibrationImage.h"
#include "calibration/CalibrationMessages.h"
#include "calibration/ServiceProtocol.h"
#include "link/CMSComm.h"

#include <QDialog>
#include <functional>

class AppSettings;
class CEditGrid;
class CNumberEdit;
class Prompter;
class QLineEdit;
class QPushButton;

// Every calibration value of the radio in a grid of parameters by frequency
// points: reads and writes the radio's calibration area in service mode,
// edits single cells in place, keeps the values in test-data files (.test)
// and opens the single-item adjust dialog on a copy of them.
//
// Grid rows and columns are numbered as in CalibrationGrid: row 1 and 2 the
// frequencies, rows 3..41 the parameters, columns 1..5 the points CH1..CH5.
class CCalibrationTableDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 102;
    enum Control {
        Cancel = 2, Read = 1220, Write = 1221, OpenFile = 1222, SaveFile = 1223, Grid = 1618,
        FrequencyEdit = 1619, NumberEdit = 1620, EnterAdjust = 1784,
    };

    CCalibrationTableDialog(AppSettings &settings, Prompter &prompter, qint32 upperBandLimit,
                            QWidget *parent = nullptr, std::function<void(int)> pause = {});
    ~CCalibrationTableDialog() override;

    CalibrationImage &image() { return m_image; }
    CEditGrid *grid() const { return m_grid; }
    CNumberEdit *numberEdit() const { return m_number; }
    QLineEdit *frequencyEdit() const { return m_frequency; }

    // The buttons' work, public for the tests.
    void readRadio();
    void writeRadio();
    void openTestData();
    void saveTestData();
    void enterAdjust();
    // Rebuilds every cell from the image.
    void refresh();

    // Starts editing a cell (as a click does); false for cells without a value.
    bool editCell(int row, int column);
    // Stores what the open editor holds and hides it (as its focus loss does).
    void finishEditing();

    // File dialogs; tests put their own choice here. The argument is the
    // folder the dialog starts in. chooseSaveFile returns the name as typed:
    // Save adds ".test" and asks before it replaces a file.
    std::function<QString(QWidget *, const QString &)> chooseOpenFile;
    std::function<QString(QWidget *, const QString &)> chooseSaveFile;
    // Runs the adjust dialog on the image (tests replace it).
    std::function<void(CalibrationImage &)> runAdjust;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void setTexts();
    void placeEditor(QWidget *editor, int row, int column);
    void storeNumber(int value);
    void tell(CalibrationMessage message, const QString &extra = QString());
    void tellError(const QString &text);
    QString text(const char *chinese, const char *english) const;

    AppSettings &m_settings;
    Prompter &m_prompter;
    qint32 m_upperLimit;
    bool m_chinese = false;
    std::function<void(int)> m_pause;
    CalibrationImage m_image;
    CMSComm m_comm;
    CMSCommServicePort m_port;
    ServiceProtocol m_protocol;
    int m_editRow = -1;      // the cell the open editor belongs to; -1: none
    int m_editColumn = -1;

    CEditGrid *m_grid = nullptr;
    CNumberEdit *m_number = nullptr;
    QLineEdit *m_frequency = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_adjust = nullptr;
    QPushButton *m_read = nullptr;
    QPushButton *m_write = nullptr;
    QPushButton *m_cancel = nullptr;
};
