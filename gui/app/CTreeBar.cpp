#include "app/CTreeBar.h"

#include "app/AppSettings.h"
#include "app/SectionTable.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "sections/ChannelData.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QTreeWidget>

namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kFirstRole = Qt::UserRole + 1;
constexpr int kSecondRole = Qt::UserRole + 2;

// A 16 x 16 icon: a coloured tile with a letter, so that every kind of item
// can be told apart at a glance.
QIcon tileIcon(QColor colour, QChar letter)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour.darker(140));
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(letter));
    return QIcon(pixmap);
}

bool isFolderItem(int code)
{
    return code == SectionTable::Channels || code == SectionTable::ScanLists
           || code == SectionTable::DigitalParameters || code == SectionTable::RxGroups;
}

QIcon folderIcon(bool open)
{
    return QApplication::style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon);
}

QIcon staticIcon(int code)
{
    if (isFolderItem(code))
        return folderIcon(false);
    static const struct { QColor colour; char letter; } kIcons[] = {
        {QColor(0x3a, 0x6e, 0xa5), 'R'},  // 0 root
        {QColor(0x2e, 0x8b, 0x57), 'i'},  // 1 basic information
        {QColor(0x6a, 0x5a, 0xcd), 'S'},  // 2 radio settings
        {QColor(0x8b, 0x45, 0x13), 'K'},  // 3 keys
        {QColor(0xc7, 0x15, 0x85), 'A'},  // 4 alert tones
        {QColor(0x46, 0x82, 0xb4), 'O'},  // 5 options
        {},                               // 6 folder
        {},                               // 7 folder
        {QColor(0xcc, 0x22, 0x22), '!'},  // 8 emergency
        {},                               // 9 folder
        {QColor(0x20, 0x80, 0x80), 'D'},  // 10 digital basic settings
        {QColor(0x55, 0x6b, 0x2f), 'C'},  // 11 contacts
        {},                               // 12 folder
        {QColor(0x70, 0x70, 0x70), 'E'},  // 13 encryption
        {QColor(0xd2, 0x69, 0x1e), '!'},  // 14 analog emergency
        {QColor(0x1e, 0x90, 0xff), '#'},  // 15 DTMF
        {QColor(0x99, 0x32, 0xcc), '5'},  // 16 5-tone
        {QColor(0x00, 0x80, 0x00), '>'},  // 17 encode sequences
        {QColor(0xb8, 0x86, 0x0b), 'T'},  // 18 quick texts
        {QColor(0x48, 0x3d, 0x8b), 'V'},  // 19 display
        {QColor(0x00, 0x64, 0x64), '<'},  // 20 decode sequences
    };
    if (code < 0 || code > 20)
        return {};
    return tileIcon(kIcons[code].colour, QLatin1Char(kIcons[code].letter));
}

QIcon recordIcon(TreeNode::Kind kind)
{
    switch (kind) {
    case TreeNode::Kind::Zone: return tileIcon(QColor(0x4f, 0x81, 0xbd), QLatin1Char('Z'));
    case TreeNode::Kind::Channel: return tileIcon(QColor(0x9b, 0xbb, 0x59), QLatin1Char('c'));
    case TreeNode::Kind::ScanList: return tileIcon(QColor(0xf7, 0x96, 0x46), QLatin1Char('s'));
    case TreeNode::Kind::RxGroup: return tileIcon(QColor(0x80, 0x64, 0xa2), QLatin1Char('g'));
    case TreeNode::Kind::ChannelTable: return tileIcon(QColor(0x9b, 0xbb, 0x59), QLatin1Char('T'));
    default: break;
    }
    return {};
}

}

QIcon CTreeBar::programIcon()
{
    return tileIcon(QColor(0x3a, 0x6e, 0xa5), QLatin1Char('R'));
}

CTreeBar::CTreeBar(const AppSettings &settings, QWidget *parent)
    : QDockWidget(QStringLiteral("Tree Bar"), parent),
      m_settings(settings),
      m_tree(new QTreeWidget(this)),
      m_staticItems(SectionTable::kStaticItemCount, nullptr)
{
    setObjectName(QStringLiteral("TreeBar"));
    setAllowedAreas(Qt::AllDockWidgetAreas);
    m_tree->setObjectName(QStringLiteral("TreeControl"));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setIndentation(20);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setStyleSheet(QStringLiteral("QTreeWidget { background-color: #F0F0F0; }"));
    m_tree->setMinimumWidth(200);
    setWidget(m_tree);

    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { onItemClicked(item); });
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { onItemClicked(item); });
    connect(m_tree, &QTreeWidget::customContextMenuRequested, this, &CTreeBar::onContextMenu);
    // The Menu key reaches the context menu through Qt; Shift+F10 does not.
    m_tree->installEventFilter(this);
    connect(m_tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *item) { updateFolderIcon(item, true); });
    connect(m_tree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *item) { updateFolderIcon(item, false); });
}

