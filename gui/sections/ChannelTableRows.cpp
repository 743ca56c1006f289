// The channel table's rows: insert, delete and move (also by drag and drop
// within a zone) through the library's list maintenance, one undo step each.

#include "sections/ChannelTableModel.h"

#include "app/CodeplugEditor.h"
#include "sections/ChannelData.h"
#include "sections/ListMaintenance.h"

#include <QMimeData>
#include <QSet>
#include <algorithm>
#include <map>
#include <set>

namespace {

const QString kAcrossZones = QStringLiteral("IDS_TABLE_MOVE_ACROSS_ZONES");

// The [String] key that tells a refusal of the list maintenance.
QString refusalKey(Refusal refusal)
{
    switch (refusal) {
    case Refusal::OnlyRecord: return QStringLiteral("IDS_TABLE_ONLY_CHANNEL");
    case Refusal::ListFull: return QStringLiteral("IDS_TABLE_ZONE_FULL");
    default: return kAcrossZones;
    }
}

bool isIdentity(const QList<int> &order)
{
    for (int i = 0; i < order.size(); ++i) {
        if (order[i] != i + 1)
            return false;
    }
    return true;
}

}

int ChannelTableModel::rowOf(ChannelRef channel) const
{
    for (size_t row = 0; row < m_rows.size(); ++row) {
        if (m_rows[row] == channel)
            return int(row);
    }
    return -1;
}

ChannelTableModel::RowsResult ChannelTableModel::runRows(const EditName &name, const std::function<QList<ChannelRef>()> &change)
{
    RowsResult result;
    QList<ChannelRef> placed;
    result.changed = m_editor.apply(name, [&] { placed = change(); });
    reload();
    for (const ChannelRef &ref : placed) {
        const int row = rowOf(ref);
        if (row >= 0)
            result.rows << row;
    }
    if (result.changed)
        emit rowsChanged(result.rows);
    return result;
}

ChannelTableModel::RowsResult ChannelTableModel::insertRow(int row)
{
    if (row < 0 || row >= rowCount())
        return {};
    const ChannelRef at = m_rows[size_t(row)];
    EditResult done;
    RowsResult result = runRows(EditName::action(QStringLiteral("IDS_ACTION_INSERT_CHANNEL")), [&] {
        done = CListMaintenance(m_doc).insertChannel(at.zone, at.channel);
        return done.ok() ? QList<ChannelRef>{ChannelRef{done.zone, done.channel}} : QList<ChannelRef>{};
    });
    if (!done.ok()) {
        result.refusalKey = refusalKey(done.refusal);
        tellRefusal(result.refusalKey);
    }
    return result;
}

ChannelTableModel::RowsResult ChannelTableModel::deleteRows(const QList<int> &rows)
{
    std::map<int, QList<int>> byZone;
    int first = rowCount();
    int count = 0;
    for (int row : QSet<int>(rows.begin(), rows.end())) {
        if (row < 0 || row >= rowCount())
            continue;
        byZone[m_rows[size_t(row)].zone] << m_rows[size_t(row)].channel;
        first = std::min(first, row);
        ++count;
    }
    if (count == 0)
        return {};
    // All or nothing: a zone keeps at least one channel.
    CListMaintenance lists(m_doc);
    for (const auto &[zone, channels] : byZone) {
        if (channels.size() >= lists.channelCount(zone)) {
            RowsResult refused;
            refused.refusalKey = refusalKey(Refusal::OnlyRecord);
            tellRefusal(refused.refusalKey);
            return refused;
        }
    }
    const ChannelRef firstGone = m_rows[size_t(first)];
    const EditName name = count == 1 ? EditName::action(QStringLiteral("IDS_ACTION_DELETE_CHANNEL"))
                                     : EditName::onRecords(QStringLiteral("IDS_ACTION_DELETE_CHANNELS"), 0, count);
    return runRows(name, [&] {
        for (auto &[zone, channels] : byZone) {
            std::sort(channels.begin(), channels.end(), std::greater<int>());
            for (int channel : channels)
                lists.deleteChannel(zone, channel);
        }
        // The channel that took the first deleted one's place, or its zone's new last.
        return QList<ChannelRef>{{firstGone.zone, std::min(firstGone.channel, lists.channelCount(firstGone.zone))}};
    });
}

ChannelTableModel::RowsResult ChannelTableModel::moveRowsBy(const QList<int> &rows, int step)
{
    std::map<int, QSet<int>> byZone;
    for (int row : rows) {
        if (row >= 0 && row < rowCount())
            byZone[m_rows[size_t(row)].zone].insert(m_rows[size_t(row)].channel);
    }
    RowsResult result;
    if (byZone.empty() || step == 0)
        return result;
    CListMaintenance lists(m_doc);
    std::map<int, QList<int>> orders;
    int moved = 0;
    for (const auto &[zone, chosen] : byZone) {
        QList<int> order;
        for (int c = 1; c <= lists.channelCount(zone); ++c)
            order << c;
        // Each chosen channel swaps with an unchosen neighbour; a block at
        // the zone's edge stays where it is.
        const auto swapIfFree = [&](int i, int j) {
            if (chosen.contains(order[i]) && !chosen.contains(order[j]))
                order.swapItemsAt(i, j);
        };
        if (step < 0) {
            for (int i = 1; i < order.size(); ++i)
                swapIfFree(i, i - 1);
        } else {
            for (int i = int(order.size()) - 2; i >= 0; --i)
                swapIfFree(i, i + 1);
        }
        orders[zone] = order;
        moved += int(chosen.size());
    }
    const bool changes = std::any_of(orders.begin(), orders.end(), [](const auto &entry) { return !isIdentity(entry.second); });
    if (!changes) {
        result.rows = rows;
        return result;
    }
    const EditName name = moved == 1 ? EditName::action(QStringLiteral("IDS_ACTION_MOVE_CHANNEL"))
                                     : EditName::onRecords(QStringLiteral("IDS_ACTION_MOVE_CHANNELS"), 0, moved);
    return runRows(name, [&] {
        QList<ChannelRef> placed;
        for (const auto &[zone, order] : orders) {
            lists.reorderChannels(zone, order);
            for (int i = 0; i < order.size(); ++i) {
                if (byZone[zone].contains(order[i]))
                    placed << ChannelRef{zone, i + 1};
            }
        }
        return placed;
    });
}

