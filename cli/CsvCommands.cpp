// rq381 contacts and rq381 channels: export and import CSV files.

#include "CliSupport.h"

#include "app/FilePaths.h"
#include "fields/RecordMends.h"

#include "text/ChannelsCsv.h"
#include "text/ContactsCsv.h"
#include "text/RepeaterCsv.h"

#include <QFileInfo>

namespace {

// The shared shape of both commands: "export FILE.dat [-o OUT.csv]" and
// "import FILE.dat IN.csv [-o OUT.dat] [options]".
struct CsvCommand
{
    QString name;
    QString exportDescription;
    QString importDescription;
    std::function<QByteArray(CPcSoftwareDoc &)> exportText;
    std::function<void(QCommandLineParser &)> addImportOptions;
    // Reads the CSV file into the document; false when nothing may be written.
    // What it did goes to summary, printed once the codeplug is saved.
    std::function<bool(const QString &, CPcSoftwareDoc &, const QCommandLineParser &, CommandIo &, QString &summary)>
        importFile;
};

int runCsvCommand(const CsvCommand &command, const QStringList &args, CommandIo &io)
{
    const QString action = args.value(0);
    const QString fullName = command.name + u' ' + action;
    if (action == QLatin1String("--help") || action == QLatin1String("-h")) {
        io.out << "Usage: rq381 " << command.name << " export FILE.dat [-o OUT.csv]\n"
               << "       rq381 " << command.name << " import FILE.dat IN.csv [-o OUT.dat]\n"
               << command.exportDescription << "\n" << command.importDescription << "\n"
               << "rq381 " << command.name << " export --help and import --help list the options.\n";
        return ExitOk;
    }
    if (action != QLatin1String("export") && action != QLatin1String("import")) {
        io.err << "rq381 " << command.name << ": use '" << command.name << " export FILE.dat [-o OUT.csv]' or '" << command.name
               << " import FILE.dat IN.csv [-o OUT.dat]'\n";
        return ExitUsage;
    }
    const bool exporting = action == QLatin1String("export");
    QCommandLineParser parser;
    addCommonOptions(parser);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                        exporting ? QStringLiteral("The CSV file to write (default: standard output).")
                                                  : QStringLiteral("The codeplug to write (default: FILE.dat itself)."),
                                        QStringLiteral("FILE")));
    parser.addOption(modelOption());
    parser.setApplicationDescription(exporting ? command.exportDescription : command.importDescription);
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The codeplug file."));
    if (!exporting) {
        parser.addPositionalArgument(QStringLiteral("IN.csv"), QStringLiteral("The CSV file to read."));
        command.addImportOptions(parser);
    }
    if (!parseArgs(parser, fullName, args.mid(1), io))
        return ExitUsage;
    if (parser.isSet(QStringLiteral("help"))) {
        io.out << commandHelp(parser, fullName);
        return ExitOk;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != (exporting ? 1 : 2)) {
        io.err << "rq381 " << fullName << ": give " << (exporting ? "one codeplug file" : "the codeplug file and the CSV file") << "\n";
        return ExitUsage;
    }
    auto settings = loadSettings(parser, io);
    if (!settings)
        return ExitFailure;
    // An import saves into FILE.dat itself unless -o names another file.
    std::unique_ptr<FileLock> lock;
    if (!exporting && !(lock = lockForUpdate(fullName, files[0], io)))
        return ExitFailure;
    auto doc = loadCodeplug(*settings, files[0], io);
    if (!doc)
        return ExitFailure;
    if (exporting)
        return writeText(parser.value(QStringLiteral("o")), command.exportText(*doc), fullName, io) ? ExitOk : ExitFailure;

    QString summary;
    const auto before = std::make_unique<Image>(doc->currentImage());
    if (!command.importFile(files[1], *doc, parser, io, summary))
        return ExitFailure;
    // The records the file changed get the mends their forms give them.
    for (const Mends::Correction &correction : Mends::mendChanged(*doc, *before))
        io.err << "rq381 " << fullName << ": warning: " << correction.path << ": " << correction.text << "\n";
    const QString output = parser.isSet(QStringLiteral("o")) ? parser.value(QStringLiteral("o")) : files[0];
    if (!saveCodeplug(*doc, output, io))
        return ExitFailure;
    io.out << summary;
    return ExitOk;
}

}

