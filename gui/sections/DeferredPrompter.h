#pragma once

#include "app/Prompter.h"

#include <QList>
#include <utility>

// Collects the messages a library rule tells while an edit runs, so the
// form shows them once the edit is done and no message box opens in the
// middle of a change. Only for messages with an OK button: every question
// is answered OK.
class DeferredPrompter : public Prompter
{
public:
    PromptAnswer ask(const Prompt &prompt) override
    {
        m_prompts << prompt;
        return PromptAnswer::Ok;
    }
    void showOn(Prompter &target)
    {
        for (const Prompt &prompt : std::exchange(m_prompts, {}))
            target.ask(prompt);
    }

private:
    QList<Prompt> m_prompts;
};
