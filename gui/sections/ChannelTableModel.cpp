#include "sections/ChannelTableModel.h"

#include "app/AppSettings.h"
#include "app/CodeplugEditor.h"
#include "app/Language.h"
#include "app/Prompter.h"
#include "app/TranslateDialog.h"
#include "fields/RecordMends.h"
#include "sections/CChannelView.h"
#include "sections/ChannelEntries.h"
#include "sections/ChannelData.h"
#include "sections/ChannelRules.h"
#include "sections/TableClipboard.h"
#include "text/ChannelsCsv.h"

#include <QGuiApplication>
#include <QPalette>
#include <QSet>
#include <algorithm>
#include <functional>
#include <memory>

namespace {

using V = CChannelView;

// The channel form's fields in its order, each with the control whose label
// heads its column. The decode sequence is kept by the radio but not
// offered by the form, so the table does not show it either.
struct ColumnDef
{
    const char *key;
    int labelId;
};
constexpr ColumnDef kColumns[] = {
    {"name", V::ChannelName},         {"rx_frequency", V::RxFrequency},    {"tx_frequency", V::TxFrequency},
    {"mode", V::ChannelMode},         {"channel_type", V::ChannelType},    {"power", V::Power},
    {"bandwidth", V::Bandwidth},      {"scan_list", V::ScanList},          {"auto_scan", V::AutoScan},
    {"beat_shift", V::BeatShift},     {"rx_tone", V::DecodeTone},          {"tx_tone", V::EncodeTone},
    {"bcl_mode", V::BclMode},         {"tail_reversal_phase", V::TailReversal},
    {"ptt_online_code", V::PttOnlineCode}, {"ptt_offline_code", V::PttOfflineCode},
    {"turn_off_code", V::TurnOffCode}, {"polite_mode", V::PoliteMode},     {"rx_colour_code", V::RxColourCode},
    {"tx_colour_code", V::TxColourCode}, {"rx_group_list", V::RxGroupList}, {"contact", V::Contact},
    {"encryption_key", V::Encryption},
};

// The message key of a cell the channel's mode does not use.
const QString kModeUnused = QStringLiteral("IDS_TABLE_MODE_UNUSED");

}

ChannelTableModel::ChannelTableModel(Fields::Doc &doc, CodeplugEditor &editor, Prompter &prompter, QObject *parent)
    : QAbstractTableModel(parent), m_doc(doc), m_editor(editor), m_prompter(prompter)
{
    buildColumns();
    fillEntries();
    CChannelData data(m_doc);
    for (int zone = 1; zone <= data.CountZones(); ++zone) {
        for (int channel = 1; channel <= data.CountChannels(zone); ++channel)
            m_rows.push_back(ChannelRef{zone, channel});
    }
}

const Language &ChannelTableModel::language() const
{
    return m_doc.settings().language();
}

void ChannelTableModel::buildColumns()
{
    const Fields::RecordSchema *record = Fields::recordSchema(QStringLiteral("zones.channels"));
    m_columns.clear();
    if (!record)
        return;
    for (const ColumnDef &def : kColumns) {
        const Fields::Field *field = Fields::findField(*record, QLatin1String(def.key));
        if (field && Fields::isOffered(*field, m_doc))
            m_columns.push_back(Column{field, def.labelId, {}, false});
    }
}

void ChannelTableModel::fillEntries()
{
    const Language &lang = language();
    m_noneText = lang.GetLangString(QStringLiteral("IDS_NONE"));
    Fields::Doc &doc = m_doc;
    for (Column &column : m_columns) {
        const QString &key = column.field->key;
        const FieldBinder::Entries fill = ChannelEntries::forField(key, doc);
        const QStringList entries = fill ? fill(lang) : QStringList();
        column.entries = entries;
        column.listed = !entries.isEmpty();
    }
}

void ChannelTableModel::reload()
{
    std::vector<ChannelRef> rows;
    CChannelData data(m_doc);
    for (int zone = 1; zone <= data.CountZones(); ++zone) {
        for (int channel = 1; channel <= data.CountChannels(zone); ++channel)
            rows.push_back(ChannelRef{zone, channel});
    }
    const size_t columnsBefore = m_columns.size();
    std::vector<const Fields::Field *> before;
    for (const Column &c : m_columns)
        before.push_back(c.field);
    buildColumns();
    bool sameColumns = m_columns.size() == columnsBefore;
    for (size_t i = 0; sameColumns && i < m_columns.size(); ++i)
        sameColumns = m_columns[i].field == before[i];
    fillEntries();
    const bool sameRows = rows.size() == m_rows.size()
                          && std::equal(rows.begin(), rows.end(), m_rows.begin(), [](const ChannelRef &a, const ChannelRef &b) {
                                 return a.zone == b.zone && a.channel == b.channel;
                             });
    if (sameRows && sameColumns) {
        // The same cells: the view keeps its selection and current cell.
        if (!m_rows.empty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        return;
    }
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int ChannelTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ChannelTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size()) + kFixedColumns;
}

