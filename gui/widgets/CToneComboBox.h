#pragma once

#include <QComboBox>

// The sub-audio tone selector: the 50 CTCSS tones, then the 104 DCS codes
// normal and inverted. A channel that must carry a tone (the mixed modes)
// offers only those; any other channel also offers the "none" entry first.
class CToneComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CToneComboBox(QWidget *parent = nullptr);

    // Refills the list, with the none text as its first entry unless a tone
    // is compulsory, and selects `tone` (the none text or a tone's text). A
    // text the list does not hold selects nothing.
    void Fill(bool toneCompulsory, const QString &noneText, const QString &tone);
    bool offersNone() const { return m_offersNone; }

protected:
    // Enter and Escape hand the focus back to the form instead of reaching a
    // default button.
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_offersNone = false;
};
