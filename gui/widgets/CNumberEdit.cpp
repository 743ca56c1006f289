#include "widgets/CNumberEdit.h"

#include "codeplug/Encodings.h"

#include "widgets/EditLimit.h"
#include "widgets/FocusReturn.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

#include <algorithm>

namespace {

// Large enough for any field, small enough that v + step never overflows.
constexpr qint64 kReadingLimit = 1'000'000'000'000LL;

// The leading decimal number of a text, as the C library reads it: blanks,
// an optional sign, digits; 0 when there is none.
qint64 readInteger(const QString &text, int *end = nullptr)
{
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        value = std::min(value * 10 + (text[i].unicode() - '0'), kReadingLimit);
        ++i;
    }
    if (end)
        *end = i;
    return negative ? -value : value;
}

// A typed number of whole units as tenths, rounded to the nearest tenth:
// "2.5" is 25, "2.57" is 26, "3" is 30.
qint64 readTenths(const QString &text)
{
    return DecimalTenths::fromText(text);
}

// The raster value at or below v (towards zero, as integer division does).
qint64 snap(qint64 v, qint64 step) { return v / step * step; }

}

CNumberEdit::CNumberEdit(QWidget *parent) : QAbstractSpinBox(parent)
{
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(false);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString &text) { m_shown = text; });
}

void CNumberEdit::Configure(int minimum, int maximum, int charLimit, int step, bool wrap)
{
    m_minimum = std::min(minimum, maximum);
    m_maximum = std::max(minimum, maximum);
    m_charLimit = charLimit;
    m_step = std::max(step, 1);
    m_wrap = wrap;
}

void CNumberEdit::SetSpecial(int value, const QString &text)
{
    m_specialValue = value;
    m_specialText = text;
}

void CNumberEdit::Show(int value, bool useSpecial)
{
    m_specialShown = useSpecial;
    m_tenths = false;
    m_charMode = CharMode::Digits;
    setTextField(false);
    showValue(value);
}

void CNumberEdit::ShowTenths(int tenths, bool useSpecial)
{
    m_specialShown = useSpecial;
    m_tenths = true;
    m_charMode = CharMode::Decimal;
    setTextField(false);
    showValue(tenths);
}

void CNumberEdit::ShowText(const QString &text)
{
    m_specialShown = false;
    m_tenths = false;
    m_charMode = CharMode::Decimal;
    setTextField(true);
    putText(text);
}

void CNumberEdit::setTextField(bool on)
{
    if (m_textField == on)
        return;
    m_textField = on;
    setButtonSymbols(on ? QAbstractSpinBox::NoButtons : QAbstractSpinBox::UpDownArrows);
}

void CNumberEdit::showValue(int value)
{
    QString text;
    if (m_specialShown && value == m_specialValue)
        text = m_specialText;
    else if (m_tenths)
        text = QStringLiteral("%1%2.%3")
                   .arg(value < 0 ? QStringLiteral("-") : QString())
                   .arg(std::abs(value / 10))
                   .arg(std::abs(value % 10));
    else
        text = QString::number(value);
    putText(text);
}

void CNumberEdit::setEditText(const QString &text)
{
    putText(text);
}

void CNumberEdit::putText(const QString &text)
{
    m_programText = true;
    lineEdit()->setText(text);
    m_programText = false;
}

CNumberEdit::Rule CNumberEdit::rule() const
{
    Rule r;
    r.minimum = m_minimum;
    r.maximum = m_maximum;
    r.step = m_step;
    r.wrap = m_wrap;
    r.hasSpecial = m_specialShown;
    r.specialValue = m_specialValue;
    r.specialText = m_specialText;
    r.tenths = m_tenths;
    return r;
}

