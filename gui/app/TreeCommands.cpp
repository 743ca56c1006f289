#include "app/TreeCommands.h"

#include "app/CommandIds.h"
#include "app/SectionTable.h"
#include "sections/ChannelData.h"
#include "sections/ListMaintenance.h"

namespace {

int channelIndex(int zone, int channel)
{
    return CChannelData::RecordIndexOf(zone, channel);
}

bool isRecord(const TreeNode &node)
{
    return node.kind == TreeNode::Kind::Channel || node.kind == TreeNode::Kind::ScanList
           || node.kind == TreeNode::Kind::RxGroup;
}

bool isStatic(const TreeNode &node, int code)
{
    return node.kind == TreeNode::Kind::Static && node.code == code;
}

}

bool CTreeCommands::isAvailable(int commandId, const TreeNode &node) const
{
    const CListMaintenance lists(m_doc);
    switch (commandId) {
    case Cmd::TreeAddList:
        if (isStatic(node, SectionTable::Channels))
            return lists.canAddZone();
        if (isStatic(node, SectionTable::ScanLists))
            return lists.canAddScanList();
        if (isStatic(node, SectionTable::RxGroups))
            return lists.canAddRxGroup();
        return false;
    case Cmd::TreeCopy:
        return isRecord(node);
    case Cmd::TreePaste:
        switch (node.kind) {
        case TreeNode::Kind::Channel: return lists.canPasteChannel(m_clipboard, node.zone, node.number);
        case TreeNode::Kind::ScanList: return lists.canPasteScanList(m_clipboard, node.number);
        case TreeNode::Kind::RxGroup: return lists.canPasteRxGroup(m_clipboard, node.number);
        default: return false;
        }
    case Cmd::TreeDelete:
        switch (node.kind) {
        case TreeNode::Kind::Channel: return lists.canDeleteChannel(node.zone);
        case TreeNode::Kind::ScanList: return lists.canDeleteScanList();
        case TreeNode::Kind::RxGroup: return lists.canDeleteRxGroup();
        default: return false;
        }
    case Cmd::TreeAddChannel:
        return node.kind == TreeNode::Kind::Zone && lists.canAddChannel(node.zone);
    case Cmd::TreeDeleteZone:
        return node.kind == TreeNode::Kind::Zone && lists.canDeleteZone();
    default:
        return false;
    }
}

CTreeCommands::Outcome CTreeCommands::channelOutcome(const EditResult &result, bool selectZone)
{
    Outcome outcome;
    outcome.changed = result.ok();
    if (!outcome.changed)
        return outcome;
    outcome.select = selectZone ? TreeNode::zoneNode(result.zone) : TreeNode::channelNode(result.zone, result.channel);
    outcome.section = SectionTable::Channels;
    outcome.recordIndex = channelIndex(result.zone, std::max(result.channel, 1));
    return outcome;
}

CTreeCommands::Outcome CTreeCommands::listOutcome(const EditResult &result, int section)
{
    Outcome outcome;
    outcome.changed = result.ok();
    if (!outcome.changed)
        return outcome;
    outcome.select = section == SectionTable::ScanLists ? TreeNode::scanNode(result.record)
                                                        : TreeNode::rxGroupNode(result.record);
    outcome.section = section;
    outcome.recordIndex = result.record;
    return outcome;
}

CTreeCommands::Outcome CTreeCommands::run(int commandId, const TreeNode &node)
{
    if (!isAvailable(commandId, node))
        return {};
    CListMaintenance lists(m_doc);
    switch (commandId) {
    case Cmd::TreeAddList:
        if (isStatic(node, SectionTable::Channels))
            return channelOutcome(lists.addZone(), true);
        if (isStatic(node, SectionTable::ScanLists))
            return listOutcome(lists.addScanList(), SectionTable::ScanLists);
        return listOutcome(lists.addRxGroup(), SectionTable::RxGroups);
    case Cmd::TreeAddChannel:
        return channelOutcome(lists.addChannel(node.zone), false);
    case Cmd::TreeDeleteZone:
        return channelOutcome(lists.deleteZone(node.zone), true);
    case Cmd::TreeDelete:
        if (node.kind == TreeNode::Kind::Channel)
            return channelOutcome(lists.deleteChannel(node.zone, node.number), false);
        if (node.kind == TreeNode::Kind::ScanList)
            return listOutcome(lists.deleteScanList(node.number), SectionTable::ScanLists);
        return listOutcome(lists.deleteRxGroup(node.number), SectionTable::RxGroups);
    case Cmd::TreeCopy:
        if (node.kind == TreeNode::Kind::Channel)
            m_clipboard.copyChannel(node.zone, node.number);
        else if (node.kind == TreeNode::Kind::ScanList)
            m_clipboard.copyScanList(node.number);
        else
            m_clipboard.copyRxGroup(node.number);
        return {};
    case Cmd::TreePaste: {
        EditResult result;
        if (node.kind == TreeNode::Kind::Channel)
            result = lists.pasteChannel(m_clipboard, node.zone, node.number);
        else if (node.kind == TreeNode::Kind::ScanList)
            result = lists.pasteScanList(m_clipboard, node.number);
        else
            result = lists.pasteRxGroup(m_clipboard, node.number);
        Outcome outcome;
        outcome.changed = result.ok();
        outcome.select = node;
        return outcome;
    }
    default:
        return {};
    }
}

QString CTreeCommands::actionKey(int commandId, const TreeNode &node)
{
    // The kind of record the command works on.
    QString what = QStringLiteral("RXGROUP");
    if (node.kind == TreeNode::Kind::Zone || isStatic(node, SectionTable::Channels))
        what = QStringLiteral("ZONE");
    else if (node.kind == TreeNode::Kind::Channel)
        what = QStringLiteral("CHANNEL");
    else if (node.kind == TreeNode::Kind::ScanList || isStatic(node, SectionTable::ScanLists))
        what = QStringLiteral("SCAN");
    switch (commandId) {
    case Cmd::TreeAddChannel: return QStringLiteral("IDS_ACTION_ADD_CHANNEL");
    case Cmd::TreeDeleteZone: return QStringLiteral("IDS_ACTION_DELETE_ZONE");
    case Cmd::TreeAddList: return QStringLiteral("IDS_ACTION_ADD_") + what;
    case Cmd::TreeDelete: return QStringLiteral("IDS_ACTION_DELETE_") + what;
    case Cmd::TreePaste: return QStringLiteral("IDS_ACTION_PASTE_") + what;
    default: return QString();
    }
}
