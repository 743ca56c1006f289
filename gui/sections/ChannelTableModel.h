#pragma once

#include "codeplug/Encodings.h"
#include "fields/FieldCatalogue.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <functional>
#include <vector>

class CodeplugEditor;
struct EditName;
class Language;
class Prompter;

// Every channel of every zone as one row: the zone's name, the channel's
// number in its zone, then one column per channel field in the channel
// form's order, headed by the form's labels. Cells show values as the form
// shows them and store through the field catalogue, each store one undo
// step of the editor. A field the channel's mode does not use (the analog
// fields of a digital channel and the other way round) cannot be edited,
// as the form disables it.
class ChannelTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum FixedColumn { ZoneColumn = 0, NumberColumn = 1, kFixedColumns = 2 };
    // The entries a list cell's editor offers (a QStringList; empty for
    // fields typed as text).
    static constexpr int EntriesRole = Qt::UserRole + 1;
    // What a sorted view orders by: numbers as numbers (channel numbers,
    // frequencies, list positions), texts as texts.
    static constexpr int SortRole = Qt::UserRole + 2;
    // The type of the drag data of whole rows: the channels' (zone, channel).
    static constexpr const char *kRowsMimeType = "application/x-rq381-channel-rows";

    ChannelTableModel(Fields::Doc &doc, CodeplugEditor &editor, Prompter &prompter, QObject *parent = nullptr);

    // Reads the rows, the columns the model offers and the list entries
    // again. Keeps the view's selection when the rows stayed the same.
    void reload();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Stores a value as one undo step named by the field's label. A refusal
    // is told through the prompter and the cell keeps its value; a
    // correction is kept as stored.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    ChannelRef channelAt(int row) const { return m_rows.at(row); }
    // The column of a field key; -1 when the table does not show it.
    int columnOf(const QString &key) const;
    const Fields::Field *fieldAt(int column) const;
    // Whether the channel's mode uses the column's field.
    bool isEditable(int row, int column) const;

    // Stores one value into the cells of `rows` in `column`, each through
    // the field's rule, as ONE undo step ("Set Power on 37 channels"
    // counting the channels that took it). Rows that refuse keep their
    // value and are listed in one message; the others take it.
    struct BulkResult
    {
        int taken = 0;               // rows that stored the value (with or without a correction)
        QList<int> refusedRows;
        bool changed = false;        // an undo step was recorded
    };
    BulkResult setOnRows(const QList<int> &rows, int column, const QVariant &value);

    // The cells as tab-separated text: a header row of the field keys, then
    // one line per row of the cells' value texts as the YAML codeplug writes
    // them. The rows and columns are those the cells span; a cell of the
    // span that is not among `cells` stays empty.
    // rowOrder, when given, lists the rows in the order to write them (a
    // sorted view's order).
    QString copyText(const QModelIndexList &cells, const QList<int> &rowOrder = {}) const;

    // Tab-separated text as a spreadsheet or this table copies it, split
    // into rows of cells (a trailing line break ends the last row).
    static QList<QStringList> splitBlock(const QString &text);
    // Whether a block's first row is a header of this table's keys.
    bool isHeader(const QStringList &row) const;
    // Stores a block of value texts (as copyText writes them) from cell
    // (row, column) on, at most `rowLimit` rows of it, each cell through its
    // field's rule, as ONE undo step ("Paste 50 cells"). A first row of field
    // keys is a header: its columns then go to the fields they name. Empty
    // cells, the zone and number columns and cells past the table are left
    // alone. The cells that refuse keep their value and are listed in one
    // message; the others take theirs.
    struct PasteResult
    {
        int stored = 0;
        int refused = 0;
        bool changed = false;
    };
    PasteResult paste(int row, int column, QList<QStringList> block, int rowLimit);

    // The same into the given rows, in the order given (a sorted view's
    // order), a block row to each.
    PasteResult pasteIntoRows(const QList<int> &rows, int column, QList<QStringList> block);

    // Edit Selected: several fields onto the same rows, each row taking the
    // values in column order (the mode before the tones it brings), as ONE
    // undo step ("Set 3 fields on 40 channels", counting the channels that
    // took any). Values a row refuses are listed in one message; the rest
    // are taken.
    struct FieldValue
    {
        int column;
        QVariant value;
    };
    BulkResult setFieldsOnRows(const QList<int> &rows, const QList<FieldValue> &values);

    // Row operations. Each is ONE undo step of the library's list
    // maintenance, so every reference to a channel follows it. A refusal
    // changes nothing and is told through the prompter.
    struct RowsResult
    {
        bool changed = false;
        QString refusalKey;  // [String] key of the refusal; empty when done
        QList<int> rows;     // the rows that hold the moved or new channels afterwards
    };
    // A new channel at the row's place in its zone, the channels from there on moved down.
    RowsResult insertRow(int row);
    // The rows' channels. Refused as a whole when it would empty a zone.
    RowsResult deleteRows(const QList<int> &rows);
    // Every row one place up (step -1) or down (+1) within its zone; a row
    // already at its zone's edge stays and the rows behind it close up.
    RowsResult moveRowsBy(const QList<int> &rows, int step);
    // The rows, all of one zone, to the gap before row `gap` (rowCount():
    // after the last row), keeping their order. A gap outside their zone is
    // refused.
    RowsResult moveRowsTo(const QList<int> &rows, int gap);
    // The row of a channel; -1 when the table does not show it.
    int rowOf(ChannelRef channel) const;

    // Drag and drop of whole rows within their zone. The drag carries the
    // channels, so a drop acts on what was dragged however it arrives.
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent) override;
    // Rows [sourceRow, sourceRow + count) to before destinationChild, as a drop does.
    bool moveRows(const QModelIndex &sourceParent, int sourceRow, int count, const QModelIndex &destinationParent,
                  int destinationChild) override;

private:
    Fields::Store storeText(int row, int column, const QString &text);

signals:
    // A store recorded an undo step; names: a channel name changed.
    void edited(bool names);
    // A row operation recorded an undo step; rows hold the channels it
    // moved or made, for the selection to follow.
    void rowsChanged(const QList<int> &rows);

private:
    struct Column
    {
        const Fields::Field *field;
        int labelId;
        QStringList entries;  // list fields: the form's entries from the field's minimum on
        bool listed = false;
    };
    const Language &language() const;
    void buildColumns();
    void fillEntries();
    Fields::Store storeCell(int row, int column, const QVariant &value);
    QString rowName(int row) const;
    QString columnLabel(int column) const;
    // The rows the drag data names, or nothing when one of its channels is gone.
    QList<int> rowsOfDrag(const QMimeData *data) const;
    // The gap a drop at (row, parent) names.
    int dropGap(int row, const QModelIndex &parent) const;
    // Whether the rows (all of one zone) may go to the gap; the refusal key when not.
    QString moveRefusal(const QList<int> &rows, int gap) const;
    // Runs a row operation as one undo step, reloads and announces it.
    RowsResult runRows(const EditName &name, const std::function<QList<ChannelRef>()> &change);
    void tellRefusal(const QString &key);
    bool applyMended(const EditName &name, const std::function<void()> &change);
    // The rows of the table among `rows`, each once, in order.
    QList<int> tableRows(QList<int> rows) const;
    QString cellText(int row, const Column &column) const;

    Fields::Doc &m_doc;
    CodeplugEditor &m_editor;
    Prompter &m_prompter;
    std::vector<Column> m_columns;
    std::vector<ChannelRef> m_rows;
    QString m_noneText;
};
