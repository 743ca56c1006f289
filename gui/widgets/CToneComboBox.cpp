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
    // Refilling 258 entries is the costly part of showing a channel; the
    // list only changes with the none entry.
    const int tones = int(ToneCode::allTones().size());
    const bool unchanged = m_offersNone == !toneCompulsory && count() == tones + (m_offersNone ? 1 : 0)
                           && (!m_offersNone || itemText(0) == noneText);
    if (!unchanged) {
        clear();
        m_offersNone = !toneCompulsory;
        if (m_offersNone)
            addItem(noneText);
        addItems(ToneCode::allTones());
    }
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