void CTreeBar::BuildStaticItems()
{
    m_tree->clear();
    m_staticItems.fill(nullptr);
    clearRecordNodes();
    const Language &language = m_settings.language();
    const QString model = m_settings.modelName();
    const QString section = QStringLiteral("TreeMainMenu");

    const QString rootLabel = language.GetLangItem(section, 0);
    if (!rootLabel.isEmpty()) {
        auto *root = new QTreeWidgetItem(m_tree, QStringList(rootLabel));
        root->setData(0, kKindRole, int(TreeNode::Kind::Static));
        root->setData(0, kFirstRole, 0);
        root->setIcon(0, staticIcon(0));
        m_staticItems[0] = root;
    }
    for (int code = 1; code < SectionTable::kStaticItemCount; ++code) {
        const QString label = language.GetLangItem(section, code);
        if (label.isEmpty())
            break;
        const int parentCode = SectionTable::treeParent(code);
        if (parentCode < 0 || !SectionTable::offeredForModel(code, model))
            continue;
        QTreeWidgetItem *parent = m_staticItems.value(parentCode);
        auto *item = parent ? new QTreeWidgetItem(parent, QStringList(label))
                            : new QTreeWidgetItem(m_tree, QStringList(label));
        item->setData(0, kKindRole, int(TreeNode::Kind::Static));
        item->setData(0, kFirstRole, code);
        item->setIcon(0, staticIcon(code));
        // Sections whose form is not built yet are shown in grey.
        if (!SectionTable::isGroupOnly(code) && !SectionTable::hasForm(code))
            item->setForeground(0, QColor(0x80, 0x80, 0x80));
        m_staticItems[code] = item;
    }
    for (int code : {int(SectionTable::Root), int(SectionTable::RadioSettings), int(SectionTable::DigitalParameters)}) {
        if (QTreeWidgetItem *item = m_staticItems.value(code))
            item->setExpanded(true);
    }
    syncFolderIcons();
}

void CTreeBar::syncFolderIcons()
{
    for (QTreeWidgetItem *item : std::as_const(m_staticItems)) {
        if (item)
            updateFolderIcon(item, item->isExpanded());
    }
}

void CTreeBar::RelabelStaticItems()
{
    const Language &language = m_settings.language();
    for (int code = 0; code < m_staticItems.size(); ++code) {
        if (QTreeWidgetItem *item = m_staticItems[code])
            item->setText(0, language.GetLangItem(QStringLiteral("TreeMainMenu"), code));
    }
    if (m_channelTableNode)
        m_channelTableNode->setText(0, language.GetLangString(QStringLiteral("IDS_TABLE_TITLE")));
}

void CTreeBar::clearRecordNodes()
{
    for (int code : {int(SectionTable::Channels), int(SectionTable::ScanLists), int(SectionTable::RxGroups)}) {
        if (QTreeWidgetItem *item = m_staticItems.value(code))
            qDeleteAll(item->takeChildren());
    }
    m_channelTableNode = nullptr;
    m_zoneNodes.clear();
    m_channelNodes.clear();
    m_scanNodes.clear();
    m_rxGroupNodes.clear();
}

QTreeWidgetItem *CTreeBar::addRecordNode(QTreeWidgetItem *parent, const TreeNode &node, const QString &label)
{
    auto *item = new QTreeWidgetItem(parent, QStringList(label));
    item->setData(0, kKindRole, int(node.kind));
    item->setData(0, kFirstRole, node.kind == TreeNode::Kind::Static ? node.code : node.zone);
    item->setData(0, kSecondRole, node.number);
    item->setIcon(0, recordIcon(node.kind));
    return item;
}

bool CTreeBar::recordShapeMatches(CPcSoftwareDoc &doc) const
{
    if (staticItem(SectionTable::Channels) && !m_channelTableNode)
        return false;
    const CChannelData channels(doc);
    const int zones = channels.CountZones();
    if (zones != m_zoneNodes.size() || m_channelNodes.size() != zones)
        return false;
    for (int zone = 1; zone <= zones; ++zone) {
        if (channels.CountChannels(zone) != m_channelNodes[zone - 1].size())
            return false;
    }
    return CScanData(doc).CountLists() == m_scanNodes.size() && CRxGroupData(doc).CountLists() == m_rxGroupNodes.size();
}

