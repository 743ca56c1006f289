#pragma once

#include "codeplug/Encodings.h"
#include "fields/FieldCatalogue.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <vector>

class CodeplugEditor;
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
    QString copyText(const QModelIndexList &cells) const;

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

private:
    Fields::Store storeText(int row, int column, const QString &text);

signals:
    // A store recorded an undo step; names: a channel name changed.
    void edited(bool names);

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
    QString cellText(int row, const Column &column) const;

    Fields::Doc &m_doc;
    CodeplugEditor &m_editor;
    Prompter &m_prompter;
    std::vector<Column> m_columns;
    std::vector<ChannelRef> m_rows;
    QString m_noneText;
};
