#pragma once

#include <QDockWidget>
#include <QIcon>
#include <QList>
#include <QVector>

class AppSettings;
class CPcSoftwareDoc;
class QTreeWidget;
class QTreeWidgetItem;

// What a tree node stands for.
struct TreeNode
{
    enum class Kind { None, Static, Zone, Channel, ScanList, RxGroup, ChannelTable };
    Kind kind = Kind::None;
    int code = 0;    // static item: its section code
    int zone = 0;    // zone and channel nodes
    int number = 0;  // channel in its zone, scan list or RX group list

    bool operator==(const TreeNode &) const = default;
    static TreeNode staticItem(int code) { return {Kind::Static, code, 0, 0}; }
    static TreeNode zoneNode(int zone) { return {Kind::Zone, 0, zone, 0}; }
    static TreeNode channelNode(int zone, int channel) { return {Kind::Channel, 0, zone, channel}; }
    static TreeNode scanNode(int list) { return {Kind::ScanList, 0, 0, list}; }
    static TreeNode rxGroupNode(int list) { return {Kind::RxGroup, 0, 0, list}; }
    // The channel table, the first item under Channels.
    static TreeNode channelTableNode() { return {Kind::ChannelTable, 0, 0, 0}; }
};

// The dockable "Tree Bar": a tree of the whole codeplug. Its static items
// are the sections (labels from "TreeMainMenu"), its record nodes the used
// zones with their channels, scan lists and RX group lists. A click asks the
// main window to open a section (and record); a right click asks for the
// list operations' menu.
class CTreeBar : public QDockWidget
{
    Q_OBJECT
public:
    CTreeBar(const AppSettings &settings, QWidget *parent = nullptr);

    QTreeWidget *tree() const { return m_tree; }
    // The program's own icon (the tree's root carries it too).
    static QIcon programIcon();

    // Inserts the static items whose labels the language file has, in code
    // order, stopping at the first missing label; the model decides items
    // 18..20.
    void BuildStaticItems();
    void RelabelStaticItems();
    // Rebuilds the nodes of zones, channels, scan lists and RX group lists.
    void RebuildRecordNodes(CPcSoftwareDoc &doc);
    // Rewrites the labels of the record nodes from the records' names.
    void RelabelRecordNodes(CPcSoftwareDoc &doc);
    // Collapses channels, scan lists and RX group lists.
    void CollapseRecordGroups();

    QTreeWidgetItem *staticItem(int code) const;
    QTreeWidgetItem *itemFor(const TreeNode &node) const;
    TreeNode nodeOf(const QTreeWidgetItem *item) const;
    TreeNode selectedNode() const;
    // Selects and shows the node; false when there is no such node.
    bool selectNode(const TreeNode &node);

    // The navigation request a click on the node sends: false for nodes that
    // open nothing (groups, zones).
    static bool navigationFor(const TreeNode &node, int *code, int *index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void navigationRequested(int code, int index);
    // The channel table's item was clicked.
    void channelTableRequested();
    void contextMenuRequested(const TreeNode &node, const QPoint &globalPos);

private:
    // What a rebuild of the record nodes keeps: the nodes that were expanded
    // and the one that was selected.
    struct ViewState
    {
        QList<TreeNode> expanded;
        TreeNode selected;
    };
    ViewState viewState() const;
    // Expands the nodes that still exist and selects the node, or the
    // nearest one above it when it is gone.
    void restoreViewState(const ViewState &state);
    // Whether the record nodes stand for exactly the records the codeplug holds.
    bool recordShapeMatches(CPcSoftwareDoc &doc) const;
    void onItemClicked(QTreeWidgetItem *item);
    void onContextMenu(const QPoint &pos);
    // The keyboard's way to the context menu: at the selected item.
    void openContextMenuAtCurrent();
    void updateFolderIcon(QTreeWidgetItem *item, bool expanded);
    void syncFolderIcons();
    QTreeWidgetItem *addRecordNode(QTreeWidgetItem *parent, const TreeNode &node, const QString &label);
    void clearRecordNodes();

    const AppSettings &m_settings;
    QTreeWidget *m_tree;
    QVector<QTreeWidgetItem *> m_staticItems;            // by section code, null when absent
    QTreeWidgetItem *m_channelTableNode = nullptr;       // first under Channels
    QVector<QTreeWidgetItem *> m_zoneNodes;              // [zone - 1]
    QVector<QVector<QTreeWidgetItem *>> m_channelNodes;  // [zone - 1][channel - 1]
    QVector<QTreeWidgetItem *> m_scanNodes;              // [list - 1]
    QVector<QTreeWidgetItem *> m_rxGroupNodes;           // [list - 1]
};

Q_DECLARE_METATYPE(TreeNode)
