#include "sections/IdEntryRules.h"

#include "sections/BasicSettingData.h"
#include "sections/ContactData.h"

namespace {

// The number an ID edit holds, or -1 for a text that is not up to seven
// decimal digits.
qint32 typedId(const QString &text)
{
    const QString t = text.trimmed();
    if (t.size() > CContactData::kCallIdLength)
        return -1;
    qint32 value = 0;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

QString idText(qint32 value)
{
    return QString::number(value);
}

}

namespace IdEntryRules {

bool enterRadioId(CPcSoftwareDoc &doc, const QString &text)
{
    qint32 value = typedId(text);
    if (value < 0)
        return false;
    if (value == 0)
        value = 1;
    // Every reserved ID is followed by a free one, so one step is enough.
    if (CContactData::IsReservedCallId(QStringLiteral("%1").arg(value, 7, 10, QLatin1Char('0'))))
        ++value;
    CBasicSettingData(doc).SetRadioId(idText(value));
    return true;
}

bool enterStartId(CPcSoftwareDoc &doc, const QString &text)
{
    qint32 value = typedId(text);
    if (value < 0)
        return false;
    if (value == 0)
        value = 1;
    CBasicSettingData(doc).SetGroupCallStartId(idText(value));
    return true;
}

}
