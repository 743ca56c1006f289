#pragma once

#include <QAbstractSpinBox>
#include <QString>

// The numeric field of the section forms: a single-line edit with up-down
// arrows. The field owns the rules by which a typed or stepped text becomes a
// value: the allowed characters, the step raster, the limits, wrapping at the
// limits and one optional special value shown as a word ("Off", ...).
//
// The form configures it, shows the stored value with Show or ShowTenths and
// stores the value that valueCommitted reports: after every arrow step and
// whenever the field loses the keyboard focus. A field that holds a decimal
// text rather than a stepped number (a frequency) is shown with ShowText and
// reports textCommitted instead.
//
// Whatever the field's limits, stepping and committing never give a value
// outside them. The mouse wheel does not step: scrolling a form must not
// change the values it passes over.
class CNumberEdit : public QAbstractSpinBox
{
    Q_OBJECT
public:
    enum class CharMode { Digits = 0, Decimal = 1, Hex = 2 };

    explicit CNumberEdit(QWidget *parent = nullptr);

    // Limits, typing limit (characters), raster (at least 1) and wrapping.
    void Configure(int minimum, int maximum, int charLimit, int step, bool wrap);
    void SetSpecial(int value, const QString &text);
    // Shows the special text when useSpecial is set and value is the special
    // value, else the number; selects digits-only typing.
    void Show(int value, bool useSpecial);
    // The tenths variant: value counts tenths and is shown as "%d.%d";
    // selects typing with one decimal point.
    void ShowTenths(int tenths, bool useSpecial);
    // A decimal text as it stands, without arrows or stepping; selects typing
    // with one decimal point.
    void ShowText(const QString &text);
    bool isTextField() const { return m_textField; }
    // +1 up arrow, -1 down arrow, 0 commit of the typed text. Shows and
    // returns the resulting value; does not emit valueCommitted.
    int Step(int direction);

    void SetCharMode(CharMode mode) { m_charMode = mode; }
    CharMode charMode() const { return m_charMode; }
    bool isTenths() const { return m_tenths; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int stepSize() const { return m_step; }
    bool wraps() const { return m_wrap; }
    int specialValue() const { return m_specialValue; }
    QString specialText() const { return m_specialText; }
    bool specialShown() const { return m_specialShown; }
    // Puts a text into the field as it is (hex fields show their own texts).
    void setEditText(const QString &text);

    // The rule of the field over a shown text, without a widget.
    struct Rule
    {
        int minimum = 0;
        int maximum = 0;
        int step = 1;
        bool wrap = true;
        bool hasSpecial = false;
        int specialValue = 0;
        QString specialText;
        bool tenths = false;
    };
    static int stepValue(const Rule &rule, const QString &text, int direction);
    // Whether a typed character may enter a field of the given mode holding text.
    static bool acceptsCharacter(QChar c, CharMode mode, const QString &text);
    // The edit that turned before into after, with every inserted character
    // the mode does not allow dropped (pasted or dropped text goes through
    // the same filter as typing). *cursor follows the characters kept.
    static QString filterInsertion(const QString &before, const QString &after, CharMode mode, int *cursor);

signals:
    // A value the form stores: after an arrow step or when the focus leaves.
    void valueCommitted(int value);
    // A text field's text when the focus leaves.
    void textCommitted(const QString &text);

protected:
    void stepBy(int steps) override;
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &) const override {}
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    Rule rule() const;
    void showValue(int value);
    void setTextField(bool on);
    void putText(const QString &text);

    int m_minimum = 0;
    int m_maximum = 0;
    int m_step = 1;
    bool m_wrap = true;
    int m_charLimit = 0;
    int m_specialValue = 0;
    QString m_specialText;
    bool m_specialShown = false;
    bool m_tenths = false;
    bool m_textField = false;
    CharMode m_charMode = CharMode::Digits;
    QString m_shown;  // the text before the edit being validated
    bool m_programText = false;  // the program, not the user, is setting the text
};
