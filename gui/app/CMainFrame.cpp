#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CPcSoftwareApp.h"
#include "app/CommandIds.h"
#include "app/Prompter.h"
#include "app/SectionTable.h"
#include "app/TreeCommands.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "link/CPortSelectDialog.h"
#include "link/CTransferDialog.h"
#include "sections/CSectionForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>

namespace {

// The enabling word of [setup] testmode that keeps the test-mode command.
const char kTestModeWord[] = "zqparlin";
constexpr int kTipBufferSize = 80;
const int kPaneWidths[4] = {250, 450, 120, 200};

// The "MENU" keys of the commands.
const QHash<int, QString> &menuKeys()
{
    static const QHash<int, QString> keys = {
        {Cmd::FileNew, QStringLiteral("FILE_NEW")},
        {Cmd::FileOpen, QStringLiteral("FILE_OPEN")},
        {Cmd::FileSave, QStringLiteral("FILE_SAVE")},
        {Cmd::FileSaveAs, QStringLiteral("FILE_SAVE_AS")},
        {Cmd::FilePrint, QStringLiteral("FILE_PRINT")},
        {Cmd::FilePrintPreview, QStringLiteral("FILE_PRINT_PREVIEW")},
        {Cmd::AppExit, QStringLiteral("APP_EXIT")},
        {Cmd::EditBasicInfo, QStringLiteral("EDIT_BASICINFO")},
        {Cmd::EditKeySetting, QStringLiteral("EDIT_KEYSETTING")},
        {Cmd::EditAlertTone, QStringLiteral("EDIT_ALERTTONE")},
        {Cmd::EditOptionFeature, QStringLiteral("EDIT_OPTIONFEATURE")},
        {Cmd::EditChannel, QStringLiteral("EDIT_CHANNEL")},
        {Cmd::EditScan, QStringLiteral("EDIT_SCAN")},
        {Cmd::EditEmergency, QStringLiteral("EDIT_EMERGENCY")},
        {Cmd::EditAnalogEmergency, QStringLiteral("EDIT_ANALOGEMERGENCY")},
        {Cmd::EditDtmfSystem, QStringLiteral("EDIT_DTMFSYSTEM")},
        {Cmd::Edit5ToneSystem, QStringLiteral("EDIT_5TONESYSTEM")},
        {Cmd::EditEncodeSequence, QStringLiteral("EDIT_ENCODESEQUENCY")},
        {Cmd::EditQuickText, QStringLiteral("EDIT_QUICKTEXT")},
        {Cmd::EditDisplayControl, QStringLiteral("EDIT_DISPLAYCONTROL")},
        {Cmd::EditDecodeSequence, QStringLiteral("EDIT_DECODESEQUENCY")},
        {Cmd::EditBasicSetting, QStringLiteral("EDIT_BASICSETTING")},
        {Cmd::EditContact, QStringLiteral("EDIT_CONTACT")},
        {Cmd::EditRxGroup, QStringLiteral("EDIT_RXGROUP")},
        {Cmd::EditEncrypt, QStringLiteral("EDIT_ENCRYPT")},
        {Cmd::ProgramRead, QStringLiteral("PROGRAM_READDATA")},
        {Cmd::ProgramWrite, QStringLiteral("PROGRAM_WRITEDATA")},
        {Cmd::ProgramTestMode, QStringLiteral("PROGRAM_TESTMODE")},
        {Cmd::SettingChinese, QStringLiteral("SETTING_CHINESE")},
        {Cmd::SettingEnglish, QStringLiteral("SETTING_ENGLISH")},
        {Cmd::SettingPort, QStringLiteral("SETTING_PORT")},
        {Cmd::ViewTreeBar, QStringLiteral("VIEW_TREEBAR")},
        {Cmd::ViewToolBar, QStringLiteral("VIEW_TOOLBAR")},
        {Cmd::ViewStatusBar, QStringLiteral("VIEW_STATUS_BAR")},
        {Cmd::WindowCascade, QStringLiteral("WINDOW_CASCADE")},
        {Cmd::WindowTileHorz, QStringLiteral("WINDOW_TILE_HORZ")},
        {Cmd::WindowArrange, QStringLiteral("WINDOW_ARRANGE")},
        {Cmd::HelpHelp, QStringLiteral("HELP_HELP")},
        {Cmd::AppAbout, QStringLiteral("APP_ABOUT")},
    };
    return keys;
}

// The pop-up menus of the tree: entries and their "MENU" keys.
struct MenuEntry
{
    int command;
    const char *key;
};
const MenuEntry kAddMenu[] = {{Cmd::TreeAddList, "MENU_ADD"}};                                   // 142
const MenuEntry kRecordMenu[] = {{Cmd::TreeCopy, "MENU_COPY"}, {Cmd::TreePaste, "MENU_PASTE"},
                                 {Cmd::TreeDelete, "MENU_DELETE"}};                              // 144
const MenuEntry kZoneMenu[] = {{Cmd::TreeAddChannel, "MENU_ADD"}, {Cmd::TreeDeleteZone, "MENU_DELETE"}};  // 146

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
    connect(m_treeBar, &CTreeBar::contextMenuRequested, this, &CMainFrame::onTreeContextMenu);
    connect(m_treeBar, &QDockWidget::visibilityChanged, this, [this](bool) {
        action(Cmd::ViewTreeBar)->setChecked(!m_treeBar->isHidden());
    });

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
}

