#include "app/CMainFrame.h"

#include "app/CPcSoftwareApp.h"
#include "app/CodeplugEditor.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/SectionTable.h"
#include "app/TranslateDialog.h"
#include "calibration/CCalibrationTableDialog.h"
#include "codeplug/CPcSoftwareDoc.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

// The main window's commands: actions and their shortcuts, the menus, the
// tool bar, their texts in the current language, and undo and redo.

namespace {
constexpr int kTipBufferSize = 80;
}

QAction *CMainFrame::addCommand(int commandId, const QKeySequence &shortcut)
{
    auto *act = new QAction(this);
    act->setObjectName(QStringLiteral("cmd%1").arg(commandId));
    act->setProperty("commandId", commandId);
    if (!shortcut.isEmpty())
        act->setShortcut(shortcut);
    // Connected before the command's own handler: what is typed into the
    // focused field is stored before any command runs. The text-field
    // commands act on that field's text instead.
    if (!isTextFieldCommand(commandId))
        connect(act, &QAction::triggered, this, &CMainFrame::CommitFocusedField);
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
    // Printing gives a summary of the codeplug.
    connect(addCommand(Cmd::FilePrint), &QAction::triggered, this,
            [this] { OnPrint(false); });
    connect(addCommand(Cmd::FilePrintPreview), &QAction::triggered, this, [this] { OnPrint(true); });
    connect(addCommand(Cmd::FileImport), &QAction::triggered, this, &CMainFrame::OnImport);
    connect(addCommand(Cmd::FileExport), &QAction::triggered, this, &CMainFrame::OnExport);
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
    connect(addCommand(Cmd::ProgramTestMode, QKeySequence(Qt::CTRL | Qt::Key_T)), &QAction::triggered, this, [this] {
        CCalibrationTableDialog dialog(m_app.settings(), m_app.prompter(), m_app.document().upperBandLimit(), this);
        dialog.exec();
    });
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
    connect(addCommand(Cmd::ViewChannelTable), &QAction::triggered, this, &CMainFrame::OpenChannelTable);

    connect(addCommand(Cmd::WindowCascade), &QAction::triggered, m_mdiArea, &QMdiArea::cascadeSubWindows);
    connect(addCommand(Cmd::WindowTileHorz), &QAction::triggered, m_mdiArea, &QMdiArea::tileSubWindows);
    connect(addCommand(Cmd::WindowArrange), &QAction::triggered, this, &CMainFrame::arrangeIcons);
    connect(addCommand(Cmd::NextPane, QKeySequence(Qt::Key_F6)), &QAction::triggered, m_mdiArea,
            &QMdiArea::activateNextSubWindow);
    connect(addCommand(Cmd::PrevPane, QKeySequence(Qt::SHIFT | Qt::Key_F6)), &QAction::triggered, m_mdiArea,
            &QMdiArea::activatePreviousSubWindow);

    addCommand(Cmd::HelpHelp);  // no help file: the command does nothing
    connect(addCommand(Cmd::AppAbout), &QAction::triggered, this, [this] { m_app.OnAppAbout(); });

    // The edit keys reach the text field that has the focus; undo and redo
    // reach the codeplug when no text field has it. A text field with its
    // own undo takes Ctrl+Z before these shortcuts see it.
    const std::pair<int, QList<QKeySequence>> editKeys[] = {
        {Cmd::EditCut, {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
        {Cmd::EditCopy, {QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {Cmd::EditPaste, {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
        {Cmd::EditUndo, {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
        {Cmd::EditRedo, {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
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
    // The text files follow the file commands, so those keep their places.
    m_fileMenu->addSeparator();
    add(m_fileMenu, {Cmd::FileImport, Cmd::FileExport});
    m_recentFileSeparator = m_fileMenu->addSeparator();
    for (int i = 0; i < RecentFileList::kSize; ++i) {
        auto *recent = new QAction(this);
        recent->setObjectName(QStringLiteral("cmd%1").arg(Cmd::FileMruFirst + i));
        connect(recent, &QAction::triggered, this, &CMainFrame::CommitFocusedField);
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
    // Undo and redo follow the section commands, so those keep their places.
    edit->addSeparator();
    add(edit, {Cmd::EditUndo, Cmd::EditRedo});

    add(addTop(QStringLiteral("PROGRAM")), {Cmd::ProgramRead, Cmd::ProgramWrite, Cmd::ProgramTestMode});

    QMenu *setting = addTop(QStringLiteral("SETTING"));
    add(setting, {Cmd::SettingChinese, Cmd::SettingEnglish});
    setting->addSeparator();
    add(setting, {Cmd::SettingPort});

    add(addTop(QStringLiteral("VIEW")), {Cmd::ViewTreeBar, Cmd::ViewToolBar, Cmd::ViewStatusBar, Cmd::ViewChannelTable});

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
    m_toolBar->addSeparator();
    action(Cmd::EditUndo)->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"), style->standardIcon(QStyle::SP_ArrowBack)));
    action(Cmd::EditRedo)->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"), style->standardIcon(QStyle::SP_ArrowForward)));
    m_toolBar->addAction(action(Cmd::EditUndo));
    m_toolBar->addAction(action(Cmd::EditRedo));
    connect(m_toolBar, &QToolBar::visibilityChanged, this,
            [this](bool visible) { action(Cmd::ViewToolBar)->setChecked(visible); });
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
        const auto &keys = CommandTable::menuKeys();
        for (auto it = keys.cbegin(); it != keys.cend(); ++it)
            action(it.key())->setText(language.GetLangText(section, it.value()));
    }
    // Commands an installation does not offer leave the menu and lose their
    // accelerator too.
    const bool testMode = settings.setting(QStringLiteral("setup"), QStringLiteral("testmode"))
                          == QLatin1String(CommandTable::kTestModeWord);
    action(Cmd::ProgramTestMode)->setVisible(testMode);
    const QString model = settings.setting(QStringLiteral("setup"), QStringLiteral("model"));
    for (int code : {int(SectionTable::QuickTexts), int(SectionTable::DisplayControl), int(SectionTable::DecodeSequences)})
        action(SectionTable::commandFor(code))->setVisible(SectionTable::offeredForModel(code, model));
    action(Cmd::SettingChinese)->setCheckable(true);
    action(Cmd::SettingEnglish)->setCheckable(true);
    action(Cmd::SettingChinese)->setChecked(settings.languageName() == QLatin1String("chinese"));
    action(Cmd::SettingEnglish)->setChecked(settings.languageName() == QLatin1String("english"));
    applyToolTips();
    UpdateUndoActions();
    menuBar()->update();
}

void CMainFrame::UpdateUndoActions()
{
    const Language &language = m_app.settings().language();
    CodeplugEditor &editor = m_app.editor();
    const std::pair<QAction *, QString> entries[] = {
        {action(Cmd::EditUndo), editor.undoText(language)},
        {action(Cmd::EditRedo), editor.redoText(language)},
    };
    for (const auto &[act, text] : entries) {
        act->setText(text);
        // The tool-bar button says what it will undo; the text without the
        // mnemonic and the shortcut column.
        act->setToolTip(LabelTextForName(text.section(QLatin1Char('\t'), 0, 0)));
    }
    action(Cmd::EditUndo)->setEnabled(editor.stack().canUndo() || focusedTextField());
    action(Cmd::EditRedo)->setEnabled(editor.stack().canRedo());
}

QUndoStack &CMainFrame::undoStack() const
{
    return m_app.editor().stack();
}

void CMainFrame::Undo()
{
    if (QLineEdit *edit = focusedTextField()) {
        edit->undo();
        return;
    }
    CommitFocusedField();
    m_app.editor().stack().undo();
}

void CMainFrame::Redo()
{
    if (QLineEdit *edit = focusedTextField()) {
        edit->redo();
        return;
    }
    CommitFocusedField();
    m_app.editor().stack().redo();
}

bool CMainFrame::isTextFieldCommand(int commandId)
{
    return commandId == Cmd::EditCut || commandId == Cmd::EditCopy || commandId == Cmd::EditPaste
           || commandId == Cmd::EditUndo || commandId == Cmd::EditRedo;
}

QLineEdit *CMainFrame::focusedTextField()
{
    auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    return (edit && !edit->isReadOnly() && edit->isUndoAvailable()) ? edit : nullptr;
}

void CMainFrame::forwardEditKey(int commandId)
{
    if (commandId == Cmd::EditUndo || commandId == Cmd::EditRedo) {
        commandId == Cmd::EditUndo ? Undo() : Redo();
        return;
    }
    auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    if (!edit)
        return;
    switch (commandId) {
    case Cmd::EditCut: edit->cut(); break;
    case Cmd::EditCopy: edit->copy(); break;
    case Cmd::EditPaste: edit->paste(); break;
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
