#include "sections/ChannelEditSelectedDialog.h"

#include "app/Language.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

ChannelEditSelectedDialog::ChannelEditSelectedDialog(const ChannelTableModel &model, int templateRow, int selectedCount,
                                                     const Language &language, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ChannelEditSelectedDialog"));
    setWindowTitle(language.GetLangString(QStringLiteral("IDS_TABLE_EDIT_TITLE")));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(language.GetLangString(QStringLiteral("IDS_TABLE_EDIT_HINT")).arg(selectedCount), this));

    auto *fields = new QWidget;
    auto *grid = new QGridLayout(fields);
    for (int column = ChannelTableModel::kFixedColumns; column < model.columnCount(); ++column) {
        const Fields::Field *field = model.fieldAt(column);
        // A name is unique to its channel: one name cannot go to several.
        if (!field || field->followsOthers || (field->isRecordName && selectedCount > 1))
            continue;
        const QString label = model.headerData(column, Qt::Horizontal).toString();
        auto *tick = new QCheckBox(label, fields);
        tick->setAccessibleName(label);
        const bool tone = field->kind == Fields::Kind::Tone;
        QWidget *editor = makeEditor(model.index(templateRow, column), label, tone, tick);
        editor->setParent(fields);
        const int at = int(m_rows.size());
        grid->addWidget(tick, at, 0);
        grid->addWidget(editor, at, 1);
        m_rows.push_back(Row{column, tick, editor, tone});
    }
    grid->setColumnStretch(1, 1);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(fields);
    scroll->setWidgetResizable(true);
    // Scrolls down the fields only: the labels and editors fit across.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(fields->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width()
                            + 2 * scroll->frameWidth());
    layout->addWidget(scroll, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(sizeHint().width(), 600);
}

// The cell's own kind of editor, showing the template channel's value;
// changing it ticks the field.
QWidget *ChannelEditSelectedDialog::makeEditor(const QModelIndex &cell, const QString &label, bool tone, QCheckBox *tick)
{
    QWidget *editor = nullptr;
    const auto tickOnChange = [tick] { tick->setChecked(true); };
    const QStringList entries = cell.data(ChannelTableModel::EntriesRole).toStringList();
    if (cell.data(Qt::CheckStateRole).isValid()) {
        auto *box = new QCheckBox;
        box->setChecked(cell.data(Qt::CheckStateRole).toInt() == Qt::Checked);
        connect(box, &QCheckBox::toggled, tick, tickOnChange);
        editor = box;
    } else if (!entries.isEmpty()) {
        auto *box = new QComboBox;
        if (tone) {
            // The template channel's list; a tone can also be typed.
            box->setEditable(true);
            box->addItems(entries);
            box->setCurrentText(cell.data(Qt::DisplayRole).toString());
            connect(box, &QComboBox::currentTextChanged, tick, tickOnChange);
        } else {
            box->addItems(entries);
            box->setCurrentIndex(cell.data(Qt::EditRole).toInt());
            connect(box, &QComboBox::currentIndexChanged, tick, tickOnChange);
        }
        editor = box;
    } else {
        auto *line = new QLineEdit(cell.data(Qt::DisplayRole).toString());
        connect(line, &QLineEdit::textEdited, tick, tickOnChange);
        editor = line;
    }
    editor->setAccessibleName(label);
    return editor;
}

const ChannelEditSelectedDialog::Row *ChannelEditSelectedDialog::rowFor(int column) const
{
    for (const Row &row : m_rows) {
        if (row.column == column)
            return &row;
    }
    return nullptr;
}

QCheckBox *ChannelEditSelectedDialog::tickFor(int column) const
{
    const Row *row = rowFor(column);
    return row ? row->tick : nullptr;
}

QWidget *ChannelEditSelectedDialog::editorFor(int column) const
{
    const Row *row = rowFor(column);
    return row ? row->editor : nullptr;
}

QList<ChannelTableModel::FieldValue> ChannelEditSelectedDialog::values() const
{
    QList<ChannelTableModel::FieldValue> values;
    for (const Row &row : m_rows) {
        if (!row.tick->isChecked())
            continue;
        QVariant value;
        if (auto *box = qobject_cast<QCheckBox *>(row.editor))
            value = box->isChecked();
        else if (auto *list = qobject_cast<QComboBox *>(row.editor))
            value = row.tone ? QVariant(list->currentText()) : QVariant(list->currentIndex());
        else if (auto *line = qobject_cast<QLineEdit *>(row.editor))
            value = line->text();
        values << ChannelTableModel::FieldValue{row.column, value};
    }
    return values;
}
