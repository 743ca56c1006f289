#include "widgets/CToneComboBox.h"

#include "codeplug/Encodings.h"
#include "widgets/FocusReturn.h"

#include <QKeyEvent>
#include <QSignalBlocker>

CToneComboBox::CToneComboBox(QWidget *parent) : QComboBox(parent)
{
    setMaxVisibleItems(20);
    setMinimumContentsLength(7);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

void CToneComboBox::Fill(bool toneCompulsory, const QString &noneText, const QString &tone)
{
    const QSignalBlocker blocker(this);
    clear();
    m_offersNone = !toneCompulsory;
    if (m_offersNone)
        addItem(noneText);
    addItems(ToneCode::allTones());
    setCurrentIndex(tone.isEmpty() ? -1 : findText(tone, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void CToneComboBox::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        returnFocusToForm(this);
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