const Fields::Field *ChannelTableModel::fieldAt(int column) const
{
    const int i = column - kFixedColumns;
    return (i >= 0 && i < int(m_columns.size())) ? m_columns[size_t(i)].field : nullptr;
}

int ChannelTableModel::columnOf(const QString &key) const
{
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].field->key == key)
            return int(i) + kFixedColumns;
    }
    return -1;
}

bool ChannelTableModel::isEditable(int row, int column) const
{
    const Fields::Field *field = fieldAt(column);
    if (!field || row < 0 || row >= rowCount())
        return false;
    if (field->followsOthers)
        return false;
    const ChannelRef ref = m_rows[size_t(row)];
    return Fields::matters(*field, m_doc, {ref.zone, ref.channel});
}

QString ChannelTableModel::cellText(int row, const Column &column) const
{
    const ChannelRef ref = m_rows[size_t(row)];
    const Fields::Field &f = *column.field;
    const Fields::At at{ref.zone, ref.channel};
    switch (f.kind) {
    case Fields::Kind::Bool: return QString();
    case Fields::Kind::Text:
    case Fields::Kind::Frequency: return f.getText(m_doc, at);
    case Fields::Kind::Tone: {
        const QString tone = f.getText(m_doc, at);
        return tone == QLatin1String("none") ? m_noneText : tone;
    }
    default: break;
    }
    const int value = f.getInt(m_doc, at);
    if (column.listed)
        return column.entries.value(value - f.min);
    return QString::number(value);
}

QVariant ChannelTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const ChannelRef ref = m_rows[size_t(row)];
    if (index.column() == ZoneColumn) {
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
            return CChannelData(m_doc).GetZoneName(ref.zone);
        // Zones sort in their own order, not by name.
        return role == SortRole ? QVariant(ref.zone) : QVariant();
    }
    if (index.column() == NumberColumn) {
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == SortRole)
            return ref.channel;
        return {};
    }
    const Column &column = m_columns[size_t(index.column() - kFixedColumns)];
    const Fields::Field &f = *column.field;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        if (f.kind == Fields::Kind::Bool && role == Qt::AccessibleTextRole)
            return f.getInt(m_doc, {ref.zone, ref.channel}) ? language().GetLangString(QStringLiteral("IDS_TABLE_YES"))
                                                            : language().GetLangString(QStringLiteral("IDS_TABLE_NO"));
        return cellText(row, column);
    case Qt::EditRole:
        if (f.kind == Fields::Kind::Bool)
            return f.getInt(m_doc, {ref.zone, ref.channel}) != 0;
        if (column.listed)
            return f.getInt(m_doc, {ref.zone, ref.channel}) - f.min;
        return cellText(row, column);
    case Qt::ForegroundRole:
        // What the mode does not use is greyed, as the form greys its group.
        if (!isEditable(row, index.column()))
            return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::CheckStateRole:
        if (f.kind == Fields::Kind::Bool)
            return f.getInt(m_doc, {ref.zone, ref.channel}) ? Qt::Checked : Qt::Unchecked;
        return {};
    case SortRole:
        switch (f.kind) {
        case Fields::Kind::Text: return cellText(row, column);
        case Fields::Kind::Tone: {
            // None first, then the CTCSS tones by frequency, then the DCS codes.
            const QString tone = f.getText(m_doc, {ref.zone, ref.channel});
            bool hertz = false;
            const double frequency = tone.toDouble(&hertz);
            if (tone == QLatin1String("none"))
                return QString();
            return hertz ? QStringLiteral("C%1").arg(frequency, 8, 'f', 1, QLatin1Char('0')) : tone;
        }
        case Fields::Kind::Frequency: return cellText(row, column).toDouble();
        default: return f.getInt(m_doc, {ref.zone, ref.channel});
        }
    case EntriesRole:
        if (f.kind == Fields::Kind::Tone) {
            QStringList tones = ToneCode::allTones();
            // The mixed modes have no "none" in their selectors.
            if (CChannelData(m_doc).GetChannelMode(ref.zone, ref.channel) >= CChannelRules::kAnalogMode)
                tones.prepend(m_noneText);
            return tones;
        }
        return column.entries;
    default: return {};
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const Language &lang = language();
    if (section == ZoneColumn)
        return LabelTextForName(lang.GetLangItem(QStringLiteral("Resource"), V::ZoneName));
    if (section == NumberColumn)
        return lang.GetLangString(QStringLiteral("IDS_TABLE_CHANNEL"));
    if (section - kFixedColumns >= int(m_columns.size()))
        return {};
    const Column &column = m_columns[size_t(section - kFixedColumns)];
    const QString label = LabelTextForName(lang.GetLangItem(QStringLiteral("Resource"), column.labelId));
    return label.isEmpty() ? column.field->key : label;
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex &index) const
{
    // Rows are dropped between rows, never onto a cell.
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
    if (!isEditable(index.row(), index.column()))
        return flags;
    if (fieldAt(index.column())->kind == Fields::Kind::Bool)
        return flags | Qt::ItemIsUserCheckable;
    return flags | Qt::ItemIsEditable;
}

