#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

// The typing limit of a text field as the radio's forms expect it: a text
// the program shows may be longer than the limit (a version shown as
// "V01.19" in a field that takes four typed characters), but typing or
// pasting may not make the text longer than the limit. Deleting is always
// allowed.
class EditLimitValidator : public QValidator
{
public:
    EditLimitValidator(QLineEdit *edit, int limit);
    void setLimit(int limit) { m_limit = limit; }
    int limit() const { return m_limit; }
    State validate(QString &input, int &pos) const override;
    // A text the program puts into the field is always taken.
    void setProgramText(bool on) { m_programText = on; }

    // The rule itself: may `before` become `after` by an edit?
    static bool allows(const QString &before, const QString &after, int limit);

private:
    int m_limit;
    QString m_shown;  // the text before the edit being validated
    bool m_programText = false;
};

// A single-line text field with a typing limit that tells the form when it
// loses the keyboard focus (where the forms store what was typed).
class CTextEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CTextEdit(QWidget *parent = nullptr);
    // 0 means no limit.
    void setEditLimit(int limit);
    int editLimit() const { return m_validator->limit(); }
    // Shows a text whatever its length (the limit is for typing).
    void setText(const QString &text);
    // Makes the field at least wide enough to show `count` wide characters
    // (Latin capitals or Chinese), in whatever font it gets.
    void fitCharacters(int count);

signals:
    void focusLost();

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyFit();

    EditLimitValidator *m_validator;
    int m_fitCharacters = 0;
};
