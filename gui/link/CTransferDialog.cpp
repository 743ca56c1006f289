#include "link/CTransferDialog.h"

#include "app/AppSettings.h"
#include "app/Prompter.h"
#include "app/TranslateDialog.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/DataFile.h"
#include "link/TransferFailureText.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CTransferDialog::CTransferDialog(CPcSoftwareDoc &doc, Prompter &prompter, Direction direction, QWidget *parent)
    : QDialog(parent),
      m_doc(doc),
      m_prompter(prompter),
      m_direction(direction),
      m_comm(&doc.settings()),
      m_job(doc, m_comm),
      m_prompt(new QLabel(QStringLiteral("按确定开始"), this)),
      m_bar(new QProgressBar(this)),
      m_ok(new QPushButton(QStringLiteral("确定"), this)),
      m_cancel(new QPushButton(QStringLiteral("取消"), this))
{
    auto *layout = new QVBoxLayout(this);
    setCtrlId(m_prompt, PromptText);
    layout->addWidget(m_prompt);
    setCtrlId(m_bar, ProgressBar);
    m_bar->setTextVisible(false);
    m_bar->setMinimumWidth(360);
    layout->addWidget(m_bar);
    if (direction == Direction::Write) {
        m_verify = new QCheckBox(QStringLiteral("写入后校验"), this);
        setCtrlId(m_verify, VerifyCheck);
        AppSettings &settings = doc.settings();
        m_verify->setChecked(settings.settingInt(QStringLiteral("setup"), QStringLiteral("verify"), 1) != 0);
        connect(m_verify, &QCheckBox::toggled, this, [&settings](bool on) {
            settings.writeSetting(QStringLiteral("setup"), QStringLiteral("verify"), on ? QStringLiteral("1")
                                                                                    : QStringLiteral("0"));
        });
        layout->addWidget(m_verify);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    setCtrlId(m_ok, Ok);
    setCtrlId(m_cancel, Cancel);
    m_ok->setDefault(true);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &CTransferDialog::start);
    connect(m_cancel, &QPushButton::clicked, this, &CTransferDialog::reject);

    TranslateDialog(this, kDialogId, doc.settings().language());
    setWindowTitle(doc.settings().language().GetLangString(
        direction == Direction::Read ? QStringLiteral("IDS_READDATA") : QStringLiteral("IDS_WRITEDATA")));
    m_bar->setRange(0, kBarRange);
    m_bar->setValue(0);

    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &CTransferDialog::onTick);
}

CTransferDialog::~CTransferDialog()
{
    m_timer.stop();
    m_job.cancel();
}

QString CTransferDialog::promptKey() const
{
    if (m_job.isVerifying())
        return QStringLiteral("IDS_PROMPT_VERIFY");
    return m_direction == Direction::Read ? QStringLiteral("IDS_PROMPT_READ") : QStringLiteral("IDS_PROMPT_WRITE");
}

void CTransferDialog::showPrompt(const QString &text)
{
    m_prompt->setText(text);
}

QString CTransferDialog::progressText(const QString &prompt, int percent)
{
    return prompt + QStringLiteral(" %1%").arg(percent);
}

int CTransferDialog::barPosition(int percent)
{
    return percent * kBarRange / 100;
}

bool CTransferDialog::writeOfOddSizedFileConfirmed()
{
    if (m_direction != Direction::Write || !m_doc.loadedFromOddSizedFile() || m_oddSizeConfirmed)
        return true;
    QString text = m_doc.settings().language().GetLangString(QStringLiteral("IDS_ASK_WRITE_FILESIZE"));
    text.replace(QLatin1String("%1"), QString::number(m_doc.loadedFileSize()))
        .replace(QLatin1String("%2"), QString::number(DataFile::kFileSize));
    m_oddSizeConfirmed = m_prompter.ask(Prompt{{}, QStringLiteral("IDS_WARN"), Prompt::Icon::Warning,
                                               Prompt::Buttons::OkCancel, text})
        == PromptAnswer::Ok;
    return m_oddSizeConfirmed;
}

