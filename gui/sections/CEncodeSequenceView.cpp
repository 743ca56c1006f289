#include "sections/CEncodeSequenceView.h"

#include "app/Language.h"
#include "sections/EncodeSequenceData.h"
#include "sections/FieldBinder.h"
#include "sections/FormFields.h"
#include "widgets/CEditGrid.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QVBoxLayout>

CEncodeSequenceView::CEncodeSequenceView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 17, kDialogId, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    m_grid = new CEditGrid(this);
    m_grid->setColumns({40, 170, 250});
    m_grid->setRecordCount(CEncodeSequenceData::kCount);
    m_grid->setColumnEditor(SequenceColumn, FieldBinder::columnEditor(sequenceField()));
    layout->addWidget(m_grid);

    // The type is chosen from a list in its cell.
    for (int row = 0; row < CEncodeSequenceData::kCount; ++row) {
        auto *list = new QComboBox(m_grid);
        list->setFrame(false);
        m_grid->setCellChoice(row, TypeColumn, list);
        connect(list, &QComboBox::activated, this, [this, row](int type) { onTypeChosen(row, type); });
        m_types << list;
    }
    connect(m_grid, &CEditGrid::cellCommitted, this, &CEncodeSequenceView::onSequenceCommitted);
    // The editor of a sequence takes as many characters as the row's form holds.
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row) { limitSequenceEditor(row); });
}

const Fields::Field &CEncodeSequenceView::sequenceField()
{
    return FieldBinder::catalogueField(QStringLiteral("encode_sequences"), QStringLiteral("sequence"));
}

void CEncodeSequenceView::limitSequenceEditor(int row)
{
    const bool fiveTone = CEncodeSequenceData(doc()).GetSequenceType(row + 1) == CEncodeSequenceData::kFiveTone;
    CEditGrid::ColumnEditor editor = FieldBinder::columnEditor(sequenceField());
    editor.limit = fiveTone ? CEncodeSequenceData::kMaxFiveToneSymbols : CEncodeSequenceData::kMaxDtmfDigits;
    m_grid->setColumnEditor(SequenceColumn, editor);
}

void CEncodeSequenceView::onTypeChosen(int row, int type)
{
    const int n = row + 1;
    if (type == CEncodeSequenceData(doc()).GetSequenceType(n))
        return;
    // The catalogue's rule starts the sequence again for the other kind.
    const Fields::Field &field = FieldBinder::catalogueField(QStringLiteral("encode_sequences"), QStringLiteral("type"));
    runEdit(QStringLiteral("IDS_ACTION_ENCODE_TYPE"), [&] { Fields::setNumber(field, doc(), {n, 0}, type); }, Redraw::OtherForms);
    Reload();
}

void CEncodeSequenceView::onSequenceCommitted(int row, int column, const QString &text)
{
    // An emptied cell keeps the stored sequence.
    Fields::Store result;
    if (column == SequenceColumn && !text.isEmpty())
        runEdit(QStringLiteral("IDS_ACTION_ENCODE_SEQUENCE"),
                [&] { result = Fields::setText(sequenceField(), doc(), {row + 1, 0}, text); }, Redraw::OtherForms);
    Reload();
    FieldBinder::tellRefusal(prompter(), result);
}

void CEncodeSequenceView::Reload()
{
    const Language &lang = language();
    const QStringList titles = lang.GetLangList(QStringLiteral("EncodeSequence"));
    m_grid->setTitles(titles);
    // The corner above the row numbers is a button a screen reader finds too.
    if (auto *corner = m_grid->findChild<QAbstractButton *>())
        corner->setAccessibleName(titles.value(0));
    m_grid->setAccessibleName(lang.GetLangItem(QStringLiteral("Resource"), kDialogId));
    const QStringList typeNames{lang.GetLangString(QStringLiteral("IDS_DTMFSEQUENCE")),
                                lang.GetLangString(QStringLiteral("IDS_5TONESEQUENCE"))};
    const QString typeTitle = titles.value(1 + TypeColumn);
    const CEncodeSequenceData data(doc());
    for (int row = 0; row < CEncodeSequenceData::kCount; ++row) {
        const int n = row + 1;
        FormFields::fillItems(m_types[row], typeNames, data.GetSequenceType(n));
        m_types[row]->setAccessibleName(QStringLiteral("%1 %2").arg(typeTitle).arg(n));
        m_grid->setCellText(row, SequenceColumn, data.GetSequence(n));
    }
    limitSequenceEditor(std::max(m_grid->currentRow(), 0));
}
