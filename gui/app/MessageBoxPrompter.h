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
    PromptAnswer ask(const Prompt &prompt) override;

private:
    const AppSettings &m_settings;
    QPointer<QWidget> m_parent;
};
