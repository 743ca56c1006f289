#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CPcSoftwareApp.h"
#include "app/CodeplugEditor.h"
#include "app/CommandTable.h"
#include "app/FramePlacement.h"
#include "app/Prompter.h"
#include "app/SectionTable.h"
#include "app/TreeCommands.h"
#include "sections/CSectionForm.h"
#include "sections/ChannelTableView.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QMenu>
#include <QTreeWidget>

// The routing of navigation requests to the section forms, the frames that
// hold them, what redraws after a change, and the tree's list operations.

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
    if (m_channelTable && m_channelTable->form() != except)
        m_channelTable->form()->OnUpdate();
}

void CMainFrame::ReloadViews(CSectionForm *except)
{
    for (int code = 1; code <= SectionTable::kSectionCount; ++code) {
        CSectionForm *form = openForm(code);
        if (form && form != except)
            form->Reload();
    }
    if (m_channelTable && m_channelTable->form() != except)
        m_channelTable->form()->Reload();
}

void CMainFrame::RefreshAfterEdit()
{
    RebuildRecordNodes();
    ReloadViews();
    UpdateTitle();
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
    // The tree's requests come here however they were started.
    CommitFocusedField();
    if (CChildFrame *frame = m_app.openFrame(code)) {
        if (frame->isHidden()) {
            frame->move(cascadePositionFor(frame));
            frame->show();
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
    CSectionForm *form = factory(FormContext{m_app.document(), m_app.prompter(), m_app.editor()});
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
    frame->move(cascadePositionFor(frame));
    frame->show();
    m_mdiArea->setActiveSubWindow(frame);
    return frame;
}

CChildFrame *CMainFrame::OpenChannelTable()
{
    if (m_channelTable) {
        m_mdiArea->setActiveSubWindow(m_channelTable);
        return m_channelTable;
    }
    auto *form = new ChannelTableView(FormContext{m_app.document(), m_app.prompter(), m_app.editor()});
    auto *frame = new CChildFrame(form);
    frame->setWindowIcon(windowIcon());
    frame->setObjectName(QStringLiteral("ChannelTableFrame"));
    m_mdiArea->addSubWindow(frame);
    m_channelTable = frame;
    // A closed frame is gone for the table even before Qt deletes it.
    connect(frame, &CChildFrame::frameClosing, this, [this, frame] {
        if (m_channelTable == frame)
            m_channelTable = nullptr;
    });
    connectForm(form);
    form->OnInitialUpdate(0);
    // As large as it wants, within the window.
    frame->resize(frame->sizeHint().boundedTo(m_mdiArea->size()));
    frame->move(cascadePositionFor(frame));
    frame->show();
    m_mdiArea->setActiveSubWindow(frame);
    // The keys go to the table, not to the filter above it.
    form->setFocus();
    return frame;
}

QPoint CMainFrame::cascadePositionFor(const QMdiSubWindow *frame) const
{
    QList<QPoint> shown;
    const auto windows = m_mdiArea->subWindowList();
    for (const QMdiSubWindow *window : windows) {
        if (window != frame && !window->isHidden())
            shown << window->pos();
    }
    const int step = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame);
    return FramePlacement::cascadePosition(shown, frame->size(), m_mdiArea->viewport()->size(), step);
}

void CMainFrame::connectForm(CSectionForm *form)
{
    connect(form, &CSectionForm::namesChanged, this, [this] { m_treeBar->RelabelRecordNodes(m_app.document()); });
    connect(form, &CSectionForm::dataChanged, this, [this, form] { ReloadViews(form); });
    connect(form, &CSectionForm::recordsChanged, this, [this, form] {
        RebuildRecordNodes();
        ReloadViews(form);
    });
    connect(form, &CSectionForm::codeplugReplaced, this, [this] {
        RebuildRecordNodes();
        ReloadViews();
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
    int menuId = 0;
    if (node.kind == TreeNode::Kind::Static && SectionTable::holdsRecords(node.code))
        menuId = 142;
    else if (node.kind == TreeNode::Kind::Channel || node.kind == TreeNode::Kind::ScanList
             || node.kind == TreeNode::Kind::RxGroup)
        menuId = 144;
    else if (node.kind == TreeNode::Kind::Zone)
        menuId = 146;
    else
        return nullptr;
    const auto entries = CommandTable::treeMenu(menuId);
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("TreeMenu%1").arg(menuId));
    const Language &language = m_app.settings().language();
    for (const CommandTable::MenuEntry &entry : entries) {
        QAction *act = menu->addAction(language.GetLangText(QStringLiteral("MENU"), QLatin1String(entry.key)));
        act->setProperty("commandId", entry.command);
        act->setEnabled(m_treeCommands->isAvailable(entry.command, node));
        const int command = entry.command;
        connect(act, &QAction::triggered, this, &CMainFrame::CommitFocusedField);
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
    CTreeCommands::Outcome outcome;
    m_app.editor().apply(EditName::action(CTreeCommands::actionKey(commandId, selected)),
                         [&] { outcome = m_treeCommands->run(commandId, selected); });
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
    ReloadViews();
}