// A value as an editor gives it: a list's position (a number) or an entry's
// text, a tick, or a typed text. A list also takes the YAML word of a choice.
Fields::Store ChannelTableModel::storeCell(int row, int column, const QVariant &value)
{
    if (!isEditable(row, column))
        return Fields::Store::refused(kModeUnused, QStringLiteral("the channel's mode does not use this field"));
    const Column &c = m_columns[size_t(column - kFixedColumns)];
    const Fields::Field &f = *c.field;
    const ChannelRef ref = m_rows[size_t(row)];
    const Fields::At at{ref.zone, ref.channel};
    if (f.kind == Fields::Kind::Bool) {
        const bool on = value.toBool();
        return Fields::setNumber(f, m_doc, at, on ? 1 : 0);
    }
    if (c.listed) {
        qsizetype position = -1;
        if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong) {
            position = value.toInt();
        } else {
            const QString text = value.toString().trimmed();
            position = c.entries.indexOf(text);
            for (qsizetype i = 0; position < 0 && i < c.entries.size(); ++i) {
                if (c.entries[i].compare(text, Qt::CaseInsensitive) == 0)
                    position = i;
            }
            if (position < 0 && !f.choices.isEmpty())
                position = f.choices.indexOf(text.toLower());
        }
        if (position < 0 || position >= c.entries.size())
            return Fields::Store::refused(Fields::Refuse::Choice, QStringLiteral("not an entry of the list"));
        return Fields::setNumber(f, m_doc, at, f.min + position);
    }
    QString text = value.toString().trimmed();
    if (f.kind == Fields::Kind::Tone && text.compare(m_noneText, Qt::CaseInsensitive) == 0)
        text = QStringLiteral("none");
    if (f.kind == Fields::Kind::Text)
        text = value.toString();
    return Fields::setText(f, m_doc, at, text);
}

bool ChannelTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || (role != Qt::EditRole && role != Qt::CheckStateRole))
        return false;
    const int column = index.column();
    const Fields::Field *field = fieldAt(column);
    if (!field)
        return false;
    // A tick box gives its check state.
    const QVariant entered = role == Qt::CheckStateRole ? QVariant(value.toInt() == Qt::Checked) : value;
    Fields::Store result;
    const bool changed = applyMended(EditName::field(m_columns[size_t(column - kFixedColumns)].labelId),
                                     [&] { result = storeCell(index.row(), column, entered); });
    if (result.isRefused())
        m_prompter.tell(result.key, QStringLiteral("IDS_ERROR"), Prompt::Icon::Error);
    // A store may change other fields of the row (a mode brings its tones,
    // bandwidth and colour codes).
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    if (changed)
        emit edited(field->isRecordName);
    return !result.isRefused();
}

QString ChannelTableModel::rowName(int row) const
{
    const ChannelRef ref = m_rows[size_t(row)];
    CChannelData data(m_doc);
    return QStringLiteral("%1 / %2 %3").arg(data.GetZoneName(ref.zone)).arg(ref.channel).arg(data.GetChannelName(ref.zone, ref.channel));
}

