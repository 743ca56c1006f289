#include "link/CPortSelectDialog.h"

#include "app/AppSettings.h"
#include "app/TranslateDialog.h"
#include "link/CMSComm.h"
#include "link/PortNames.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CPortSelectDialog::CPortSelectDialog(AppSettings &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_list(new QComboBox(this)), m_device(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Communication Port"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("请选择串口"), this));
    setCtrlId(m_list, PortList);
    m_list->setMinimumWidth(220);
    layout->addWidget(m_list);
    m_device->setObjectName(QStringLiteral("DeviceName"));
    m_device->setEnabled(false);
    layout->addWidget(m_device);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("确认"), QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    setCtrlId(ok, Ok);
    setCtrlId(cancel, Cancel);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_list, &QComboBox::currentIndexChanged, this, &CPortSelectDialog::showDevice);

    TranslateDialog(this, kDialogId, settings.language());
    fillPortList();
}

void CPortSelectDialog::fillPortList()
{
    const QString stored = PortNames::storedPort(m_settings);
    // The stored port is a number ("3", also " 03") or a device path.
    int storedNumber = 0;
    const bool storedIsNumber = PortNames::isNumber(stored, &storedNumber);
    bool storedListed = false;
    m_list->clear();
    CMSComm comm(&m_settings);
    for (int n = PortNames::kFirstPort; n <= PortNames::kLastPort; ++n) {
        if (!comm.OpenPort(n, CMSComm::kBaudRate))
            continue;
        const QString device = comm.deviceName();
        comm.ClosePort();
        m_list->addItem(QStringLiteral("COM%1").arg(n), QString::number(n));
        m_list->setItemData(m_list->count() - 1, device, Qt::ToolTipRole);
        if (storedIsNumber && n == storedNumber) {
            m_list->setCurrentIndex(m_list->count() - 1);
            storedListed = true;
        }
    }
    // A device path written into the settings by hand stays choosable.
    if (!stored.isEmpty() && !storedIsNumber && comm.OpenPort(stored, CMSComm::kBaudRate)) {
        comm.ClosePort();
        m_list->addItem(stored, stored);
        m_list->setItemData(m_list->count() - 1, stored, Qt::ToolTipRole);
        m_list->setCurrentIndex(m_list->count() - 1);
        storedListed = true;
    }
    if (!storedListed) {
        // The stored port is not there: the first port listed takes its place.
        m_list->setCurrentIndex(m_list->count() > 0 ? 0 : -1);
        m_settings.writeSetting(QStringLiteral("setup"), QStringLiteral("com"), QStringLiteral("1"));
    }
    showDevice(m_list->currentIndex());
}

void CPortSelectDialog::showDevice(int index)
{
    m_device->setText(index >= 0 ? m_list->itemData(index, Qt::ToolTipRole).toString() : QString());
}

void CPortSelectDialog::accept()
{
    m_settings.writeSetting(QStringLiteral("setup"), QStringLiteral("com"), m_list->currentData().toString());
    QDialog::accept();
}
