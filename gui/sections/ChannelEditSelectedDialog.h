#pragma once

#include "sections/ChannelTableModel.h"

#include <QDialog>
#include <QList>
#include <vector>

class Language;
class QCheckBox;

// Edit Selected: every field the channel table shows, each with a tick box
// and the cell's editor, started with the values of one channel. OK hands
// the ticked fields' values to the table model, which stores them; the
// dialog itself decides no bytes.
class ChannelEditSelectedDialog : public QDialog
{
    Q_OBJECT
public:
    ChannelEditSelectedDialog(const ChannelTableModel &model, int templateRow, int selectedCount, const Language &language,
                              QWidget *parent = nullptr);

    // The ticked fields with their editors' values, as the model's cells take them.
    QList<ChannelTableModel::FieldValue> values() const;
    // The tick box and the editor of a table column; null when not offered.
    QCheckBox *tickFor(int column) const;
    QWidget *editorFor(int column) const;

private:
    struct Row
    {
        int column;
        QCheckBox *tick;
        QWidget *editor;
        bool tone;
    };
    QWidget *makeEditor(const QModelIndex &cell, const QString &label, bool tone, QCheckBox *tick);
    const Row *rowFor(int column) const;

    std::vector<Row> m_rows;
};
