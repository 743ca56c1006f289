#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CPcSoftwareApp.h"
#include "app/CodeplugEditor.h"
#include "app/CommandIds.h"
#include "app/FilePaths.h"
#include "app/Prompter.h"
#include "app/SafeFileWriter.h"
#include "app/SectionTable.h"
#include "app/TreeCommands.h"
#include "app/UserState.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "link/CPortSelectDialog.h"
#include "link/CTransferDialog.h"
#include "sections/CSectionForm.h"
#include "widgets/FieldCommit.h"

#include "app/CodeplugSummary.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>

namespace {
const int kPaneWidths[4] = {250, 450, 120, 200};

// A status text: the leading tab asks for centring.
QString paneDisplay(const QString &text)
{
    return text.startsWith(QLatin1Char('\t')) ? text.mid(1) : text;
}
}

CMainFrame::CMainFrame(CPcSoftwareApp &app)
    : m_app(app),
      m_mdiArea(new QMdiArea(this)),
      m_treeBar(new CTreeBar(app.settings(), this)),
      m_treeCommands(std::make_unique<CTreeCommands>(app.document()))
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(CTreeBar::programIcon());
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);

    buildActions();
    buildMenus();
    buildToolBar();
    buildStatusBar();

    addDockWidget(Qt::LeftDockWidgetArea, m_treeBar);
    m_treeBar->BuildStaticItems();
    m_treeBar->CollapseRecordGroups();
    connect(m_treeBar, &CTreeBar::navigationRequested, this, &CMainFrame::PostNavigation);
    // As View > Channel Table; posted like the tree's navigation requests.
    connect(m_treeBar, &CTreeBar::channelTableRequested, this, [this] {
        QMetaObject::invokeMethod(this, [this] {
            CommitFocusedField();
            OpenChannelTable();
        }, Qt::QueuedConnection);
    });
    connect(m_treeBar, &CTreeBar::contextMenuRequested, this, &CMainFrame::onTreeContextMenu);
    connect(m_treeBar, &QDockWidget::visibilityChanged, this, [this](bool) {
        action(Cmd::ViewTreeBar)->setChecked(!m_treeBar->isHidden());
    });

    // Undo and redo redraw everything the restored bytes may touch.
    CodeplugEditor &editor = m_app.editor();
    connect(&editor, &CodeplugEditor::imageRestored, this, &CMainFrame::RefreshAfterEdit);
    // Every change, whichever form or command made it, lets the open forms
    // mend what it made invalid, within the same undo step.
    editor.setFollowUp([this] {
        for (int code = 1; code <= SectionTable::kSectionCount; ++code) {
            if (CSectionForm *form = openForm(code))
                form->MendAfterEdit();
        }
    });
    connect(&editor, &CodeplugEditor::stackChanged, this, [this] {
        UpdateUndoActions();
        UpdateTitle();
    });
    // Whether a text field has the focus decides where Alt+Backspace goes.
    connect(qApp, &QApplication::focusChanged, this, [this] { UpdateUndoActions(); });

    chooseImportFile = [this](QWidget *parent, TextFiles::Kind *kind) {
        const Language &language = m_app.settings().language();
        QString chosen;
        const QString path = QFileDialog::getOpenFileName(parent, QString(), QString(), TextFiles::importFilters(language), &chosen);
        *kind = TextFiles::kindOfFilter(chosen, language);
        return path;
    };
    chooseExportFile = [this](QWidget *parent, TextFiles::Kind *kind) {
        const Language &language = m_app.settings().language();
        QString chosen;
        const QString path = QFileDialog::getSaveFileName(parent, QString(), QString(), TextFiles::exportFilters(language), &chosen);
        *kind = TextFiles::kindOfFilter(chosen, language);
        return path;
    };

    UpdateTitle();
    resize(1100, 720);
    setWindowState(windowState() | Qt::WindowMaximized);

    connect(&m_statusTimer, &QTimer::timeout, this, &CMainFrame::UpdateStatusPanes);
    m_statusTimer.start(100);
    UpdateStatusPanes();
}

CMainFrame::~CMainFrame()
{
    // The bars outlive this object's members while the base class tears
    // the window down: they must not call back into it.
    m_statusTimer.stop();
    m_treeBar->disconnect(this);
    m_toolBar->disconnect(this);
    qApp->disconnect(this);
    m_app.editor().disconnect(this);
    m_app.editor().setFollowUp({});
}

void CMainFrame::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    for (int pane = 0; pane < 4; ++pane) {
        auto *label = new QLabel(QStringLiteral(" "), bar);
        label->setObjectName(QStringLiteral("StatusPane%1").arg(pane));
        label->setFixedWidth(kPaneWidths[pane]);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        bar->addWidget(label);
        m_panes[pane] = label;
    }
}