QString ChannelTableModel::moveRefusal(const QList<int> &rows, int gap) const
{
    if (rows.isEmpty())
        return kAcrossZones;
    const auto zoneOf = [this](int row) { return (row >= 0 && row < rowCount()) ? m_rows[size_t(row)].zone : 0; };
    const int zone = zoneOf(rows.front());
    for (int row : rows) {
        if (zoneOf(row) != zone || zone == 0)
            return kAcrossZones;
    }
    // The gap lies in the zone when a row of the zone borders it.
    if (gap < 0 || gap > rowCount() || (zoneOf(gap - 1) != zone && zoneOf(gap) != zone))
        return kAcrossZones;
    return QString();
}

ChannelTableModel::RowsResult ChannelTableModel::moveRowsTo(const QList<int> &rows, int gap)
{
    RowsResult result;
    result.refusalKey = moveRefusal(rows, gap);
    if (!result.refusalKey.isEmpty()) {
        tellRefusal(result.refusalKey);
        return result;
    }
    const int zone = m_rows[size_t(rows.front())].zone;
    QSet<int> chosen;
    for (int row : rows)
        chosen.insert(m_rows[size_t(row)].channel);
    QList<int> before, moving, after;
    for (int row = 0; row < rowCount(); ++row) {
        const ChannelRef ref = m_rows[size_t(row)];
        if (ref.zone != zone)
            continue;
        if (chosen.contains(ref.channel))
            moving << ref.channel;
        else
            (row < gap ? before : after) << ref.channel;
    }
    const QList<int> order = before + moving + after;
    if (isIdentity(order)) {
        result.rows = rows;
        return result;
    }
    const EditName name = moving.size() == 1
                              ? EditName::action(QStringLiteral("IDS_ACTION_MOVE_CHANNEL"))
                              : EditName::onRecords(QStringLiteral("IDS_ACTION_MOVE_CHANNELS"), 0, int(moving.size()));
    return runRows(name, [&] {
        CListMaintenance lists(m_doc);
        lists.reorderChannels(zone, order);
        QList<ChannelRef> placed;
        for (qsizetype i = 0; i < moving.size(); ++i)
            placed << ChannelRef{zone, int(before.size() + i) + 1};
        return placed;
    });
}

Qt::DropActions ChannelTableModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList ChannelTableModel::mimeTypes() const
{
    return {QLatin1String(kRowsMimeType)};
}

QMimeData *ChannelTableModel::mimeData(const QModelIndexList &indexes) const
{
    std::set<int> rows;
    for (const QModelIndex &index : indexes) {
        if (index.isValid() && index.row() < rowCount())
            rows.insert(index.row());
    }
    QStringList channels;
    for (int row : rows)
        channels << QStringLiteral("%1:%2").arg(m_rows[size_t(row)].zone).arg(m_rows[size_t(row)].channel);
    auto *data = new QMimeData;
    data->setData(QLatin1String(kRowsMimeType), channels.join(QLatin1Char(' ')).toLatin1());
    return data;
}

QList<int> ChannelTableModel::rowsOfDrag(const QMimeData *data) const
{
    if (!data || !data->hasFormat(QLatin1String(kRowsMimeType)))
        return {};
    QList<int> rows;
    const QString text = QString::fromLatin1(data->data(QLatin1String(kRowsMimeType)));
    for (const QString &item : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(QLatin1Char(':'));
        const int row = parts.size() == 2 ? rowOf(ChannelRef{parts[0].toInt(), parts[1].toInt()}) : -1;
        if (row < 0)
            return {};
        rows << row;
    }
    return rows;
}

int ChannelTableModel::dropGap(int row, const QModelIndex &parent) const
{
    if (row >= 0)
        return row;
    return parent.isValid() ? parent.row() : rowCount();
}

bool ChannelTableModel::canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int, const QModelIndex &parent) const
{
    const QList<int> rows = rowsOfDrag(data);
    return action == Qt::MoveAction && !rows.isEmpty() && moveRefusal(rows, dropGap(row, parent)).isEmpty();
}

bool ChannelTableModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int, const QModelIndex &parent)
{
    const QList<int> rows = rowsOfDrag(data);
    if (action != Qt::MoveAction || rows.isEmpty())
        return false;
    return moveRowsTo(rows, dropGap(row, parent)).refusalKey.isEmpty();
}

bool ChannelTableModel::moveRows(const QModelIndex &sourceParent, int sourceRow, int count, const QModelIndex &destinationParent,
                                 int destinationChild)
{
    if (sourceParent.isValid() || destinationParent.isValid() || count < 1)
        return false;
    QList<int> rows;
    for (int row = sourceRow; row < sourceRow + count; ++row)
        rows << row;
    return moveRowsTo(rows, destinationChild).changed;
}
