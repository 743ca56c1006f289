#include "link/TransferJob.h"

#include "app/AppSettings.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "link/CMSComm.h"
#include "link/PortNames.h"
#include "link/TransferPreparation.h"

#include <QDeadlineTimer>
#include <QThread>
#include <algorithm>
#include <cstring>

WriteVerification verifyWrittenBlocks(const uint8_t *sent, const uint8_t *readBack, const QList<int> &notReadBack)
{
    WriteVerification result;
    for (int address = 0; address < Protocol::kRadioMemorySize; address += Protocol::kBlockSize) {
        if (!Protocol::isWrittenBlock(address))
            continue;
        if (notReadBack.contains(address)) {
            if (result.firstUnverifiedAddress < 0)
                result.firstUnverifiedAddress = address;
            ++result.unverifiedBlocks;
        } else if (std::memcmp(sent + address, readBack + address, Protocol::kBlockSize) != 0) {
            if (result.firstDifferingAddress < 0)
                result.firstDifferingAddress = address;
            ++result.differingBlocks;
        }
    }
    return result;
}

TransferJob::TransferJob(CPcSoftwareDoc &doc, CMSComm &comm)
    : m_doc(doc), m_comm(comm), m_staging(std::make_unique<std::array<uint8_t, 0x10000>>())
{
    m_staging->fill(0xFF);
}

TransferJob::~TransferJob()
{
    cancel();
}

QString TransferJob::portToOpen() const
{
    return m_portName.isEmpty() ? PortNames::storedPort(m_doc.settings()) : m_portName;
}

bool TransferJob::start(TransferDirection direction)
{
    return start(direction, QDateTime::currentDateTime());
}

bool TransferJob::start(TransferDirection direction, const QDateTime &now)
{
    if (m_worker)
        return false;
    m_verifying = false;
    m_verification = {};
    AppSettings &settings = m_doc.settings();
    uint8_t *staging = m_staging->data();
    if (direction == TransferDirection::Read) {
        // The read lands in a copy; the document changes only on success.
        std::copy_n(m_doc.image(), m_staging->size(), staging);
        TransferPreparation::prepareCommon(staging, settings.modelName(), now);
    } else {
        TransferPreparation::prepareWrite(m_doc, now);
        std::copy_n(m_doc.image(), m_staging->size(), staging);
    }
    launch(direction);
    return true;
}

bool TransferJob::startVerify()
{
    if (m_worker || m_verifying || m_direction != TransferDirection::Write || status() != TransferStatus::WriteDone)
        return false;
    if (!m_sent)
        m_sent = std::make_unique<std::array<uint8_t, 0x10000>>();
    *m_sent = *m_staging;
    // The read-back lands on the complement of what was sent, so a block it
    // leaves unfilled differs. The model identification stays: the read's
    // model check compares the radio with it.
    for (size_t i = Protocol::kModelIdLength; i < m_staging->size(); ++i)
        (*m_staging)[i] = uint8_t(~(*m_sent)[i]);
    m_verifying = true;
    m_verification = {};
    launch(TransferDirection::Read);
    return true;
}

void TransferJob::launch(TransferDirection direction)
{
    m_direction = direction;
    AppSettings &settings = m_doc.settings();
    uint8_t *staging = m_staging->data();
    m_control.reset();

    // Everything the worker needs is decided here, on the owner's thread.
    const QString device = PortNames::resolve(&settings, portToOpen());
    const int basic = settings.settingInt(QStringLiteral("setup"), QStringLiteral("basic"), 1);
    const ProtocolTimings timings = m_timings;
    // A port left open by the model-write exchange belongs to this thread;
    // the worker opens its own.
    m_comm.ClosePort();

    CMSComm *comm = &m_comm;
    TransferControl *control = &m_control;
    m_worker = QThread::create([=] { runCodeplugTransfer(*comm, device, direction, staging, basic, timings, *control); });
    m_worker->start();
}

TransferStatus TransferJob::poll()
{
    const TransferStatus current = status();
    if (m_worker && isEndStatus(current))
        collect();
    return current;
}

TransferStatus TransferJob::waitForEnd()
{
    if (m_worker)
        collect();
    return status();
}

bool TransferJob::waitForEnd(int timeoutMs)
{
    if (m_worker && !m_worker->wait(QDeadlineTimer(std::max(timeoutMs, 0))))
        return false;
    if (m_worker)
        collect();
    return true;
}

void TransferJob::cancel()
{
    if (!m_worker)
        return;
    m_control.requestStop();
    collect();
}

void TransferJob::collect()
{
    // The worker ends within one reply time-out of a stop request; it closes
    // the port before it ends.
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;

    if (m_control.status.load() == TransferStatus::ReadDone && m_direction == TransferDirection::Read) {
        if (m_verifying) {
            m_verification = verifyWrittenBlocks(m_sent->data(), m_staging->data(),
                                                 m_control.skippedAddresses + m_control.damagedAddresses);
        } else {
            std::copy_n(m_staging->data(), m_staging->size(), m_doc.image());
            m_doc.UpdateBandLimits();
            // Every byte a write sends now comes from the radio, whatever file
            // the codeplug was loaded from.
            m_doc.setLoadedFileSize(-1);
            m_doc.setUnreadBlocks(incompleteBlocks());
        }
    }
    if (m_control.versionValid.load()) {
        AppSettings &settings = m_doc.settings();
        settings.mcuVersion = m_control.version.mcuVersion;
        settings.dataVersion = m_control.version.dataVersion;
        settings.cid = m_control.version.cid;
    }
}

PortProblem TransferJob::openProblem() const
{
    // The worker's port object; read only once the worker has ended.
    return m_worker == nullptr && !portOpened() ? m_comm.openProblem() : PortProblem();
}

RadioVersionInfo TransferJob::versionInfo() const
{
    // Written by the worker before it set the flag; read after it ended.
    return m_worker == nullptr && m_control.versionValid.load() ? m_control.version : RadioVersionInfo();
}

QList<int> TransferJob::skippedAddresses() const
{
    // Written by the worker; read only after it ended.
    return m_worker == nullptr ? m_control.skippedAddresses : QList<int>();
}

QList<int> TransferJob::damagedAddresses() const
{
    return m_worker == nullptr ? m_control.damagedAddresses : QList<int>();
}

QString TransferJob::portDescription() const
{
    return PortNames::describe(&m_doc.settings(), portToOpen());
}

bool TransferJob::writeModelIdentification(Prompter &prompter, bool searchOtherPorts)
{
    if (m_worker)
        return false;
    return WriteModelIdentification(m_comm, portToOpen(), m_doc.image(), m_doc.settings(), prompter, m_timings,
                                    searchOtherPorts);
}
