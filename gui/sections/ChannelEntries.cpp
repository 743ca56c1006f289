#include "sections/ChannelEntries.h"

#include "app/Language.h"
#include "sections/ContactData.h"
#include "sections/EncryptData.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"

#include <QHash>

namespace {

constexpr int kColourCodes = 64;
constexpr int kEncodeSequences = 16;
constexpr int kDecodeSequences = 6;

// "None", then the records' names up to the first unnamed one.
FieldBinder::Entries references(Fields::Doc &doc, int bound, QString (*nameOf)(Fields::Doc &, int))
{
    return [&doc, bound, nameOf](const Language &lang) {
        QStringList entries{lang.GetLangString(QStringLiteral("IDS_NONE"))};
        for (int n = 1; n <= bound; ++n) {
            const QString name = nameOf(doc, n);
            if (name.isEmpty())
                break;
            entries << name;
        }
        return entries;
    };
}

// "None", then "Encode 1", "Encode 2", ...
FieldBinder::Entries sequences(const QString &wordKey, int count)
{
    return [wordKey, count](const Language &lang) {
        QStringList entries{lang.GetLangString(QStringLiteral("IDS_NONE"))};
        const QString word = lang.GetLangString(wordKey);
        for (int n = 1; n <= count; ++n)
            entries << QStringLiteral("%1 %2").arg(word).arg(n);
        return entries;
    };
}

}

FieldBinder::Entries ChannelEntries::forField(const QString &key, Fields::Doc &doc)
{
    static const QHash<QString, QString> languageLists{
        {QStringLiteral("mode"), QStringLiteral("ChannelMode")},
        {QStringLiteral("channel_type"), QStringLiteral("ChannelType")},
        {QStringLiteral("power"), QStringLiteral("Power")},
        {QStringLiteral("bandwidth"), QStringLiteral("BandWidth")},
        {QStringLiteral("bcl_mode"), QStringLiteral("AnalogBclMode")},
        {QStringLiteral("tail_reversal_phase"), QStringLiteral("TailReversal")},
        {QStringLiteral("polite_mode"), QStringLiteral("PoliteMode")},
    };
    if (const auto list = languageLists.constFind(key); list != languageLists.constEnd())
        return FieldBinder::languageList(*list);
    if (key == QLatin1String("ptt_online_code") || key == QLatin1String("ptt_offline_code"))
        return sequences(QStringLiteral("IDS_ENCODE"), kEncodeSequences);
    if (key == QLatin1String("decode_sequence"))
        return sequences(QStringLiteral("IDS_DECODE"), kDecodeSequences);
    if (key == QLatin1String("rx_colour_code") || key == QLatin1String("tx_colour_code")) {
        // The colour codes 0 ... 63 are shown as 1 ... 64.
        return [](const Language &) {
            QStringList codes;
            for (int code = 1; code <= kColourCodes; ++code)
                codes << QString::number(code);
            return codes;
        };
    }
    if (key == QLatin1String("scan_list"))
        return references(doc, CScanData::kListCount, [](Fields::Doc &d, int n) { return CScanData(d).GetName(n); });
    if (key == QLatin1String("rx_group_list"))
        return references(doc, CRxGroupData::kListCount, [](Fields::Doc &d, int n) { return CRxGroupData(d).GetName(n); });
    if (key == QLatin1String("contact"))
        return references(doc, CContactData::kContactCount, [](Fields::Doc &d, int n) { return CContactData(d).GetName(n); });
    if (key == QLatin1String("encryption_key"))
        return references(doc, CEncryptData::kEntryCount, [](Fields::Doc &d, int n) { return CEncryptData(d).GetName(n); });
    return {};
}