QStringList CMainFrame::statusPaneTexts() const
{
    const AppSettings &settings = m_app.settings();
    const CPcSoftwareDoc &doc = m_app.document();
    const Language &language = settings.language();
    return {
        QStringLiteral("\t") + settings.modelName() + QStringLiteral(" ") + language.GetLangString(QStringLiteral("IDS_MODELNAME")),
        QStringLiteral("\t") + language.GetLangString(QStringLiteral("IDS_COPYRIGHT")),
        QStringLiteral("\t%1MHz - %2MHz").arg(doc.lowerBandLimit() / 100000).arg(doc.upperBandLimit() / 100000),
        QDateTime::currentDateTime().toString(QStringLiteral("\tyyyy-MM-dd HH:mm:ss ")),
    };
}

void CMainFrame::UpdateStatusPanes()
{
    const QStringList texts = statusPaneTexts();
    for (int pane = 0; pane < 4; ++pane) {
        m_panes[pane]->setFixedWidth(kPaneWidths[pane]);
        m_panes[pane]->setText(paneDisplay(texts[pane]));
    }
}

QString CMainFrame::baseTitle() const
{
    const QString version = m_app.settings().language().GetLangString(QStringLiteral("IDS_AboutVersion"));
    return QStringLiteral("%1 %2").arg(m_app.settings().modelName(), version.right(5));
}

void CMainFrame::UpdateTitle()
{
    const QString docTitle = m_app.document().title();
    QString title = docTitle.isEmpty() ? baseTitle() : baseTitle() + QStringLiteral(" - ") + docTitle;
    // A codeplug read with blocks missing says so until another replaces it.
    if (m_app.document().unreadBlocks() > 0)
        title += QLatin1Char(' ') + m_app.settings().language().GetLangString(QStringLiteral("IDS_TITLE_UNREAD"));
    // "[*]" is where Qt shows the modified mark.
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(m_app.document().IsModified());
}

void CMainFrame::CommitFocusedField()
{
    CommitFocusedFieldIn(m_mdiArea);
}

void CMainFrame::CommitFocusedFieldIn(QWidget *within)
{
    commitFocusedField(within);
}

void CMainFrame::RefreshAllTexts()
{
    m_treeBar->RelabelStaticItems();
    const Language &language = m_app.settings().language();
    for (int code = 1; code <= SectionTable::kSectionCount; ++code) {
        if (CChildFrame *frame = m_app.openFrame(code))
            frame->setWindowTitle(language.GetLangItem(QStringLiteral("TreeMainMenu"), code));
    }
    ApplyMenuTexts();
    RebuildRecordNodes();
    UpdateAllViews();
    UpdateTitle();
    UpdateStatusPanes();
}

void CMainFrame::RefreshAfterRead()
{
    ApplyMenuTexts();
    RebuildRecordNodes();
    const Language &language = m_app.settings().language();
    for (int code = 1; code <= SectionTable::kSectionCount; ++code) {
        if (CChildFrame *frame = m_app.openFrame(code))
            frame->setWindowTitle(language.GetLangItem(QStringLiteral("TreeMainMenu"), code));
    }
    UpdateAllViews();
    m_treeBar->CollapseRecordGroups();
}

void CMainFrame::SwitchLanguage(const QString &name)
{
    AppSettings &settings = m_app.settings();
    const QString file = settings.languageFilePath(name);
    const bool exists = QFileInfo(file).isFile();
    if (exists)
        settings.setLanguageName(name);
    // A missing file empties the setting, so the next start follows the locale.
    settings.writeSetting(QStringLiteral("setup"), QStringLiteral("language"), exists ? name : QString());
    m_app.ApplyLanguage();
    RefreshAllTexts();
}

void CMainFrame::onTransfer(bool write)
{
    // A read replaces the codeplug and a write stamps its time: either is
    // one undo step.
    m_app.editor().apply(EditName::action(write ? QStringLiteral("IDS_ACTION_WRITE") : QStringLiteral("IDS_ACTION_READ")), [&] {
        CTransferDialog dialog(m_app.document(), m_app.prompter(),
                               write ? CTransferDialog::Direction::Write : CTransferDialog::Direction::Read, this);
        connect(&dialog, &CTransferDialog::readDone, this, &CMainFrame::RefreshAfterRead);
        dialog.exec();
    });
    UpdateStatusPanes();
    UpdateTitle();
}

void CMainFrame::onPortSettings()
{
    CPortSelectDialog dialog(m_app.settings(), this);
    dialog.exec();
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    CommitFocusedField();
    if (!m_app.SaveModified()) {
        event->ignore();
        return;
    }
    m_statusTimer.stop();
    if (isVisible())
        UserState::setValue(QStringLiteral("window/geometry"), saveGeometry(), &m_app.settings());
    event->accept();
}