QList<int> ChannelTableModel::tableRows(QList<int> rows) const
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.removeIf([this](int row) { return row < 0 || row >= rowCount(); });
    return rows;
}

ChannelTableModel::BulkResult ChannelTableModel::setOnRows(const QList<int> &rows, int column, const QVariant &value)
{
    BulkResult result;
    const Fields::Field *field = fieldAt(column);
    if (!field)
        return result;
    const QList<int> ordered = tableRows(rows);

    std::vector<std::pair<int, Fields::Store>> refusals;
    // The count the step is named by is known only after the stores; the
    // name is looked up when it is shown, so it is filled in afterwards.
    EditName name = EditName::onRecords(QStringLiteral("IDS_ACTION_SET_ON_CHANNELS"),
                                        m_columns[size_t(column - kFixedColumns)].labelId, 0);
    int taken = 0;
    auto change = [&] {
        for (int row : ordered) {
            const Fields::Store stored = storeCell(row, column, value);
            if (stored.isRefused())
                refusals.emplace_back(row, stored);
            else
                ++taken;
        }
    };
    name.count = int(ordered.size());
    result.changed = applyMended(name, change);
    result.taken = taken;
    if (result.changed && taken != name.count) {
        // Renamed to the channels that took the value.
        m_editor.renameTop(EditName::onRecords(name.key, name.ctrlId, taken));
    }
    for (const auto &[row, stored] : refusals)
        result.refusedRows << row;

    if (!ordered.isEmpty())
        emit dataChanged(index(ordered.front(), 0), index(ordered.back(), columnCount() - 1));
    if (result.changed)
        emit edited(field->isRecordName);

    TableClipboard::Refusals listed;
    for (const auto &[row, stored] : refusals)
        listed.add(rowName(row), stored);
    listed.tell(m_prompter, language(), QStringLiteral("IDS_TABLE_ROWS_REFUSED"));
    return result;
}

QList<QStringList> ChannelTableModel::splitBlock(const QString &text)
{
    return TableClipboard::splitBlock(text);
}

bool ChannelTableModel::isHeader(const QStringList &row) const
{
    return TableClipboard::isHeader(row, [this](const QString &key) {
        return key == QLatin1String("zone") || key == QLatin1String("channel") || columnOf(key.trimmed()) >= 0;
    });
}

// One pasted value text, read as the channels CSV reads a cell.
Fields::Store ChannelTableModel::storeText(int row, int column, const QString &text)
{
    if (!isEditable(row, column))
        return Fields::Store::refused(kModeUnused, QStringLiteral("the channel's mode does not use this field"));
    const ChannelRef ref = m_rows[size_t(row)];
    return ChannelsCsv::storeCell(*fieldAt(column), m_doc, Fields::At{ref.zone, ref.channel}, text);
}

ChannelTableModel::PasteResult ChannelTableModel::paste(int row, int column, QList<QStringList> block, int rowLimit)
{
    if (block.isEmpty() || row < 0)
        return {};
    const int blockRows = int(block.size()) - (isHeader(block.first()) ? 1 : 0);
    const int count = std::min({rowCount() - row, blockRows, std::max(rowLimit, 0)});
    QList<int> rows;
    for (int r = row; r < row + count; ++r)
        rows << r;
    return pasteIntoRows(rows, column, std::move(block));
}

