#include "app/Prompter.h"

#include "app/Language.h"

QString Prompt::text(const Language &language) const
{
    return textKey.isEmpty() ? literalText : language.GetLangString(textKey);
}

QString Prompt::caption(const Language &language) const
{
    return captionKey.isEmpty() ? literalCaption : language.GetLangString(captionKey);
}
