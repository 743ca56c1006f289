#include "app/TextFiles.h"

#include "app/FilePaths.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "fields/RecordMends.h"
#include "text/ChannelsCsv.h"
#include "text/ContactsCsv.h"
#include "text/YamlCodeplug.h"

#include <memory>

namespace TextFiles {

namespace {
const char kYamlFilter[] = "YAML codeplug (*.yaml *.yml)";
const char kContactsFilter[] = "Contacts CSV (*.csv)";
const char kChannelsFilter[] = "Channels CSV (*.csv)";
}

QString filter(Kind kind)
{
    switch (kind) {
    case Kind::ContactsCsv: return QLatin1String(kContactsFilter);
    case Kind::ChannelsCsv: return QLatin1String(kChannelsFilter);
    case Kind::YamlCodeplug: break;
    }
    return QLatin1String(kYamlFilter);
}

QString filters()
{
    return QStringList{filter(Kind::YamlCodeplug), filter(Kind::ContactsCsv), filter(Kind::ChannelsCsv)}.join(
        QStringLiteral(";;"));
}

Kind kindOfFilter(const QString &chosen)
{
    if (chosen == QLatin1String(kContactsFilter))
        return Kind::ContactsCsv;
    if (chosen == QLatin1String(kChannelsFilter))
        return Kind::ChannelsCsv;
    return Kind::YamlCodeplug;
}

qint64 maxBytes(Kind kind)
{
    switch (kind) {
    case Kind::ContactsCsv: return FilePaths::kMaxContactsCsvBytes;
    case Kind::ChannelsCsv: return FilePaths::kMaxChannelsCsvBytes;
    case Kind::YamlCodeplug: break;
    }
    return FilePaths::kMaxYamlBytes;
}

ImportResult importText(Kind kind, const QByteArray &text, CPcSoftwareDoc &doc)
{
    // The importers leave the image as it was on an error; the copy makes
    // sure of it for all three.
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
    case Kind::YamlCodeplug: break;
    }
    return YamlCodeplug::exportText(doc);
}

}