ChannelTableModel::PasteResult ChannelTableModel::pasteIntoRows(const QList<int> &rows, int column, QList<QStringList> block)
{
    PasteResult result;
    if (block.isEmpty() || column < 0)
        return result;
    // The columns the block's columns go to: by a header of keys, else from `column` on.
    QList<int> targets;
    const QStringList &first = block.first();
    const bool header = isHeader(first);
    for (qsizetype i = 0; i < first.size(); ++i)
        targets << (header ? columnOf(first[i].trimmed()) : column + int(i));
    if (header)
        block.removeFirst();
    const qsizetype count = std::min(rows.size(), block.size());

    TableClipboard::Refusals refusals;
    EditName name = EditName::onRecords(QStringLiteral("IDS_ACTION_PASTE_CELLS"), 0, 0);
    auto change = [&] {
        for (qsizetype b = 0; b < count; ++b) {
            const int r = rows[b];
            if (r < 0 || r >= rowCount())
                continue;
            const QStringList &cells = block[b];
            for (qsizetype i = 0; i < cells.size() && i < targets.size(); ++i) {
                const int target = targets[i];
                if (target < kFixedColumns || target >= columnCount() || cells[i].isEmpty())
                    continue;
                const Fields::Store stored = storeText(r, target, cells[i]);
                if (stored.isRefused())
                    refusals.add(QStringLiteral("%1, %2").arg(rowName(r), fieldAt(target)->key), stored);
                else
                    ++result.stored;
            }
        }
    };
    result.changed = applyMended(name, change);
    if (result.changed)
        m_editor.renameTop(EditName::onRecords(name.key, 0, result.stored));
    result.refused = refusals.count();
    if (count > 0 && rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    if (result.changed)
        emit edited(true);
    refusals.tell(m_prompter, language(), QStringLiteral("IDS_TABLE_CELLS_REFUSED"));
    return result;
}

// The channels a step changes get the mend the channel form gives a
// channel it shows, within the same step, as an import mends the records
// it changes: a channel that broke its mode's rules before is whole after.
bool ChannelTableModel::applyMended(const EditName &name, const std::function<void()> &change)
{
    return m_editor.apply(name, [&] {
        const auto before = std::make_unique<Image>(m_doc.currentImage());
        change();
        Mends::mendChanged(m_doc, *before);
    });
}

void ChannelTableModel::tellRefusal(const QString &key)
{
    if (!key.isEmpty())
        m_prompter.tell(key, QStringLiteral("IDS_ERROR"), Prompt::Icon::Error);
}

QString ChannelTableModel::copyText(const QModelIndexList &cells, const QList<int> &rowOrder) const
{
    const CChannelData data(m_doc);
    const auto key = [this](int column) {
        if (column == ZoneColumn)
            return QStringLiteral("zone");
        if (column == NumberColumn)
            return QStringLiteral("channel");
        return fieldAt(column)->key;
    };
    return TableClipboard::copyText(cells, key, [&](int row, int column) {
        const ChannelRef ref = m_rows[size_t(row)];
        if (column == ZoneColumn)
            return data.GetZoneName(ref.zone);
        if (column == NumberColumn)
            return QString::number(ref.channel);
        return Fields::valueText(*fieldAt(column), m_doc, Fields::At{ref.zone, ref.channel}).value_or(QString());
    }, rowOrder);
}

QString ChannelTableModel::columnLabel(int column) const
{
    return headerData(column, Qt::Horizontal).toString();
}

ChannelTableModel::BulkResult ChannelTableModel::setFieldsOnRows(const QList<int> &rows, const QList<FieldValue> &values)
{
    QList<FieldValue> ordered;
    for (const FieldValue &value : values) {
        if (fieldAt(value.column))
            ordered << value;
    }
    if (ordered.size() == 1)
        return setOnRows(rows, ordered.front().column, ordered.front().value);
    BulkResult result;
    if (ordered.isEmpty())
        return result;
    std::stable_sort(ordered.begin(), ordered.end(), [](const FieldValue &a, const FieldValue &b) { return a.column < b.column; });
    const QList<int> targets = tableRows(rows);

    TableClipboard::Refusals refusals;
    QSet<int> refusedRows;
    const EditName name = EditName::fieldsOnRecords(QStringLiteral("IDS_ACTION_SET_FIELDS_ON_CHANNELS"), int(ordered.size()),
                                                    int(targets.size()));
    result.changed = applyMended(name, [&] {
        for (int row : targets) {
            bool took = false;
            for (const FieldValue &value : ordered) {
                const Fields::Store stored = storeCell(row, value.column, value.value);
                if (stored.isRefused()) {
                    refusals.add(QStringLiteral("%1, %2").arg(rowName(row), columnLabel(value.column)), stored);
                    refusedRows.insert(row);
                } else {
                    took = true;
                }
            }
            if (took)
                ++result.taken;
        }
    });
    if (result.changed && result.taken != name.count)
        m_editor.renameTop(EditName::fieldsOnRecords(name.key, name.fields, result.taken));
    result.refusedRows = refusedRows.values();
    std::sort(result.refusedRows.begin(), result.refusedRows.end());
    if (!targets.isEmpty())
        emit dataChanged(index(targets.front(), 0), index(targets.back(), columnCount() - 1));
    if (result.changed) {
        const bool names = std::any_of(ordered.begin(), ordered.end(), [this](const FieldValue &v) { return fieldAt(v.column)->isRecordName; });
        emit edited(names);
    }
    refusals.tell(m_prompter, language(), QStringLiteral("IDS_TABLE_FIELDS_REFUSED"));
    return result;
}
