#pragma once

#include "app/CTreeBar.h"
#include "app/TextFiles.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include "app/CChildFrame.h"
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

class CChildFrame;
class CPcSoftwareApp;
class CSectionForm;
class CTreeCommands;
class QLabel;
class QPrinter;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QUndoStack;

// The main window: menus, tool bar, the four-pane status bar, the tree bar
// and the area that holds the section forms. It turns commands into the
// opening of forms, transfers, dialogs and language switches, re-applies
// the language texts to itself and every form, and asks before a modified
// codeplug is closed.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    explicit CMainFrame(CPcSoftwareApp &app);
    ~CMainFrame() override;

    QAction *action(int commandId) const { return m_actions.value(commandId, nullptr); }
    QMdiArea *mdiArea() const { return m_mdiArea; }
    CTreeBar *treeBar() const { return m_treeBar; }
    QToolBar *toolBar() const { return m_toolBar; }
    CTreeCommands &treeCommands() const { return *m_treeCommands; }

    // The navigation request of the tree and the Edit menu. Post queues it
    // as a click does; OnNavigate handles it at once.
    void PostNavigation(int code, int index);
    void OnNavigate(int code, int index);
    // The record index last remembered for the channel, scan-list and
    // RX-group forms (codes 6, 7, 12).
    int rememberedIndex(int code) const;
    CSectionForm *openForm(int code) const;
    // Opens a frame for the section; null when its form does not exist.
    CChildFrame *createFrame(int code, int recordIndex);
    // View > Channel Table: opens the table of every channel, or brings it to the front.
    CChildFrame *OpenChannelTable();
    CChildFrame *channelTableFrame() const { return m_channelTable; }

    // After start-up, a language switch and File Open: tree labels, frame
    // titles, menus, record nodes and every form.
    void RefreshAllTexts();
    void ApplyMenuTexts();
    void RebuildRecordNodes();
    // Relabels and reloads every open form (after a language switch).
    void UpdateAllViews(CSectionForm *except = nullptr);
    // Reloads the open forms from the image (after another form's store).
    void ReloadViews(CSectionForm *except = nullptr);
    // After undo, redo or an import: the tree's record nodes, every form and
    // the modified mark.
    void RefreshAfterEdit();
    // What a completed read of the radio redraws.
    void RefreshAfterRead();
    // Switches to "chinese" or "english" when that language file exists.
    void SwitchLanguage(const QString &name);
    // The geometry the window had when the user last closed it.
    void restoreUserGeometry();

    // File > Print and Print Preview: a summary of the codeplug through Qt's
    // print dialog or preview; the dialog also prints to a PDF file.
    void OnPrint(bool preview);
    void PrintSummaryTo(QPrinter &printer);

    // File > Import and Export: the YAML codeplug and the CSV files. An
    // import is one undo step; its problems are listed in one message.
    void OnImport();
    void OnExport();
    bool ImportTextFile(const QString &path, TextFiles::Kind kind);
    bool ExportTextFile(const QString &path, TextFiles::Kind kind);
    // The file dialogs of Import and Export; tests replace them. They
    // return the path and set the kind the chosen filter names.
    std::function<QString(QWidget *parent, TextFiles::Kind *kind)> chooseImportFile;
    std::function<QString(QWidget *parent, TextFiles::Kind *kind)> chooseExportFile;

    // Stores what is typed into the focused field of a form, exactly as its
    // focus loss would; every command does this before it runs.
    void CommitFocusedField();
    static void CommitFocusedFieldIn(QWidget *within);
    // Edit > Undo and Redo: the focused text field's own, else the codeplug's.
    void Undo();
    void Redo();
    void UpdateUndoActions();
    QUndoStack &undoStack() const;

    // The four status-bar texts as they are formatted (a leading tab centres them).
    QStringList statusPaneTexts() const;
    void UpdateStatusPanes();
    QLabel *statusPane(int pane) const { return m_panes[pane]; }
    // The model name and the version from the language file: "RQ381 V1.00".
    QString baseTitle() const;
    // The base title, the document's title and the modified mark.
    void UpdateTitle();

    // The pop-up menu of a tree node (null for nodes that have none), with
    // each entry's enabled state computed now.
    QMenu *createTreeMenu(const TreeNode &node, QWidget *parent);
    // Runs a tree command on the selected node.
    void RunTreeCommand(int commandId);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QPointer<CChildFrame> m_channelTable;
    QAction *addCommand(int commandId, const QKeySequence &shortcut = QKeySequence());
    void buildActions();
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void applyToolTips();
    void updateRecentFileMenu();
    void updateWindowMenu();
    void connectForm(CSectionForm *form);
    void onFrameClosing(CChildFrame *frame);
    // Where a frame being shown goes: cascaded below the frames shown already.
    QPoint cascadePositionFor(const QMdiSubWindow *frame) const;
    void onTreeContextMenu(const TreeNode &node, const QPoint &globalPos);
    void onTransfer(bool write);
    void onPortSettings();
    void forwardEditKey(int commandId);
    static bool isTextFieldCommand(int commandId);
    static QLineEdit *focusedTextField();
    void arrangeIcons();

    CPcSoftwareApp &m_app;
    QMdiArea *m_mdiArea;
    CTreeBar *m_treeBar;
    QToolBar *m_toolBar = nullptr;
    std::array<QLabel *, 4> m_panes{};
    QTimer m_statusTimer;
    QHash<int, QAction *> m_actions;
    QList<QPair<QMenu *, QString>> m_menus;  // menus and sub-menus with their "MENU" keys
    QMenu *m_fileMenu = nullptr;
    QMenu *m_windowMenu = nullptr;
    QList<QAction *> m_recentFileActions;
    QAction *m_recentFileSeparator = nullptr;
    QHash<int, int> m_rememberedIndex;
    std::unique_ptr<CTreeCommands> m_treeCommands;
};
