#include "app/CChildFrame.h"

#include "sections/CSectionForm.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(CSectionForm *form, QWidget *parent) : QMdiSubWindow(parent), m_form(form)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(form);
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
    if (sectionCode() == 1 && !m_destroying) {
        event->ignore();
        hide();
        return;
    }
    emit frameClosing(this);
    QMdiSubWindow::closeEvent(event);
}