bool CTransferDialog::writeOfPartlyReadCodeplugConfirmed()
{
    if (m_direction != Direction::Write || m_doc.unreadBlocks() == 0 || m_unreadConfirmed)
        return true;
    const QString text = m_doc.settings().language().GetLangString(QStringLiteral("IDS_ASK_WRITE_UNREAD"))
                             .arg(m_doc.unreadBlocks());
    m_unreadConfirmed = m_prompter.ask(Prompt{{}, QStringLiteral("IDS_WARN"), Prompt::Icon::Warning,
                                              Prompt::Buttons::OkCancel, text})
        == PromptAnswer::Ok;
    return m_unreadConfirmed;
}

void CTransferDialog::start()
{
    const TransferDirection direction =
        m_direction == Direction::Read ? TransferDirection::Read : TransferDirection::Write;
    if (!writeOfOddSizedFileConfirmed() || !writeOfPartlyReadCodeplugConfirmed())
        return;
    if (!m_job.start(direction))
        return;
    m_ok->setEnabled(false);
    if (m_verify)
        m_verify->setEnabled(false);
    m_timer.start();
    showPrompt(m_doc.settings().language().GetLangString(promptKey()));
}

void CTransferDialog::finish(const QString &textKey, const QString &captionKey, int icon)
{
    m_prompter.tell(textKey, captionKey, Prompt::Icon(icon));
    accept();
}

void CTransferDialog::onTick()
{
    HandleStatus(m_job.poll());
}

void CTransferDialog::HandleStatus(TransferStatus status)
{
    const Language &language = m_doc.settings().language();
    switch (status) {
    case TransferStatus::Idle:
        return;
    case TransferStatus::Progress: {
        const int percent = std::clamp(m_job.progress(), 0, 100);
        showPrompt(progressText(language.GetLangString(promptKey()), percent));
        m_bar->setValue(barPosition(percent));
        return;
    }
    default:
        break;
    }
    // Every other status ends this transfer; the worker has closed the port.
    m_timer.stop();
    if (m_job.isVerifying()) {
        finishVerify(status);
        return;
    }
    if (status == TransferStatus::WriteDone && m_verify && m_verify->isChecked() && m_job.startVerify()) {
        m_bar->setValue(0);
        showPrompt(language.GetLangString(promptKey()));
        m_timer.start();
        return;
    }
    if (m_verify && (status == TransferStatus::ReadFailed || status == TransferStatus::WriteFailed))
        m_verify->setEnabled(true);
    switch (status) {
    case TransferStatus::PortError: {
        // A port that did not open says why, and how to fix it; otherwise
        // the cable message, with the step that failed and the port.
        const QString problem = m_job.openProblem().message(language);
        failWithText(!problem.isEmpty() ? problem : linkFailureText());
        break;
    }
    case TransferStatus::ReadFailed:
        showPrompt(language.GetLangString(QStringLiteral("IDS_PROMPT_READFAIL")));
        m_ok->setEnabled(true);
        break;
    case TransferStatus::WriteFailed:
        showPrompt(language.GetLangString(QStringLiteral("IDS_PROMPT_WRITEFAIL")));
        m_ok->setEnabled(true);
        break;
    case TransferStatus::ReadDone:
        m_bar->setValue(kBarRange);
        emit readDone();
        if (m_job.incompleteBlocks() > 0) {
            // Not a success: blocks the radio never sent intact keep other bytes.
            m_prompter.ask(Prompt{{}, QStringLiteral("IDS_WARN"), Prompt::Icon::Warning, Prompt::Buttons::Ok,
                                  language.GetLangString(QStringLiteral("IDS_READ_INCOMPLETE"))
                                      .arg(m_job.incompleteBlocks())
                                      .arg(m_job.skippedBlocks())
                                      .arg(m_job.damagedAddresses().size())});
            accept();
        } else {
            finish(QStringLiteral("IDS_PROMPT_READSUCC"), QStringLiteral("IDS_PROMPT"), int(Prompt::Icon::None));
        }
        break;
    case TransferStatus::WriteDone:
        m_bar->setValue(kBarRange);
        finish(QStringLiteral("IDS_PROMPT_WRITESUCC"), QStringLiteral("IDS_PROMPT"), int(Prompt::Icon::None));
        break;
    case TransferStatus::ModelMismatchOverwritable: {
        const Prompt question{QStringLiteral("IDS_WARN_OVERWRITE"), QStringLiteral("IDS_WARN"), Prompt::Icon::None,
                              Prompt::Buttons::OkCancel, {}};
        if (m_prompter.ask(question) == PromptAnswer::Ok && m_job.writeModelIdentification(m_prompter)) {
            start();  // a complete new write, with a new time stamp
            return;
        }
        accept();
        break;
    }
    case TransferStatus::ModelMismatch:
        finish(QStringLiteral("IDS_WARN_LOAD"), QStringLiteral("IDS_WARN"), int(Prompt::Icon::None));
        break;
    default:
        break;
    }
}

