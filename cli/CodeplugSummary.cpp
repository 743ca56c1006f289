#include "CodeplugSummary.h"

#include "codeplug/CPcSoftwareDoc.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/EncryptData.h"
#include "sections/QuickTextData.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"

QString formatProgramTime(const QString &digits)
{
    QString text = digits;
    const QList<QPair<int, QChar>> separators = {
        {4, QLatin1Char('-')}, {7, QLatin1Char('-')}, {10, QLatin1Char(' ')}, {13, QLatin1Char(':')}, {16, QLatin1Char(':')}};
    for (const auto &[position, separator] : separators)
        if (position < text.size())
            text.insert(position, separator);
    return text;
}

QList<QPair<QString, QString>> codeplugSummary(CPcSoftwareDoc &doc, bool headerOk)
{
    const CChannelData channels(doc);
    const int zones = channels.CountZones();
    int channelTotal = 0;
    for (int zone = 1; zone <= zones; ++zone)
        channelTotal += channels.CountChannels(zone);

    return {
        {QStringLiteral("header"), headerOk ? QStringLiteral("ok") : QStringLiteral("mismatch")},
        {QStringLiteral("model"), doc.GetModel()},
        {QStringLiteral("range"), QString::number(doc.GetRangeIndex())},
        {QStringLiteral("band"), doc.GetFreqLimitText(0) + QLatin1Char('-') + doc.GetFreqLimitText(1)},
        {QStringLiteral("programmed"), formatProgramTime(doc.GetLastProgramTime())},
        {QStringLiteral("zones"), QString::number(zones)},
        {QStringLiteral("channels"), QString::number(channelTotal)},
        {QStringLiteral("scan lists"), QString::number(CScanData(doc).CountLists())},
        {QStringLiteral("rx groups"), QString::number(CRxGroupData(doc).CountLists())},
        {QStringLiteral("contacts"), QString::number(CContactData(doc).CountContacts())},
        {QStringLiteral("encryption keys"), QString::number(CEncryptData(doc).CountEntries())},
        {QStringLiteral("quick texts"), QString::number(CQuickTextData(doc).GetCount())},
    };
}