int CNumberEdit::stepValue(const Rule &rule, const QString &text, int direction)
{
    const qint64 lo = rule.minimum;
    const qint64 hi = rule.maximum;
    const qint64 s = std::max(rule.step, 1);
    const bool specialShowing = rule.hasSpecial && text == rule.specialText;
    // The tenths variant works on w = typed units in tenths plus half a step.
    const qint64 v = rule.tenths ? readTenths(text) + s / 2 : readInteger(text);

    if (direction > 0) {
        if (specialShowing && rule.wrap)
            return int(lo);
        const qint64 result = snap(v + s, s);
        if ((rule.tenths ? result : v + s) <= hi)
            return int(std::clamp(result, lo, hi));  // a typed value below the range steps into it
        if (rule.wrap)
            return int(rule.hasSpecial ? rule.specialValue : lo);
        return int(hi);
    }
    if (direction < 0) {
        if (specialShowing && rule.wrap)
            return int(hi);
        const qint64 result = snap(v - s, s);
        if ((rule.tenths ? result : v - s) >= lo)
            return int(std::clamp(result, lo, hi));  // never below a minimum off the raster
        if (rule.wrap)
            return int(rule.hasSpecial ? rule.specialValue : hi);
        return int(lo);
    }
    if (rule.hasSpecial && (specialShowing || text.isEmpty()))
        return rule.specialValue;
    // The integer variant holds the typed value against the limits, the
    // tenths variant the value already snapped to the raster.
    const qint64 held = rule.tenths ? snap(v, s) : v;
    if (held < lo)
        return int(lo);
    if (held > hi)
        return int(hi);
    // A limit off the raster is still a valid value: never snap below it.
    return int(std::max(snap(v, s), lo));
}

int CNumberEdit::Step(int direction)
{
    const int value = stepValue(rule(), lineEdit()->text(), direction);
    showValue(value);
    return value;
}

bool CNumberEdit::acceptsCharacter(QChar c, CharMode mode, const QString &text)
{
    if (c.isDigit() && c.unicode() < 128)
        return true;
    if (c == QLatin1Char('.'))
        return mode == CharMode::Decimal && !text.contains(QLatin1Char('.'));
    const char16_t u = c.unicode();
    if ((u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f'))
        return mode == CharMode::Hex;
    return false;
}

QString CNumberEdit::filterInsertion(const QString &before, const QString &after, CharMode mode, int *cursor)
{
    // The inserted run is what lies between the parts both texts share.
    const int shorter = int(std::min(before.size(), after.size()));
    int prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    int suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QString head = after.left(prefix);
    const QString tail = after.right(suffix);
    const QString inserted = after.mid(prefix, after.size() - prefix - suffix);

    QString kept;
    int keptBeforeCursor = 0;
    for (int i = 0; i < inserted.size(); ++i) {
        if (!acceptsCharacter(inserted[i], mode, head + kept + tail))
            continue;
        kept += inserted[i];
        if (cursor && prefix + i < *cursor)
            ++keptBeforeCursor;
    }
    if (cursor) {
        if (*cursor >= prefix + inserted.size())
            *cursor -= int(inserted.size() - kept.size());
        else if (*cursor > prefix)
            *cursor = prefix + keptBeforeCursor;
    }
    return head + kept + tail;
}

void CNumberEdit::stepBy(int steps)
{
    if (steps == 0 || isReadOnly() || m_textField)
        return;
    emit valueCommitted(Step(steps > 0 ? 1 : -1));
}

QAbstractSpinBox::StepEnabled CNumberEdit::stepEnabled() const
{
    if (isReadOnly() || !isEnabled() || m_textField)
        return StepNone;
    return StepUpEnabled | StepDownEnabled;
}

QValidator::State CNumberEdit::validate(QString &input, int &pos) const
{
    if (m_programText)
        return QValidator::Acceptable;
    // Typed, pasted and dropped text alike lose the characters the field
    // does not take; the typing limit then holds for what is left.
    const QString filtered = filterInsertion(m_shown, input, m_charMode, &pos);
    if (!EditLimitValidator::allows(m_shown, filtered, m_charLimit))
        return QValidator::Invalid;
    input = filtered;
    return QValidator::Acceptable;
}

void CNumberEdit::keyPressEvent(QKeyEvent *event)
{
    // Enter and Escape never reach a default button: they give the focus
    // back to the form, which commits the typed value.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
        || event->key() == Qt::Key_Escape) {
        returnFocusToForm(this);
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void CNumberEdit::focusOutEvent(QFocusEvent *event)
{
    QAbstractSpinBox::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || isReadOnly())
        return;
    if (m_textField)
        emit textCommitted(lineEdit()->text());
    else
        emit valueCommitted(Step(0));
}

void CNumberEdit::wheelEvent(QWheelEvent *event)
{
    // Left to the enclosing form, which may scroll.
    event->ignore();
}
