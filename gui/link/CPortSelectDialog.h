#pragma once

#include <QDialog>

class AppSettings;
class QComboBox;
class QLabel;

// Chooses the serial port of the programming cable. Lists the ports 1..16
// that can be opened now (each is opened and closed again at once) and
// stores the chosen one as [setup] com of setting.ini.
class CPortSelectDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 121;
    enum Control { PortList = 1200, Ok = 1, Cancel = 2 };

    explicit CPortSelectDialog(AppSettings &settings, QWidget *parent = nullptr);

    QComboBox *portList() const { return m_list; }
    void accept() override;

private:
    void fillPortList();
    void showDevice(int index);

    AppSettings &m_settings;
    QComboBox *m_list;
    QLabel *m_device;
};
