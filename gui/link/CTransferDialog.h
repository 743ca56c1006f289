#pragma once

#include "link/CMSComm.h"
#include "link/TransferJob.h"

#include <QDialog>
#include <QTimer>

class CPcSoftwareDoc;
class Prompter;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

// Reads the codeplug from the radio or writes it to the radio. OK starts the
// transfer on the library's worker; a 20 ms timer turns its status into the
// progress text and bar, or into the closing message. Cancel (also Esc and
// the close box) stops a running transfer and waits for the worker.
class CTransferDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 141;
    static constexpr int kTickMs = 20;
    static constexpr int kBarRange = 1024;
    enum Control { Ok = 1, Cancel = 2, ProgressBar = 1253, PromptText = 1254, VerifyCheck = 1255 };
    enum class Direction { Read, Write };

    CTransferDialog(CPcSoftwareDoc &doc, Prompter &prompter, Direction direction, QWidget *parent = nullptr);
    ~CTransferDialog() override;

    TransferJob &job() { return m_job; }
    QProgressBar *progressBar() const { return m_bar; }
    QLabel *promptLabel() const { return m_prompt; }
    QPushButton *okButton() const { return m_ok; }
    // "Verify after writing"; null in the read dialog. Its state is kept in
    // [setup] verify of setting.ini (on unless 0).
    QCheckBox *verifyCheck() const { return m_verify; }
    bool isTransferRunning() const { return m_timer.isActive(); }

    // OK: starts a transfer (again after a failed one).
    void start();
    void reject() override;
    // What the timer does with the transfer's status: moves the bar, or
    // ends the transfer with its message. Public so that the handling of
    // every status can be checked without a radio.
    void HandleStatus(TransferStatus status);

    // " 42%" after the prompt; the bar scaled to 0..1024.
    static QString progressText(const QString &prompt, int percent);
    static int barPosition(int percent);

signals:
    // A read replaced the codeplug: the tree and every form must redraw.
    void readDone();

private:
    void onTick();
    // A codeplug from a file cut short may be partly blank: asks once
    // before it is written. True when the write may go on.
    bool writeOfOddSizedFileConfirmed();
    // A codeplug read with blocks missing or damaged: asks once before it
    // is written. True when the write may go on.
    bool writeOfPartlyReadCodeplugConfirmed();
    // The cable message, then the step that failed and the port.
    QString linkFailureText() const;
    void finish(const QString &textKey, const QString &captionKey, int icon);
    // The end of a write's read-back: success only when every block matched.
    void finishVerify(TransferStatus status);
    void failWithText(const QString &text);
    QString promptKey() const;
    void showPrompt(const QString &text);

    CPcSoftwareDoc &m_doc;
    Prompter &m_prompter;
    Direction m_direction;
    CMSComm m_comm;
    TransferJob m_job;
    QTimer m_timer;
    QLabel *m_prompt;
    QProgressBar *m_bar;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QCheckBox *m_verify = nullptr;
    bool m_oddSizeConfirmed = false;
    bool m_unreadConfirmed = false;
};
