#pragma once

#include <QMdiSubWindow>

class CSectionForm;

// The frame of one section form inside the main window. The frame of the
// radio-information form is only hidden when the user closes it: it lives
// as long as the document.
class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    explicit CChildFrame(CSectionForm *form, QWidget *parent = nullptr);

    CSectionForm *form() const { return m_form; }
    int sectionCode() const;
    // Closes the frame for good, also the radio-information frame (a new
    // codeplug is opened).
    void destroyFrame();

signals:
    // The frame is going away; the open-frame table forgets it.
    void frameClosing(CChildFrame *frame);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    CSectionForm *m_form;
    bool m_destroying = false;
};
