#include "app/MessageBoxPrompter.h"

#include "app/AppSettings.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>

namespace {

QMessageBox::Icon iconFor(Prompt::Icon icon)
{
    switch (icon) {
    case Prompt::Icon::Error: return QMessageBox::Critical;
    case Prompt::Icon::Warning: return QMessageBox::Warning;
    case Prompt::Icon::Information: return QMessageBox::Information;
    case Prompt::Icon::Question: return QMessageBox::Question;
    case Prompt::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsFor(Prompt::Buttons buttons)
{
    switch (buttons) {
    case Prompt::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompt::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Prompt::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompt::Buttons::Ok: break;
    }
    return QMessageBox::Ok;
}

}

PromptAnswer CMessageBoxPrompter::defaultAnswer(Prompt::Buttons buttons)
{
    switch (buttons) {
    case Prompt::Buttons::YesNo:
    case Prompt::Buttons::YesNoCancel: return PromptAnswer::Yes;
    case Prompt::Buttons::Ok:
    case Prompt::Buttons::OkCancel: break;
    }
    return PromptAnswer::Ok;
}

PromptAnswer CMessageBoxPrompter::ask(const Prompt &prompt)
{
    const Language &language = m_settings.language();
    QString caption = prompt.caption(language);
    if (caption.isEmpty())
        caption = m_settings.modelName().isEmpty() ? QStringLiteral("RQ381") : m_settings.modelName();
    if (m_answerWithDefault) {
        const QString text = prompt.text(language).isEmpty() ? prompt.textKey : prompt.text(language);
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '))));
        return defaultAnswer(prompt.buttons);
    }
    QMessageBox box(iconFor(prompt.icon), caption, prompt.text(language), buttonsFor(prompt.buttons),
                    m_parent);
    switch (box.exec()) {
    case QMessageBox::Ok: return PromptAnswer::Ok;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    default: break;
    }
    return PromptAnswer::Cancel;
}
