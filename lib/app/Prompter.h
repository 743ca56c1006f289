#pragma once

#include <QList>
#include <QString>
#include <utility>

class Language;

// A message the library wants shown to the user. Texts are language keys so
// that the desktop program can look them up and the tests can check them.
struct Prompt
{
    enum class Icon { None, Error, Warning, Information, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

    Prompt(QString textKey = {}, QString captionKey = {}, Icon icon = Icon::None, Buttons buttons = Buttons::Ok,
           QString literalText = {}, QString literalCaption = {})
        : textKey(std::move(textKey)), captionKey(std::move(captionKey)), icon(icon), buttons(buttons),
          literalText(std::move(literalText)), literalCaption(std::move(literalCaption))
    {
    }

    QString textKey;     // key of section "String"; empty when literalText is used
    QString captionKey;  // "IDS_ERROR", "IDS_PROMPT", "IDS_WARN"; empty for the default caption
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    QString literalText; // a text that does not come from the language file
    QString literalCaption; // used when captionKey is empty (the service mode's own captions)

    QString text(const Language &language) const;
    QString caption(const Language &language) const;
};

enum class PromptAnswer { Ok, Cancel, Yes, No };

// Shows prompts and returns the user's answer. The desktop program shows a
// message box, the command line prints, the tests record.
class Prompter
{
public:
    virtual ~Prompter() = default;
    virtual PromptAnswer ask(const Prompt &prompt) = 0;

    // A message with an OK button only.
    void tell(const QString &textKey, const QString &captionKey, Prompt::Icon icon)
    {
        ask(Prompt{textKey, captionKey, icon, Prompt::Buttons::Ok, {}});
    }
};

// Holds the messages of a rule that runs inside an edit (where no window may
// open) and shows them once the edit is over. Every prompt is answered Ok
// meanwhile, so only rules that merely tell may report through it.
class DeferredPrompter : public Prompter
{
public:
    PromptAnswer ask(const Prompt &prompt) override
    {
        m_held.append(prompt);
        return PromptAnswer::Ok;
    }
    bool isEmpty() const { return m_held.isEmpty(); }
    // Shows the held messages in order and forgets them.
    void showOn(Prompter &target)
    {
        const QList<Prompt> held = std::exchange(m_held, {});
        for (const Prompt &prompt : held)
            target.ask(prompt);
    }

private:
    QList<Prompt> m_held;
};
