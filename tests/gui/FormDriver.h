#pragma once

// Drives the widgets of a section form as a user does, for the form tests.

#include "GuiRig.h"

#include "widgets/CNumberEdit.h"

#include <QTest>
#include <QUndoStack>
#include <memory>

// Opens a section's form as the tree does and returns it.
inline CSectionForm *openForm(GuiRig &rig, int code)
{
    rig.frame()->OnNavigate(code, 0);
    settle();
    CChildFrame *frame = rig.app->openFrame(code);
    return frame ? frame->form() : nullptr;
}

// Picks an entry of a drop-down list.
inline void choose(QComboBox *list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

// Types into a field (replacing its text) and moves the focus away.
template <class Field>
void typeAndLeave(Field *field, const QString &text)
{
    QApplication::setActiveWindow(field->window());
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
    field->parentWidget()->setFocus();
    QApplication::processEvents();
}

// Undoes every recorded step and tells whether the image is back to `before`.
inline bool undoAllRestores(GuiRig &rig, const Image &before)
{
    QUndoStack &stack = rig.frame()->undoStack();
    while (stack.canUndo())
        rig.frame()->Undo();
    return before == rig.doc().currentImage();
}

inline std::unique_ptr<Image> imageCopy(GuiRig &rig)
{
    return std::make_unique<Image>(rig.doc().currentImage());
}
