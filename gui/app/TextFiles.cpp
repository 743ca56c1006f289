#include "app/TextFiles.h"

#include "app/FilePaths.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "fields/RecordMends.h"
#include "text/ChannelsCsv.h"
#include "text/ContactsCsv.h"
#include "text/RepeaterCsv.h"
#include "app/Language.h"
#include "text/YamlCodeplug.h"

#include <memory>

namespace TextFiles {

namespace {

constexpr Kind kKinds[] = {Kind::YamlCodeplug, Kind::ContactsCsv, Kind::ChannelsCsv, Kind::RepeaterCsv};

QString filterKey(Kind kind)
{
    switch (kind) {
    case Kind::ContactsCsv: return QStringLiteral("IDS_FILTER_CONTACTS_CSV");
    case Kind::ChannelsCsv: return QStringLiteral("IDS_FILTER_CHANNELS_CSV");
    case Kind::RepeaterCsv: return QStringLiteral("IDS_FILTER_REPEATER_CSV");
    case Kind::YamlCodeplug: break;
    }
    return QStringLiteral("IDS_FILTER_YAML");
}

// A language file without the key still offers the kind.
QString builtInFilter(Kind kind)
{
    switch (kind) {
    case Kind::ContactsCsv: return QStringLiteral("Contacts CSV (*.csv)");
    case Kind::ChannelsCsv: return QStringLiteral("Channels CSV (*.csv)");
    case Kind::RepeaterCsv: return QStringLiteral("Repeater list CSV (*.csv)");
    case Kind::YamlCodeplug: break;
    }
    return QStringLiteral("YAML codeplug (*.yaml *.yml)");
}

}

QString filter(Kind kind, const Language &language)
{
    const QString text = language.GetLangString(filterKey(kind));
    return text.isEmpty() ? builtInFilter(kind) : text;
}

QString importFilters(const Language &language)
{
    QStringList filters;
    for (Kind kind : kKinds)
        filters << filter(kind, language);
    return filters.join(QStringLiteral(";;"));
}

QString exportFilters(const Language &language)
{
    QStringList filters;
    for (Kind kind : kKinds) {
        if (kind != Kind::RepeaterCsv)
            filters << filter(kind, language);
    }
    return filters.join(QStringLiteral(";;"));
}

Kind kindOfFilter(const QString &chosen, const Language &language)
{
    for (Kind kind : kKinds) {
        if (chosen == filter(kind, language))
            return kind;
    }
    return Kind::YamlCodeplug;
}

qint64 maxBytes(Kind kind)
{
    switch (kind) {
    case Kind::ContactsCsv: return FilePaths::kMaxContactsCsvBytes;
    case Kind::ChannelsCsv:
    case Kind::RepeaterCsv: return FilePaths::kMaxChannelsCsvBytes;
    case Kind::YamlCodeplug: break;
    }
    return FilePaths::kMaxYamlBytes;
}

ImportResult importText(Kind kind, const QByteArray &text, CPcSoftwareDoc &doc, const QString &sourceName)
{
    if (kind == Kind::ChannelsCsv && RepeaterCsv::recognises(text))
        kind = Kind::RepeaterCsv;
    // The importers leave the image as it was on an error; the copy makes
    // sure of it for all of them.
    const auto before = std::make_unique<Image>(doc.currentImage());
    ImportResult result;
    switch (kind) {
    case Kind::YamlCodeplug: {
        // The text is applied to the open codeplug, which it was most likely
        // exported from: references follow records it moves.
        YamlCodeplug::ImportOptions options;
        options.followRecords = true;
        const YamlCodeplug::ImportReport report = YamlCodeplug::importText(text, doc, options);
        for (const YamlCodeplug::Message &message : report.errors)
            result.errors << message.toString();
        for (const YamlCodeplug::Message &message : report.warnings)
            result.warnings << message.toString();
        break;
    }
    case Kind::ContactsCsv: {
        // Added as the contact form adds: behind the gaps closed first.
        ContactsCsv::Report report;
        const Mends::Result closed
            = Mends::changeContacts(doc, [&] { report = ContactsCsv::importText(text, doc, ContactsCsv::Options{}); });
        for (const QString &correction : closed.corrections)
            result.warnings << QStringLiteral("contacts: %1").arg(correction);
        if (!report.ok())
            result.errors << report.error;
        for (auto it = report.skipped.cbegin(); it != report.skipped.cend(); ++it)
            result.warnings << QStringLiteral("%1: %2").arg(it.key()).arg(it.value());
        break;
    }
    case Kind::ChannelsCsv: {
        const ChannelsCsv::Report report = ChannelsCsv::importText(text, doc);
        result.errors = report.errors;
        result.warnings = report.warnings;
        // The records the file changed get the mends their forms give them.
        if (result.ok()) {
            for (const Mends::Correction &correction : Mends::mendChanged(doc, *before))
                result.warnings << QStringLiteral("%1: %2").arg(correction.path, correction.text);
        }
        break;
    }
    case Kind::RepeaterCsv: {
        RepeaterCsv::Options options;
        options.zoneBaseName = sourceName;
        const RepeaterCsv::Report report = RepeaterCsv::importText(text, doc, options);
        if (!report.ok()) {
            result.errors << report.error;
            break;
        }
        // The summary first: what was added and what was left out.
        result.warnings << report.summary() << report.warnings;
        for (const Mends::Correction &correction : Mends::mendChanged(doc, *before))
            result.warnings << QStringLiteral("%1: %2").arg(correction.path, correction.text);
        break;
    }
    }
    if (!result.ok())
        doc.currentImage() = *before;
    else
        doc.UpdateBandLimits();
    return result;
}

QByteArray exportText(Kind kind, CPcSoftwareDoc &doc)
{
    switch (kind) {
    case Kind::ContactsCsv: return ContactsCsv::exportText(doc);
    case Kind::ChannelsCsv: return ChannelsCsv::exportText(doc);
    case Kind::RepeaterCsv:  // read only: what File > Export offers never names it
    case Kind::YamlCodeplug: break;
    }
    return YamlCodeplug::exportText(doc);
}

}