void CTreeBar::RebuildRecordNodes(CPcSoftwareDoc &doc)
{
    // Most edits keep every record where it was: the nodes then only take
    // their new names, which keeps the tree's expansion and is much faster.
    if (recordShapeMatches(doc)) {
        RelabelRecordNodes(doc);
        return;
    }
    const ViewState state = viewState();
    clearRecordNodes();
    if (QTreeWidgetItem *channels = staticItem(SectionTable::Channels)) {
        m_channelTableNode = addRecordNode(channels, TreeNode::channelTableNode(),
                                           m_settings.language().GetLangString(QStringLiteral("IDS_TABLE_TITLE")));
        const CChannelData data(doc);
        const int zones = data.CountZones();
        for (int zone = 1; zone <= zones; ++zone) {
            QTreeWidgetItem *zoneItem = addRecordNode(channels, TreeNode::zoneNode(zone), data.GetZoneName(zone));
            m_zoneNodes.append(zoneItem);
            QVector<QTreeWidgetItem *> channelItems;
            const int count = data.CountChannels(zone);
            for (int channel = 1; channel <= count; ++channel)
                channelItems.append(addRecordNode(zoneItem, TreeNode::channelNode(zone, channel),
                                                  data.GetChannelName(zone, channel)));
            m_channelNodes.append(channelItems);
        }
    }
    if (QTreeWidgetItem *scans = staticItem(SectionTable::ScanLists)) {
        const CScanData data(doc);
        const int count = data.CountLists();
        for (int list = 1; list <= count; ++list)
            m_scanNodes.append(addRecordNode(scans, TreeNode::scanNode(list), data.GetName(list)));
    }
    if (QTreeWidgetItem *groups = staticItem(SectionTable::RxGroups)) {
        const CRxGroupData data(doc);
        const int count = data.CountLists();
        for (int list = 1; list <= count; ++list)
            m_rxGroupNodes.append(addRecordNode(groups, TreeNode::rxGroupNode(list), data.GetName(list)));
    }
    restoreViewState(state);
}

CTreeBar::ViewState CTreeBar::viewState() const
{
    ViewState state;
    state.selected = selectedNode();
    for (int code : {int(SectionTable::Channels), int(SectionTable::ScanLists), int(SectionTable::RxGroups)}) {
        if (QTreeWidgetItem *item = staticItem(code); item && item->isExpanded())
            state.expanded << TreeNode::staticItem(code);
    }
    for (int z = 0; z < m_zoneNodes.size(); ++z) {
        if (m_zoneNodes[z]->isExpanded())
            state.expanded << TreeNode::zoneNode(z + 1);
    }
    return state;
}

void CTreeBar::restoreViewState(const ViewState &state)
{
    for (const TreeNode &node : state.expanded) {
        if (QTreeWidgetItem *item = itemFor(node))
            item->setExpanded(true);
    }
    // A record that is gone hands the selection to its zone or its group.
    const TreeNode &was = state.selected;
    if (selectNode(was))
        return;
    switch (was.kind) {
    case TreeNode::Kind::Channel:
        if (!selectNode(TreeNode::zoneNode(was.zone)))
            selectNode(TreeNode::staticItem(SectionTable::Channels));
        break;
    case TreeNode::Kind::Zone: selectNode(TreeNode::staticItem(SectionTable::Channels)); break;
    case TreeNode::Kind::ScanList: selectNode(TreeNode::staticItem(SectionTable::ScanLists)); break;
    case TreeNode::Kind::RxGroup: selectNode(TreeNode::staticItem(SectionTable::RxGroups)); break;
    default: break;
    }
}

void CTreeBar::RelabelRecordNodes(CPcSoftwareDoc &doc)
{
    // Only changed labels are set: every setText makes the view lay out again.
    const auto relabel = [](QTreeWidgetItem *item, const QString &text) {
        if (item->text(0) != text)
            item->setText(0, text);
    };
    const CChannelData channels(doc);
    for (int z = 0; z < m_zoneNodes.size(); ++z) {
        relabel(m_zoneNodes[z], channels.GetZoneName(z + 1));
        for (int c = 0; c < m_channelNodes[z].size(); ++c)
            relabel(m_channelNodes[z][c], channels.GetChannelName(z + 1, c + 1));
    }
    const CScanData scans(doc);
    for (int s = 0; s < m_scanNodes.size(); ++s)
        relabel(m_scanNodes[s], scans.GetName(s + 1));
    const CRxGroupData groups(doc);
    for (int g = 0; g < m_rxGroupNodes.size(); ++g)
        relabel(m_rxGroupNodes[g], groups.GetName(g + 1));
}

