#pragma once

#include <QWidget>

class Language;

// Every form and dialog marks its widgets with their numeric control id (the
// dynamic property "ctrlId"), so that the "Resource" section of the language
// file can relabel them and tests can find them.
void setCtrlId(QWidget *widget, int id);
// The control id of a widget, or -1 when it has none.
int ctrlId(const QWidget *widget);

// The first descendant of root of type T that carries the control id.
template <class T = QWidget>
T *findCtrl(const QWidget *root, int id)
{
    if (!root)
        return nullptr;
    const auto children = root->findChildren<T *>();
    for (T *child : children) {
        if (ctrlId(child) == id)
            return child;
    }
    return nullptr;
}

// Sets the window's caption to the "Resource" text of dialogId (also when it
// is empty), then gives every labelled control (labels, buttons, group boxes)
// that carries a control id the "Resource" text of that id. A missing or
// empty text leaves the control's built-in label. Input fields are skipped:
// their text is data.
void TranslateDialog(QWidget *window, int dialogId, const Language &language);
// The same without touching the window's caption (forms inside a frame whose
// title comes from the navigation tree's labels).
void TranslateControls(QWidget *window, const Language &language);
// Gives every control that a label names (QLabel::setBuddy) the label's text
// as its accessible name, so screen readers say the label in the current
// language. Both functions above end with it.
void NameControlsFromLabels(QWidget *root);
// A label's text as a name: without mnemonic markers and trailing colons.
QString LabelTextForName(const QString &labelText);
