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

QString escapedText(const QString &text)
{
    QString escaped;
    for (QChar c : text) {
        if (c == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\");
        else if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            escaped += c;
        else
            escaped += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    }
    return escaped;
}

QList<QPair<QString, QString>> codeplugSummary(CPcSoftwareDoc &doc, bool headerOk)
{
    const CChannelData channels(doc);
    const int zones = channels.CountZones();
    int channelTotal = 0;
    for (int zone = 1; zone <= zones; ++zone)
        channelTotal += channels.CountChannels(zone);

    QList<QPair<QString, QString>> summary{
        {QStringLiteral("header"), headerOk ? QStringLiteral("ok") : QStringLiteral("mismatch")},
    };
    if (doc.loadedFromOddSizedFile())
        summary.append({QStringLiteral("file size"), QStringLiteral("%1 bytes (a codeplug file holds %2)")
                                                         .arg(doc.loadedFileSize())
                                                         .arg(kHeaderSize + kImageSize)});
    summary += QList<QPair<QString, QString>>{
        {QStringLiteral("model"), escapedText(doc.GetModel())},
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
    return summary;
}
