#include "sections/CDecodeSequenceView.h"

#include "app/Language.h"
#include "sections/DecodeSequenceData.h"
#include "sections/FieldBinder.h"
#include "sections/FormFields.h"
#include "widgets/CEditGrid.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QVBoxLayout>

CDecodeSequenceView::CDecodeSequenceView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 20, kDialogId, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    m_grid = new CEditGrid(this);
    m_grid->setColumns({40, 150, 150, 150});
    m_grid->setRecordCount(CDecodeSequenceData::kCount);
    m_grid->setColumnEditor(SequenceColumn, FieldBinder::columnEditor(field(QStringLiteral("sequence"))));
    layout->addWidget(m_grid);

    for (int row = 0; row < CDecodeSequenceData::kCount; ++row) {
        QComboBox *signaling = addCellList(row, SignalingColumn);
        connect(signaling, &QComboBox::activated, this, [this, row](int index) { onSignalingChosen(row, index); });
        m_signaling << signaling;
        QComboBox *type = addCellList(row, DecodeTypeColumn);
        connect(type, &QComboBox::activated, this, [this, row](int index) { onDecodeTypeChosen(row, index); });
        m_decodeTypes << type;
    }
    connect(m_grid, &CEditGrid::cellCommitted, this, &CDecodeSequenceView::onSequenceCommitted);
}

const Fields::Field &CDecodeSequenceView::field(const QString &key)
{
    return FieldBinder::catalogueField(QStringLiteral("decode_sequences"), key);
}

QComboBox *CDecodeSequenceView::addCellList(int row, int column)
{
    auto *list = new QComboBox(m_grid);
    list->setFrame(false);
    m_grid->setCellChoice(row, column, list);
    return list;
}

void CDecodeSequenceView::onSignalingChosen(int row, int index)
{
    const int n = row + 1;
    if (index == CDecodeSequenceData(doc()).GetRxSignaling(n))
        return;
    // The catalogue's rule starts the sequence again for the other signalling.
    runEdit(QStringLiteral("IDS_ACTION_DECODE_SIGNALING"),
            [&] { Fields::setNumber(field(QStringLiteral("rx_signaling")), doc(), {n, 0}, index); }, Redraw::OtherForms);
    Reload();
}

void CDecodeSequenceView::onDecodeTypeChosen(int row, int index)
{
    runEdit(QStringLiteral("IDS_ACTION_DECODE_TYPE"),
            [&] { Fields::setNumber(field(QStringLiteral("decode_type")), doc(), {row + 1, 0}, index); }, Redraw::OtherForms);
    Reload();
}

void CDecodeSequenceView::onSequenceCommitted(int row, int column, const QString &text)
{
    Fields::Store result;
    if (column == SequenceColumn)
        runEdit(QStringLiteral("IDS_ACTION_DECODE_SEQUENCE"),
                [&] { result = Fields::setText(field(QStringLiteral("sequence")), doc(), {row + 1, 0}, text); },
                Redraw::OtherForms);
    Reload();
    FieldBinder::tellRefusal(prompter(), result);
}

void CDecodeSequenceView::Reload()
{
    const Language &lang = language();
    const QStringList titles = lang.GetLangList(QStringLiteral("DecodeSequence"));
    m_grid->setTitles(titles);
    // The corner above the row numbers is a button a screen reader finds too.
    if (auto *corner = m_grid->findChild<QAbstractButton *>())
        corner->setAccessibleName(titles.value(0));
    m_grid->setAccessibleName(lang.GetLangItem(QStringLiteral("Resource"), kDialogId));
    const QStringList signalings = lang.GetLangList(QStringLiteral("RxSignaling"));
    const QStringList types = lang.GetLangList(QStringLiteral("DecodeType"));
    const CDecodeSequenceData data(doc());
    for (int row = 0; row < CDecodeSequenceData::kCount; ++row) {
        const int n = row + 1;
        FormFields::fillItems(m_signaling[row], signalings, data.GetRxSignaling(n));
        m_signaling[row]->setAccessibleName(QStringLiteral("%1 %2").arg(titles.value(1)).arg(n));
        FormFields::fillItems(m_decodeTypes[row], types, data.GetDecodeType(n));
        m_decodeTypes[row]->setAccessibleName(QStringLiteral("%1 %2").arg(titles.value(3)).arg(n));
        m_grid->setCellText(row, SequenceColumn, data.GetSequence(n));
    }
}