void CTreeBar::CollapseRecordGroups()
{
    for (int code : {int(SectionTable::Channels), int(SectionTable::ScanLists), int(SectionTable::RxGroups)}) {
        if (QTreeWidgetItem *item = staticItem(code))
            item->setExpanded(false);
    }
    syncFolderIcons();
}

QTreeWidgetItem *CTreeBar::staticItem(int code) const
{
    return m_staticItems.value(code, nullptr);
}

QTreeWidgetItem *CTreeBar::itemFor(const TreeNode &node) const
{
    switch (node.kind) {
    case TreeNode::Kind::Static: return staticItem(node.code);
    case TreeNode::Kind::Zone: return m_zoneNodes.value(node.zone - 1, nullptr);
    case TreeNode::Kind::Channel:
        return m_channelNodes.value(node.zone - 1).value(node.number - 1, nullptr);
    case TreeNode::Kind::ScanList: return m_scanNodes.value(node.number - 1, nullptr);
    case TreeNode::Kind::RxGroup: return m_rxGroupNodes.value(node.number - 1, nullptr);
    case TreeNode::Kind::ChannelTable: return m_channelTableNode;
    case TreeNode::Kind::None: break;
    }
    return nullptr;
}

TreeNode CTreeBar::nodeOf(const QTreeWidgetItem *item) const
{
    if (!item)
        return {};
    TreeNode node;
    node.kind = TreeNode::Kind(item->data(0, kKindRole).toInt());
    const int first = item->data(0, kFirstRole).toInt();
    if (node.kind == TreeNode::Kind::Static)
        node.code = first;
    else
        node.zone = first;
    node.number = item->data(0, kSecondRole).toInt();
    return node;
}

TreeNode CTreeBar::selectedNode() const
{
    return nodeOf(m_tree->currentItem());
}

bool CTreeBar::selectNode(const TreeNode &node)
{
    QTreeWidgetItem *item = itemFor(node);
    if (!item)
        return false;
    m_tree->setCurrentItem(item);
    m_tree->scrollToItem(item);
    return true;
}

bool CTreeBar::navigationFor(const TreeNode &node, int *code, int *index)
{
    int c = 0;
    int i = 0;
    switch (node.kind) {
    case TreeNode::Kind::Static:
        if (SectionTable::isGroupOnly(node.code) || SectionTable::holdsRecords(node.code)
            || node.code == SectionTable::Root)
            return false;
        c = node.code;
        break;
    case TreeNode::Kind::ScanList:
        c = SectionTable::ScanLists;
        i = node.number;
        break;
    case TreeNode::Kind::RxGroup:
        c = SectionTable::RxGroups;
        i = node.number;
        break;
    case TreeNode::Kind::Channel:
        c = SectionTable::Channels;
        i = CChannelData::RecordIndexOf(node.zone, node.number);
        break;
    default: return false;
    }
    *code = c;
    *index = i;
    return true;
}

void CTreeBar::onItemClicked(QTreeWidgetItem *item)
{
    const TreeNode node = nodeOf(item);
    if (node.kind == TreeNode::Kind::ChannelTable) {
        emit channelTableRequested();
        return;
    }
    int code = 0;
    int index = 0;
    if (navigationFor(node, &code, &index))
        emit navigationRequested(code, index);
}

void CTreeBar::onContextMenu(const QPoint &pos)
{
    QTreeWidgetItem *item = m_tree->itemAt(pos);
    if (!item)
        return;
    m_tree->setCurrentItem(item);
    emit contextMenuRequested(nodeOf(item), m_tree->viewport()->mapToGlobal(pos));
}

void CTreeBar::openContextMenuAtCurrent()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    if (!item)
        return;
    m_tree->scrollToItem(item);
    onContextMenu(m_tree->visualItemRect(item).center());
}

bool CTreeBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
            openContextMenuAtCurrent();
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

void CTreeBar::updateFolderIcon(QTreeWidgetItem *item, bool expanded)
{
    const TreeNode node = nodeOf(item);
    if (node.kind == TreeNode::Kind::Static && isFolderItem(node.code))
        item->setIcon(0, folderIcon(expanded));
}
