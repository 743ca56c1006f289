#include "sections/CGridListForm.h"

#include "app/Language.h"
#include "app/Prompter.h"
#include "app/TranslateDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CGridListForm::CGridListForm(const FormContext &context, int sectionCode, int dialogId, int gridId,
                             const QString &titleList, const QVector<int> &widths, QWidget *parent)
    : CSectionForm(context, sectionCode, dialogId, parent),
      m_grid(new CEditGrid(this)),
      m_titleList(titleList)
{
    setCtrlId(m_grid, gridId);
    m_grid->setColumns(widths);
    connect(m_grid, &CEditGrid::cellCommitted, this, [this](int row, int column, const QString &text) {
        commitCell(row + 1, column, text);
        Reload();
    });

    const auto button = [this](int control, const QString &text, ListOperation operation) {
        auto *b = new QPushButton(text, this);
        setCtrlId(b, control);
        connect(b, &QPushButton::clicked, this, [this, operation] { runListOperation(operation); });
        return b;
    };
    m_add = button(Add, QStringLiteral("增加"), ListOperation::Add);
    m_insert = button(Insert, QStringLiteral("插入"), ListOperation::Insert);
    m_delete = button(Delete, QStringLiteral("删除"), ListOperation::Delete);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(m_grid, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_add);
    buttons->addWidget(m_insert);
    buttons->addWidget(m_delete);
    layout->addLayout(buttons);
}

int CGridListForm::focusedRecord() const
{
    const int row = m_grid->currentRow();
    return row >= 0 && row < m_grid->rowCount() ? row + 1 : 0;
}

void CGridListForm::Reload()
{
    // Called after any change, undo included: the grid follows whatever
    // the image now holds.
    const int count = std::clamp(recordCount(), 0, capacity());
    m_grid->setTitles(language().GetLangList(m_titleList));
    m_grid->setAccessibleName(language().GetLangText(QStringLiteral("Resource"), QString::number(dialogId())));
    m_grid->setRecordCount(count);
    for (int record = 1; record <= count; ++record) {
        const QStringList texts = recordTexts(record);
        for (int column = 0; column < m_grid->columnCount(); ++column)
            m_grid->setCellText(record - 1, column, texts.value(column));
    }
    if (count > 0 && focusedRecord() == 0)
        m_grid->setCurrentCell(0, 0);
    m_add->setEnabled(count < capacity());
    m_insert->setEnabled(count < capacity());
    m_delete->setEnabled(count > 1);
}

void CGridListForm::focusRecord(int record)
{
    if (record < 1 || record > m_grid->rowCount())
        return;
    m_grid->setCurrentCell(record - 1, std::max(m_grid->currentColumn(), 0));
    m_grid->scrollTo(m_grid->currentIndex());
}

void CGridListForm::CommitPendingEdit()
{
    CSectionForm::CommitPendingEdit();
    m_grid->commitEditor();
}

void CGridListForm::runListOperation(ListOperation operation)
{
    // A cell edit still open belongs to the rows as they are now.
    m_grid->commitEditor();
    const int record = focusedRecord();
    if (operation != ListOperation::Add && record == 0)
        return;
    DeferredPrompter messages;
    EditResult result = EditResult::refused(Refusal::NoSuchRecord);
    runEdit(actionKey(operation), [&] { result = runOperation(operation, record, messages); }, Redraw::OtherForms);
    Reload();
    if (result.ok())
        focusRecord(result.record);
    messages.showOn(prompter());
}