void CMainFrame::restoreUserGeometry()
{
    const QByteArray geometry = UserState::value(QStringLiteral("window/geometry")).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
}

void CMainFrame::PrintSummaryTo(QPrinter &printer)
{
    QTextDocument page;
    page.setHtml(CodeplugSummary::html(m_app.document(), m_app.settings().language()));
    page.print(&printer);
}

void CMainFrame::OnPrint(bool preview)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(m_app.document().title());
    if (preview) {
        QPrintPreviewDialog dialog(&printer, this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *target) { PrintSummaryTo(*target); });
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        PrintSummaryTo(printer);
}

void CMainFrame::OnImport()
{
    TextFiles::Kind kind = TextFiles::Kind::YamlCodeplug;
    const QString path = chooseImportFile ? chooseImportFile(this, &kind) : QString();
    if (!path.isEmpty())
        ImportTextFile(path, kind);
}

void CMainFrame::OnExport()
{
    TextFiles::Kind kind = TextFiles::Kind::YamlCodeplug;
    const QString path = chooseExportFile ? chooseExportFile(this, &kind) : QString();
    if (!path.isEmpty())
        ExportTextFile(path, kind);
}

bool CMainFrame::ImportTextFile(const QString &path, TextFiles::Kind kind)
{
    const Language &language = m_app.settings().language();
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    // A FIFO or device would block or never end, and a huge file would take
    // the machine's memory: refused with the reason before anything is read.
    QString refused = FilePaths::whyNotImportable(path, TextFiles::maxBytes(kind));
    if (refused.isEmpty() && !file.open(QIODevice::ReadOnly))
        refused = file.errorString();
    const QByteArray text = refused.isEmpty() ? file.readAll() : QByteArray();
    if (refused.isEmpty() && text.size() > TextFiles::maxBytes(kind))
        refused = QStringLiteral("%1 holds more than the %2 MB this import reads").arg(path).arg(TextFiles::maxBytes(kind) >> 20);
    if (!refused.isEmpty()) {
        m_app.prompter().ask(Prompt{{}, QStringLiteral("IDS_ERROR"), Prompt::Icon::Error, Prompt::Buttons::Ok,
                                    language.GetLangString(QStringLiteral("IDS_ERROR_OPENFILE")).arg(shown)
                                        + QStringLiteral("\n\n") + refused});
        return false;
    }
    TextFiles::ImportResult result;
    m_app.editor().apply(EditName::action(QStringLiteral("IDS_ACTION_IMPORT")),
                         [&] { result = TextFiles::importText(kind, text, m_app.document(), QFileInfo(path).completeBaseName()); });
    RefreshAfterEdit();
    // The first problems, one a line; the rest are counted.
    constexpr int kListed = 12;
    const auto listed = [](const QStringList &lines) {
        QStringList shownLines = lines.mid(0, kListed);
        if (lines.size() > kListed)
            shownLines << QStringLiteral("... (+%1)").arg(lines.size() - kListed);
        return shownLines.join(QLatin1Char('\n'));
    };
    if (!result.ok()) {
        m_app.prompter().ask(Prompt{{}, QStringLiteral("IDS_ERROR"), Prompt::Icon::Error, Prompt::Buttons::Ok,
                                    language.GetLangString(QStringLiteral("IDS_IMPORT_FAILED")).arg(shown)
                                        + QStringLiteral("\n\n") + listed(result.errors)});
        return false;
    }
    QString done = language.GetLangString(QStringLiteral("IDS_IMPORT_DONE")).arg(shown);
    if (!result.warnings.isEmpty())
        done += QStringLiteral("\n\n") + listed(result.warnings);
    m_app.prompter().ask(Prompt{{}, QStringLiteral("IDS_PROMPT"), Prompt::Icon::Information, Prompt::Buttons::Ok, done});
    return true;
}

bool CMainFrame::ExportTextFile(const QString &path, TextFiles::Kind kind)
{
    CommitFocusedField();
    const QByteArray text = TextFiles::exportText(kind, m_app.document());
    QString error = FilePaths::whyNotWritable(path);
    if (error.isEmpty() && SafeFileWriter::writeFile(path, text, &error))
        return true;
    m_app.prompter().ask(Prompt{{}, QStringLiteral("IDS_ERROR"), Prompt::Icon::Error, Prompt::Buttons::Ok,
                                m_app.settings().language().GetLangString(QStringLiteral("IDS_ERROR_SAVEFILE"))
                                        .arg(QDir::toNativeSeparators(path))
                                    + QStringLiteral("\n\n") + error});
    return false;
}
