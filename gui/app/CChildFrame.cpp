#include "app/CChildFrame.h"

#include "app/CMainFrame.h"
#include "sections/CSectionForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

CChildFrame::CChildFrame(CSectionForm *form, QWidget *parent) : QMdiSubWindow(parent), m_form(form)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(form);
    // Ctrl+W writes the radio; the frame's own Close keeps only Ctrl+F4.
    const QKeySequence writeKey(Qt::CTRL | Qt::Key_W);
    if (QMenu *menu = systemMenu()) {
        const auto actions = menu->actions();
        for (QAction *act : actions) {
            QList<QKeySequence> keys = act->shortcuts();
            if (keys.removeAll(writeKey) > 0)
                act->setShortcuts(keys);
        }
    }
}

int CChildFrame::sectionCode() const
{
    return m_form ? m_form->sectionCode() : 0;
}

void CChildFrame::destroyFrame()
{
    m_destroying = true;
    close();
}

void CChildFrame::closeEvent(QCloseEvent *event)
{
    // What is typed into the form is stored before the form goes.
    CMainFrame::CommitFocusedFieldIn(this);
    if (sectionCode() == 1 && !m_destroying) {
        event->ignore();
        hide();
        return;
    }
    emit frameClosing(this);
    QMdiSubWindow::closeEvent(event);
}
