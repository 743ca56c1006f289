// rq381 export, import and diff: the codeplug as YAML text.

#include "CliSupport.h"

#include "app/FilePaths.h"
#include "codeplug/DataFile.h"
#include "codeplug/NewCodeplug.h"

#include "text/CodeplugDiff.h"
#include "text/YamlCodeplug.h"


namespace {

constexpr int kDiffTrouble = 2;

QCommandLineOption outputOption(const QString &what)
{
    return QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")}, what, QStringLiteral("FILE"));
}

std::unique_ptr<AppSettings> settingsFor(const QCommandLineParser &parser, CommandIo &io)
{
    return loadSettings(parser, io);
}

// The default codeplug the import starts from without --base: the model and
// frequency range the text names, else those of setting.ini and range 6.
std::unique_ptr<CPcSoftwareDoc> startingDocument(AppSettings &settings, const YamlCodeplug::Origin &origin, CommandIo &io)
{
    if (!origin.model.isEmpty() && !settings.modelOverridden())
        settings.setModelName(origin.model);
    const int range = origin.rangeIndex >= 0 ? origin.rangeIndex : NewCodeplug::kStartRange;
    auto doc = std::make_unique<CPcSoftwareDoc>(settings);
    if (const QString problem = NewCodeplug::make(*doc, range); !problem.isEmpty()) {
        io.err << "rq381 import: " << problem << "\n";
        return nullptr;
    }
    return doc;
}

void printMessages(const QList<YamlCodeplug::Message> &messages, const char *prefix, CommandIo &io)
{
    for (const auto &message : messages)
        io.err << "rq381 import: " << prefix << message.toString() << "\n";
}

}

int runExport(const QStringList &args, CommandIo &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes a codeplug as YAML text."));
    addCommonOptions(parser);
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The codeplug file."));
    parser.addOption(outputOption(QStringLiteral("The YAML file to write (default: standard output).")));
    parser.addOption(modelOption());
    if (!parseArgs(parser, QStringLiteral("export"), args, io))
        return ExitUsage;
    if (parser.isSet(QStringLiteral("help"))) {
        io.out << commandHelp(parser, QStringLiteral("export"));
        return ExitOk;
    }
    if (parser.positionalArguments().size() != 1) {
        io.err << "rq381 export: give exactly one codeplug file\n";
        return ExitUsage;
    }
    auto settings = settingsFor(parser, io);
    if (!settings)
        return ExitFailure;
    auto doc = loadCodeplug(*settings, parser.positionalArguments().first(), io);
    if (!doc)
        return ExitFailure;
    return writeText(parser.value(QStringLiteral("o")), YamlCodeplug::exportText(*doc), QStringLiteral("export"), io) ? ExitOk
                                                                                                                    : ExitFailure;
}

int runImport(const QStringList &args, CommandIo &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds a codeplug from YAML text."));
    addCommonOptions(parser);
    parser.addPositionalArgument(QStringLiteral("FILE.yaml"), QStringLiteral("The YAML codeplug."));
    parser.addOption(outputOption(QStringLiteral("The .dat file to write.")));
    parser.addOption(QCommandLineOption(QStringLiteral("base"), QStringLiteral("The codeplug to start from (default: the default codeplug)."),
                                        QStringLiteral("BASE.dat")));
    parser.addOption(modelOption());
    if (!parseArgs(parser, QStringLiteral("import"), args, io))
        return ExitUsage;
    if (parser.isSet(QStringLiteral("help"))) {
        io.out << commandHelp(parser, QStringLiteral("import"));
        return ExitOk;
    }
    const QString output = parser.value(QStringLiteral("o"));
    if (parser.positionalArguments().size() != 1 || output.isEmpty()) {
        io.err << "rq381 import: give one YAML file and the codeplug to write with -o FILE.dat\n";
        return ExitUsage;
    }
    auto settings = settingsFor(parser, io);
    if (!settings)
        return ExitFailure;
    QByteArray text;
    if (!readText(parser.positionalArguments().first(), text, FilePaths::kMaxYamlBytes, QStringLiteral("import"), io))
        return ExitFailure;
    std::unique_ptr<CPcSoftwareDoc> doc;
    if (parser.isSet(QStringLiteral("base"))) {
        const QString base = parser.value(QStringLiteral("base"));
        doc = loadCodeplug(*settings, base, io);
        if (doc && doc->loadedFromOddSizedFile())
            io.err << "rq381 import: warning: " << DataFile::sizeNote(base, doc->loadedFileSize())
                   << "; the codeplug written is full size\n";
    } else
        doc = startingDocument(*settings, YamlCodeplug::originOf(text), io);
    if (!doc)
        return ExitFailure;

    // References follow records the text moves only when the text was made
    // from the codeplug it is applied to; a default codeplug's numbering
    // means nothing to it.
    YamlCodeplug::ImportOptions options;
    options.followRecords = parser.isSet(QStringLiteral("base"));
    const YamlCodeplug::ImportReport report = YamlCodeplug::importText(text, *doc, options);
    printMessages(report.warnings, "warning: ", io);
    printMessages(report.errors, "", io);
    if (!report.ok()) {
        io.err << "rq381 import: " << report.errors.size() << " error(s); nothing was written\n";
        return ExitFailure;
    }
    return saveCodeplug(*doc, output, io) ? ExitOk : ExitFailure;
}

int runDiff(const QStringList &args, CommandIo &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Lists the fields in which two codeplugs differ."));
    addCommonOptions(parser);
    parser.addPositionalArgument(QStringLiteral("A.dat"), QStringLiteral("The old codeplug."));
    parser.addPositionalArgument(QStringLiteral("B.dat"), QStringLiteral("The new codeplug."));
    parser.addOption(modelOption());
    if (!parseArgs(parser, QStringLiteral("diff"), args, io))
        return kDiffTrouble;
    if (parser.isSet(QStringLiteral("help"))) {
        io.out << commandHelp(parser, QStringLiteral("diff"));
        return ExitOk;
    }
    if (parser.positionalArguments().size() != 2) {
        io.err << "rq381 diff: give two codeplug files\n";
        return kDiffTrouble;
    }
    auto settings = settingsFor(parser, io);
    if (!settings)
        return kDiffTrouble;
    auto before = loadCodeplug(*settings, parser.positionalArguments().at(0), io);
    auto after = before ? loadCodeplug(*settings, parser.positionalArguments().at(1), io, false) : nullptr;
    if (!after)
        return kDiffTrouble;
    const QStringList lines = CodeplugDiff::compare(*before, *after);
    for (const QString &line : lines)
        io.out << line << "\n";
    return lines.isEmpty() ? ExitOk : ExitFailure;
}