QAction *CMainFrame::addCommand(int commandId, const QKeySequence &shortcut)
{
    auto *act = new QAction(this);
    act->setObjectName(QStringLiteral("cmd%1").arg(commandId));
    act->setProperty("commandId", commandId);
    if (!shortcut.isEmpty())
        act->setShortcut(shortcut);
    addAction(act);  // accelerators work whether or not a menu shows the command
    m_actions.insert(commandId, act);
    return act;
}

void CMainFrame::buildActions()
{
    connect(addCommand(Cmd::FileNew, QKeySequence(Qt::CTRL | Qt::Key_N)), &QAction::triggered, this,
            [this] { m_app.OnFileNew(); });
    connect(addCommand(Cmd::FileOpen, QKeySequence(Qt::CTRL | Qt::Key_O)), &QAction::triggered, this,
            [this] { m_app.OnFileOpen(); });
    connect(addCommand(Cmd::FileSave, QKeySequence(Qt::CTRL | Qt::Key_S)), &QAction::triggered, this,
            [this] { m_app.OnFileSave(); });
    connect(addCommand(Cmd::FileSaveAs), &QAction::triggered, this, [this] { m_app.OnFileSaveAs(); });
    // The forms draw nothing on paper: printing is not offered.
    addCommand(Cmd::FilePrint)->setEnabled(false);
    addCommand(Cmd::FilePrintPreview)->setEnabled(false);
    connect(addCommand(Cmd::AppExit), &QAction::triggered, this, &QWidget::close);

    // Edit: every command opens its section's form; without a form it stays grey.
    for (int code = 1; code <= SectionTable::kSectionCount; ++code) {
        const int command = SectionTable::commandFor(code);
        if (command == 0)
            continue;
        QAction *act = addCommand(command);
        act->setEnabled(SectionTable::hasForm(code));
        connect(act, &QAction::triggered, this, [this, code] {
            PostNavigation(code, SectionTable::holdsRecords(code) ? rememberedIndex(code) : 0);
        });
    }

    connect(addCommand(Cmd::ProgramRead, QKeySequence(Qt::CTRL | Qt::Key_R)), &QAction::triggered, this,
            [this] { onTransfer(false); });
    connect(addCommand(Cmd::ProgramWrite, QKeySequence(Qt::CTRL | Qt::Key_W)), &QAction::triggered, this,
            [this] { onTransfer(true); });
    // The calibration table dialog is not part of this program yet.
    addCommand(Cmd::ProgramTestMode, QKeySequence(Qt::CTRL | Qt::Key_T))->setEnabled(false);
    addCommand(Cmd::ProgramUnused, QKeySequence(Qt::CTRL | Qt::Key_P));

    QAction *chinese = addCommand(Cmd::SettingChinese, QKeySequence(Qt::CTRL | Qt::Key_C));
    QAction *english = addCommand(Cmd::SettingEnglish, QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(chinese, &QAction::triggered, this, [this] { SwitchLanguage(QStringLiteral("chinese")); });
    connect(english, &QAction::triggered, this, [this] { SwitchLanguage(QStringLiteral("english")); });
    connect(addCommand(Cmd::SettingPort), &QAction::triggered, this, &CMainFrame::onPortSettings);

    QAction *tree = addCommand(Cmd::ViewTreeBar);
    tree->setCheckable(true);
    tree->setChecked(true);
    connect(tree, &QAction::triggered, this, [this](bool on) { m_treeBar->setVisible(on); });
    QAction *tools = addCommand(Cmd::ViewToolBar);
    tools->setCheckable(true);
    tools->setChecked(true);
    connect(tools, &QAction::triggered, this, [this](bool on) { m_toolBar->setVisible(on); });
    QAction *status = addCommand(Cmd::ViewStatusBar);
    status->setCheckable(true);
    status->setChecked(true);
    connect(status, &QAction::triggered, this, [this](bool on) { statusBar()->setVisible(on); });

    connect(addCommand(Cmd::WindowCascade), &QAction::triggered, m_mdiArea, &QMdiArea::cascadeSubWindows);
    connect(addCommand(Cmd::WindowTileHorz), &QAction::triggered, m_mdiArea, &QMdiArea::tileSubWindows);
    connect(addCommand(Cmd::WindowArrange), &QAction::triggered, this, &CMainFrame::arrangeIcons);
    connect(addCommand(Cmd::NextPane, QKeySequence(Qt::Key_F6)), &QAction::triggered, m_mdiArea,
            &QMdiArea::activateNextSubWindow);
    connect(addCommand(Cmd::PrevPane, QKeySequence(Qt::SHIFT | Qt::Key_F6)), &QAction::triggered, m_mdiArea,
            &QMdiArea::activatePreviousSubWindow);

    addCommand(Cmd::HelpHelp);  // no help file: the command does nothing
    connect(addCommand(Cmd::AppAbout), &QAction::triggered, this, [this] { m_app.OnAppAbout(); });

    // The edit keys reach the text field that has the focus.
    const std::pair<int, QList<QKeySequence>> editKeys[] = {
        {Cmd::EditCut, {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
        {Cmd::EditCopy, {QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {Cmd::EditPaste, {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
        {Cmd::EditUndo, {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
    };
    for (const auto &[command, keys] : editKeys) {
        QAction *act = addCommand(command);
        act->setShortcuts(keys);
        connect(act, &QAction::triggered, this, [this, id = command] { forwardEditKey(id); });
    }

    // The tree's pop-up commands act on the selected node.
    for (int command : {Cmd::TreeAddList, Cmd::TreeCopy, Cmd::TreePaste, Cmd::TreeDelete, Cmd::TreeAddChannel,
                        Cmd::TreeDeleteZone})
        connect(addCommand(command), &QAction::triggered, this, [this, command] { RunTreeCommand(command); });
}

void CMainFrame::buildMenus()
{
    auto addTop = [this](const QString &key) {
        QMenu *menu = menuBar()->addMenu(key);
        menu->setObjectName(key);
        m_menus.append({menu, key});
        return menu;
    };
    auto addSub = [this](QMenu *parent, const QString &key) {
        QMenu *menu = parent->addMenu(key);
        menu->setObjectName(key);
        m_menus.append({menu, key});
        return menu;
    };
    auto add = [this](QMenu *menu, std::initializer_list<int> commands) {
        for (int command : commands)
            menu->addAction(action(command));
    };

    m_fileMenu = addTop(QStringLiteral("FILE"));
    add(m_fileMenu, {Cmd::FileNew, Cmd::FileOpen, Cmd::FileSave, Cmd::FileSaveAs});
    m_fileMenu->addSeparator();
    add(m_fileMenu, {Cmd::FilePrint, Cmd::FilePrintPreview});
    m_recentFileSeparator = m_fileMenu->addSeparator();
    for (int i = 0; i < RecentFileList::kSize; ++i) {
        auto *recent = new QAction(this);
        recent->setObjectName(QStringLiteral("cmd%1").arg(Cmd::FileMruFirst + i));
        connect(recent, &QAction::triggered, this, [this, recent] {
            const QString path = recent->data().toString();
            if (m_app.SaveModified() && !m_app.OpenDocumentFile(path))
                m_app.recentFiles().remove(path);
            RefreshAllTexts();
        });
        m_recentFileActions.append(recent);
        m_fileMenu->addAction(recent);
    }
    m_fileMenu->addSeparator();
    add(m_fileMenu, {Cmd::AppExit});
    connect(m_fileMenu, &QMenu::aboutToShow, this, &CMainFrame::updateRecentFileMenu);

    QMenu *edit = addTop(QStringLiteral("EDIT"));
    add(edit, {Cmd::EditBasicInfo});
    add(addSub(edit, QStringLiteral("EDIT_RADIOINFO")), {Cmd::EditKeySetting, Cmd::EditAlertTone, Cmd::EditOptionFeature});
    add(edit, {Cmd::EditChannel, Cmd::EditScan, Cmd::EditEmergency});
    add(addSub(edit, QStringLiteral("EDIT_DIGITALSETTING")),
        {Cmd::EditBasicSetting, Cmd::EditContact, Cmd::EditRxGroup, Cmd::EditEncrypt});
    add(edit, {Cmd::EditAnalogEmergency, Cmd::EditDtmfSystem, Cmd::Edit5ToneSystem, Cmd::EditEncodeSequence,
               Cmd::EditQuickText, Cmd::EditDisplayControl, Cmd::EditDecodeSequence});

    add(addTop(QStringLiteral("PROGRAM")), {Cmd::ProgramRead, Cmd::ProgramWrite, Cmd::ProgramTestMode});

    QMenu *setting = addTop(QStringLiteral("SETTING"));
    add(setting, {Cmd::SettingChinese, Cmd::SettingEnglish});
    setting->addSeparator();
    add(setting, {Cmd::SettingPort});

    add(addTop(QStringLiteral("VIEW")), {Cmd::ViewTreeBar, Cmd::ViewToolBar, Cmd::ViewStatusBar});

    m_windowMenu = addTop(QStringLiteral("WINDOW"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &CMainFrame::updateWindowMenu);
    updateWindowMenu();

    add(addTop(QStringLiteral("HELP")), {Cmd::HelpHelp, Cmd::AppAbout});
    updateRecentFileMenu();
}

void CMainFrame::updateRecentFileMenu()
{
    const QStringList files = m_app.recentFiles().files();
    for (int i = 0; i < m_recentFileActions.size(); ++i) {
        QAction *recent = m_recentFileActions[i];
        const bool used = i < files.size();
        recent->setVisible(used);
        if (used) {
            recent->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i])));
            recent->setData(files[i]);
        }
    }
    m_recentFileSeparator->setVisible(!files.isEmpty());
}

void CMainFrame::updateWindowMenu()
{
    m_windowMenu->clear();
    m_windowMenu->addAction(action(Cmd::WindowCascade));
    m_windowMenu->addAction(action(Cmd::WindowTileHorz));
    m_windowMenu->addAction(action(Cmd::WindowArrange));
    const auto windows = m_mdiArea->subWindowList();
    int number = 0;
    for (QMdiSubWindow *window : windows) {
        if (window->isHidden())
            continue;
        if (number == 0)
            m_windowMenu->addSeparator();
        QAction *entry = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(window->windowTitle()));
        entry->setCheckable(true);
        entry->setChecked(window == m_mdiArea->activeSubWindow());
        connect(entry, &QAction::triggered, this, [this, window] { m_mdiArea->setActiveSubWindow(window); });
    }
}

void CMainFrame::buildToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setIconSize(QSize(24, 24));
    m_toolBar->setMovable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    QStyle *style = QApplication::style();
    const std::pair<int, QStyle::StandardPixmap> buttons[] = {
        {Cmd::FileNew, QStyle::SP_FileIcon},        {0, QStyle::SP_CustomBase},
        {Cmd::FileOpen, QStyle::SP_DialogOpenButton}, {Cmd::FileSave, QStyle::SP_DialogSaveButton},
        {Cmd::ProgramRead, QStyle::SP_ArrowDown},   {Cmd::ProgramWrite, QStyle::SP_ArrowUp},
        {Cmd::HelpHelp, QStyle::SP_MessageBoxQuestion}, {Cmd::AppExit, QStyle::SP_DialogCloseButton},
    };
    for (const auto &[command, icon] : buttons) {
        if (command == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        action(command)->setIcon(style->standardIcon(icon));
        m_toolBar->addAction(action(command));
    }
    connect(m_toolBar, &QToolBar::visibilityChanged, this,
            [this](bool visible) { action(Cmd::ViewToolBar)->setChecked(visible); });
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
    setWindowTitle(docTitle.isEmpty() ? baseTitle() : baseTitle() + QStringLiteral(" - ") + docTitle);
}

void CMainFrame::applyToolTips()
{
    const Language &language = m_app.settings().language();
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const QString tip = language.GetLangString(QStringLiteral("IDS_TIP_%1").arg(it.key()));
        it.value()->setToolTip(tip.left(kTipBufferSize - 1));
        it.value()->setStatusTip(tip);
    }
}

void CMainFrame::ApplyMenuTexts()
{
    AppSettings &settings = m_app.settings();
    const Language &language = settings.language();
    const QString section = QStringLiteral("MENU");
    if (menuBar()->actions().size() == 7) {
        for (const auto &[menu, key] : std::as_const(m_menus))
            menu->setTitle(language.GetLangText(section, key));
        const auto &keys = menuKeys();
        for (auto it = keys.cbegin(); it != keys.cend(); ++it)
            action(it.key())->setText(language.GetLangText(section, it.value()));
    }
    // Commands an installation does not offer leave the menu and lose their
    // accelerator too.
    const bool testMode = settings.setting(QStringLiteral("setup"), QStringLiteral("testmode"))
                          == QLatin1String(kTestModeWord);
    action(Cmd::ProgramTestMode)->setVisible(testMode);
    const QString model = settings.setting(QStringLiteral("setup"), QStringLiteral("model"));
    for (int code : {int(SectionTable::QuickTexts), int(SectionTable::DisplayControl), int(SectionTable::DecodeSequences)})
        action(SectionTable::commandFor(code))->setVisible(SectionTable::offeredForModel(code, model));
    action(Cmd::SettingChinese)->setCheckable(true);
    action(Cmd::SettingEnglish)->setCheckable(true);
    action(Cmd::SettingChinese)->setChecked(settings.languageName() == QLatin1String("chinese"));
    action(Cmd::SettingEnglish)->setChecked(settings.languageName() == QLatin1String("english"));
    applyToolTips();
    menuBar()->update();
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

void CMainFrame::RebuildRecordNodes()
{
    m_treeBar->RebuildRecordNodes(m_app.document());
}

void CMainFrame::UpdateAllViews(CSectionForm *except)
{
    for (int code = 1; code <= SectionTable::kSectionCount; ++code) {
        CSectionForm *form = openForm(code);
        if (form && form != except)
            form->OnUpdate();
    }
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
    const QString file = QDir(settings.programDir()).filePath(name + QStringLiteral(".lang"));
    const bool exists = QFileInfo(file).isFile();
    if (exists)
        settings.setLanguageName(name);
    // A missing file empties the setting, so the next start follows the locale.
    settings.writeSetting(QStringLiteral("setup"), QStringLiteral("language"), exists ? name : QString());
    RefreshAllTexts();
}

int CMainFrame::rememberedIndex(int code) const
{
    return m_rememberedIndex.value(code, 0);
}

CSectionForm *CMainFrame::openForm(int code) const
{
    CChildFrame *frame = m_app.openFrame(code);
    return frame ? frame->form() : nullptr;
}

void CMainFrame::PostNavigation(int code, int index)
{
    QMetaObject::invokeMethod(this, [this, code, index] { OnNavigate(code, index); }, Qt::QueuedConnection);
}

void CMainFrame::OnNavigate(int code, int index)
{
    if (code <= 0 || code > SectionTable::kSectionCount)
        return;
    if (CChildFrame *frame = m_app.openFrame(code)) {
        if (frame->isHidden()) {
            frame->show();
            frame->move(0, 0);
        }
        m_mdiArea->setActiveSubWindow(frame);
        m_treeBar->tree()->setFocus();
        if (SectionTable::holdsRecords(code)) {
            m_rememberedIndex[code] = index;
            frame->form()->ShowRecord(index);
        }
        if (code == SectionTable::BasicInfo)
            frame->form()->Reload();
        return;
    }
    if (!SectionTable::hasForm(code))
        return;
    if (SectionTable::holdsRecords(code))
        m_rememberedIndex[code] = index;
    if (!createFrame(code, rememberedIndex(code)))
        m_app.prompter().tell(QStringLiteral("IDS_ERROR_OPENFORM"), QStringLiteral("IDS_ERROR"), Prompt::Icon::Error);
}

CChildFrame *CMainFrame::createFrame(int code, int recordIndex)
{
    const SectionTable::FormFactory factory = SectionTable::formFactory(code);
    if (!factory)
        return nullptr;
    CSectionForm *form = factory(FormContext{m_app.document(), m_app.prompter()});
    if (!form)
        return nullptr;
    auto *frame = new CChildFrame(form);
    frame->setWindowIcon(windowIcon());
    frame->setObjectName(QStringLiteral("ChildFrame%1").arg(code));
    frame->setWindowTitle(m_app.settings().language().GetLangItem(QStringLiteral("TreeMainMenu"), code));
    m_mdiArea->addSubWindow(frame);
    m_app.setOpenFrame(code, frame);
    connect(frame, &CChildFrame::frameClosing, this, &CMainFrame::onFrameClosing);
    connectForm(form);
    form->OnInitialUpdate(recordIndex);
    frame->adjustSize();
    frame->move(0, 0);
    frame->show();
    m_mdiArea->setActiveSubWindow(frame);
    return frame;
}

void CMainFrame::connectForm(CSectionForm *form)
{
    connect(form, &CSectionForm::namesChanged, this, [this] { m_treeBar->RelabelRecordNodes(m_app.document()); });
    connect(form, &CSectionForm::dataChanged, this, [this, form] { UpdateAllViews(form); });
    connect(form, &CSectionForm::recordsChanged, this, [this, form] {
        RebuildRecordNodes();
        UpdateAllViews(form);
    });
    connect(form, &CSectionForm::codeplugReplaced, this, [this] {
        RebuildRecordNodes();
        UpdateAllViews();
    });
}

void CMainFrame::onFrameClosing(CChildFrame *frame)
{
    const int code = frame->sectionCode();
    if (m_app.openFrame(code) == frame)
        m_app.setOpenFrame(code, nullptr);
}

QMenu *CMainFrame::createTreeMenu(const TreeNode &node, QWidget *parent)
{
    const MenuEntry *entries = nullptr;
    int count = 0;
    int menuId = 0;
    if (node.kind == TreeNode::Kind::Static && SectionTable::holdsRecords(node.code)) {
        entries = kAddMenu;
        count = int(std::size(kAddMenu));
        menuId = 142;
    } else if (node.kind == TreeNode::Kind::Channel || node.kind == TreeNode::Kind::ScanList
               || node.kind == TreeNode::Kind::RxGroup) {
        entries = kRecordMenu;
        count = int(std::size(kRecordMenu));
        menuId = 144;
    } else if (node.kind == TreeNode::Kind::Zone) {
        entries = kZoneMenu;
        count = int(std::size(kZoneMenu));
        menuId = 146;
    } else {
        return nullptr;
    }
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("TreeMenu%1").arg(menuId));
    const Language &language = m_app.settings().language();
    for (int i = 0; i < count; ++i) {
        QAction *act = menu->addAction(language.GetLangText(QStringLiteral("MENU"), QLatin1String(entries[i].key)));
        act->setProperty("commandId", entries[i].command);
        act->setEnabled(m_treeCommands->isAvailable(entries[i].command, node));
        const int command = entries[i].command;
        connect(act, &QAction::triggered, this, [this, command] { RunTreeCommand(command); });
    }
    return menu;
}

void CMainFrame::onTreeContextMenu(const TreeNode &node, const QPoint &globalPos)
{
    QMenu *menu = createTreeMenu(node, this);
    if (!menu)
        return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

void CMainFrame::RunTreeCommand(int commandId)
{
    const TreeNode selected = m_treeBar->selectedNode();
    if (!m_treeCommands->isAvailable(commandId, selected))
        return;
    const CTreeCommands::Outcome outcome = m_treeCommands->run(commandId, selected);
    if (!outcome.changed)
        return;
    RebuildRecordNodes();
    if (QTreeWidgetItem *item = m_treeBar->itemFor(outcome.select)) {
        if (QTreeWidgetItem *parent = item->parent())
            parent->setExpanded(true);
        m_treeBar->selectNode(outcome.select);
    }
    // The form of the list shows the record the operation names.
    if (outcome.section != 0) {
        m_rememberedIndex[outcome.section] = outcome.recordIndex;
        if (CSectionForm *form = openForm(outcome.section))
            form->ShowRecord(outcome.recordIndex);
    }
    UpdateAllViews();
}

void CMainFrame::onTransfer(bool write)
{
    CTransferDialog dialog(m_app.document(), m_app.prompter(),
                           write ? CTransferDialog::Direction::Write : CTransferDialog::Direction::Read, this);
    connect(&dialog, &CTransferDialog::readDone, this, &CMainFrame::RefreshAfterRead);
    dialog.exec();
    UpdateStatusPanes();
}

void CMainFrame::onPortSettings()
{
    CPortSelectDialog dialog(m_app.settings(), this);
    dialog.exec();
}

void CMainFrame::forwardEditKey(int commandId)
{
    auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    if (!edit)
        return;
    switch (commandId) {
    case Cmd::EditCut: edit->cut(); break;
    case Cmd::EditCopy: edit->copy(); break;
    case Cmd::EditPaste: edit->paste(); break;
    case Cmd::EditUndo: edit->undo(); break;
    default: break;
    }
}

void CMainFrame::arrangeIcons()
{
    // Minimised frames line up along the bottom edge.
    int x = 0;
    const auto windows = m_mdiArea->subWindowList();
    for (QMdiSubWindow *window : windows) {
        if (!window->isMinimized() || window->isHidden())
            continue;
        window->move(x, m_mdiArea->viewport()->height() - window->height());
        x += window->width();
    }
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (!m_app.SaveModified()) {
        event->ignore();
        return;
    }
    m_statusTimer.stop();
    event->accept();
}