QString CTransferDialog::linkFailureText() const
{
    const Language &language = m_doc.settings().language();
    QString text = language.GetLangString(QStringLiteral("IDS_ERROR_PORTCONN"));
    const QString step = language.GetLangString(TransferFailureText::key(m_job.failure(), m_job.direction()));
    if (!step.isEmpty())
        text += QStringLiteral("\n\n") + step;
    return text + QStringLiteral("\n") + language.GetLangString(QStringLiteral("IDS_LINK_PORT")).arg(m_job.portDescription());
}

void CTransferDialog::failWithText(const QString &text)
{
    m_prompter.ask(Prompt{QString(), QStringLiteral("IDS_ERROR"), Prompt::Icon::Error, Prompt::Buttons::Ok, text});
    accept();
}

void CTransferDialog::finishVerify(TransferStatus status)
{
    const Language &language = m_doc.settings().language();
    if (status != TransferStatus::ReadDone) {
        failWithText(language.GetLangString(QStringLiteral("IDS_VERIFY_READFAIL")));
        return;
    }
    const WriteVerification verification = m_job.verification();
    if (verification.passed()) {
        m_bar->setValue(kBarRange);
        finish(QStringLiteral("IDS_PROMPT_VERIFYSUCC"), QStringLiteral("IDS_PROMPT"), int(Prompt::Icon::None));
        return;
    }
    // Blocks that differ weigh more than blocks that could not be compared.
    const bool differ = verification.differingBlocks > 0;
    const int address = differ ? verification.firstDifferingAddress : verification.firstUnverifiedAddress;
    failWithText(language.GetLangString(differ ? QStringLiteral("IDS_VERIFY_FAIL") : QStringLiteral("IDS_VERIFY_INCOMPLETE"))
                     .arg(differ ? verification.differingBlocks : verification.unverifiedBlocks)
                     .arg(address / Protocol::kBlockSize)
                     .arg(QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0')).toUpper()));
}

void CTransferDialog::reject()
{
    // Stops a running transfer; the job waits for its worker before the
    // port goes away.
    const bool writing = m_job.isRunning() && m_direction == Direction::Write && !m_job.isVerifying();
    m_timer.stop();
    m_job.cancel();
    // A write stopped after the radio took blocks leaves it with a mix of
    // old and new codeplug: say so, and offer to write it all again.
    if (writing && m_job.blocksTransferred() > 0 && m_job.status() != TransferStatus::WriteDone) {
        m_ok->setEnabled(true);
        if (m_verify)
            m_verify->setEnabled(true);
        showPrompt(m_doc.settings().language().GetLangString(QStringLiteral("IDS_PROMPT_WRITEFAIL")));
        const Prompt question{QStringLiteral("IDS_WRITE_CANCELLED"), QStringLiteral("IDS_WARN"), Prompt::Icon::Warning,
                              Prompt::Buttons::OkCancel, {}};
        if (m_prompter.ask(question) == PromptAnswer::Ok) {
            start();
            return;
        }
    }
    QDialog::reject();
}