int runContacts(const QStringList &args, CommandIo &io)
{
    CsvCommand command;
    command.name = QStringLiteral("contacts");
    command.exportDescription = QStringLiteral("Writes the contact list as CSV.");
    command.importDescription = QStringLiteral(
        "Adds contacts from a CSV file (a header row names the columns), a DMR user database, a hotspot's DMRIds.dat "
        "or a talk-group list. See docs/contacts-import.md.");
    command.exportText = ContactsCsv::exportText;
    command.addImportOptions = [](QCommandLineParser &parser) {
        parser.addOption(QCommandLineOption(QStringLiteral("replace"), QStringLiteral("Replace the contact list instead of adding to it.")));
        parser.addOption(QCommandLineOption(QStringLiteral("match"),
                                            QStringLiteral("Only rows where some column contains TEXT; COLUMN=TEXT: where that "
                                                           "column does (letter case ignored)."),
                                            QStringLiteral("TEXT")));
        parser.addOption(QCommandLineOption(QStringLiteral("limit"), QStringLiteral("Add at most N of the rows --match kept."),
                                            QStringLiteral("N")));
    };
    command.importFile = [](const QString &path, CPcSoftwareDoc &doc, const QCommandLineParser &parser, CommandIo &io,
                            QString &summary) {
        ContactsCsv::Options options;
        options.replace = parser.isSet(QStringLiteral("replace"));
        options.match = parser.value(QStringLiteral("match"));
        if (parser.isSet(QStringLiteral("limit"))) {
            bool ok = false;
            options.limit = parser.value(QStringLiteral("limit")).toInt(&ok);
            if (!ok || options.limit < 0) {
                io.err << "rq381 contacts import: --limit takes a number of contacts\n";
                return false;
            }
        }
        // Read row by row: a user database may be large.
        QFile csv(path);
        if (!openText(csv, FilePaths::kMaxContactsCsvBytes, QStringLiteral("contacts import"), io))
            return false;
        ContactsCsv::Report report;
        const Mends::Result closed = Mends::changeContacts(doc, [&] { report = ContactsCsv::importFile(csv, doc, options); });
        for (const QString &text : closed.corrections)
            io.err << "rq381 contacts import: warning: contacts: " << text << "\n";
        if (!report.ok()) {
            io.err << "rq381 contacts import: " << report.error << "\n";
            return false;
        }
        summary = QStringLiteral("added %1 contact(s)\n").arg(report.added);
        for (auto it = report.skipped.cbegin(); it != report.skipped.cend(); ++it)
            summary += QStringLiteral("skipped %1 row(s): %2\n").arg(it.value()).arg(it.key());
        for (auto it = report.clearedReferences.cbegin(); it != report.clearedReferences.cend(); ++it)
            summary += QStringLiteral("cleared %1 reference(s) to contacts the new list lacks: %2\n").arg(it.value()).arg(it.key());
        summary += ContactsCsv::callTypeSummary(report);
        return true;
    };
    return runCsvCommand(command, args, io);
}

int runChannels(const QStringList &args, CommandIo &io)
{
    CsvCommand command;
    command.name = QStringLiteral("channels");
    command.exportDescription = QStringLiteral("Writes the zones and channels as CSV, one row per channel.");
    command.importDescription = QStringLiteral(
        "Rebuilds the zones and channels from a channels CSV file, or with --append adds its rows to them. "
        "A repeater list (a header with Location, Name, Frequency, Duplex, Offset, Tone, ... Mode) is always "
        "appended as analog channels: in new zones named after the file, or in the zone --zone names. "
        "See docs/channels-import.md.");
    command.exportText = ChannelsCsv::exportText;
    command.addImportOptions = [](QCommandLineParser &parser) {
        parser.addOption(QCommandLineOption(QStringLiteral("append"),
                                            QStringLiteral("Keep the zones and channels and add the rows: a row whose zone exists "
                                                           "goes behind its channels, other zones are added after the existing ones.")));
        parser.addOption(QCommandLineOption(QStringLiteral("zone"),
                                            QStringLiteral("Repeater lists: add the channels to the zone NAME (made when missing) "
                                                           "instead of to new zones."),
                                            QStringLiteral("NAME")));
    };
    command.importFile = [](const QString &path, CPcSoftwareDoc &doc, const QCommandLineParser &parser, CommandIo &io,
                            QString &summary) {
        QByteArray csv;
        if (!readText(path, csv, FilePaths::kMaxChannelsCsvBytes, QStringLiteral("channels import"), io))
            return false;
        if (RepeaterCsv::recognises(csv)) {
            RepeaterCsv::Options options;
            options.zone = parser.value(QStringLiteral("zone"));
            options.zoneBaseName = QFileInfo(path).completeBaseName();
            const RepeaterCsv::Report report = RepeaterCsv::importText(csv, doc, options);
            for (const QString &warning : report.warnings)
                io.err << "rq381 channels import: warning: " << warning << "\n";
            if (!report.ok()) {
                io.err << "rq381 channels import: " << report.error << "; nothing was written\n";
                return false;
            }
            summary = report.summary().join(u'\n') + u'\n';
            return true;
        }
        if (parser.isSet(QStringLiteral("zone"))) {
            io.err << "rq381 channels import: --zone is for repeater lists; a channels CSV names the zone of each row "
                      "(use --append to add its rows)\n";
            return false;
        }
        ChannelsCsv::Options options;
        options.append = parser.isSet(QStringLiteral("append"));
        const ChannelsCsv::Report report = ChannelsCsv::importText(csv, doc, options);
        for (const QString &warning : report.warnings)
            io.err << "rq381 channels import: warning: " << warning << "\n";
        for (const QString &error : report.errors)
            io.err << "rq381 channels import: " << error << "\n";
        if (!report.ok())
            io.err << "rq381 channels import: " << report.errors.size() << " error(s); nothing was written\n";
        else if (!report.notes.isEmpty())
            summary = report.notes.join(u'\n') + u'\n';
        return report.ok();
    };
    return runCsvCommand(command, args, io);
}
