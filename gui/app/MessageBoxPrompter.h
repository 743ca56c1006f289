#pragma once

#include "app/Prompter.h"

#include <QPointer>
#include <QWidget>

class AppSettings;

// Shows the library's prompts as message boxes over the main window, with
// texts and captions from the active language file.
class CMessageBoxPrompter : public Prompter
{
public:
    explicit CMessageBoxPrompter(const AppSettings &settings) : m_settings(settings) {}
    void setParentWidget(QWidget *parent) { m_parent = parent; }
    // For runs without a user (a screenshot): no box is shown; the text goes
    // to stderr and the prompt is answered with its default button.
    void setAnswerWithDefault(bool automatic) { m_answerWithDefault = automatic; }
    PromptAnswer ask(const Prompt &prompt) override;

    // The button a message box of these buttons has as its default.
    static PromptAnswer defaultAnswer(Prompt::Buttons buttons);

private:
    const AppSettings &m_settings;
    QPointer<QWidget> m_parent;
    bool m_answerWithDefault = false;
};
