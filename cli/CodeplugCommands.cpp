#include "CliSupport.h"

#include "CodeplugSummary.h"
#include "codeplug/DataFile.h"
#include "codeplug/FreqRangeCheck.h"
#include "codeplug/NewCodeplug.h"

int runNew(const QStringList &args, CommandIo &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Makes a default codeplug, as the first File New does."));
    addCommonOptions(parser);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                        QStringLiteral("The .dat file to write."), QStringLiteral("FILE")));
    parser.addOption(modelOption());
    parser.addOption(QCommandLineOption(QStringLiteral("range"), QStringLiteral("Frequency range entry (default 6)."),
                                        QStringLiteral("N"), QStringLiteral("6")));
    if (!parseArgs(parser, QStringLiteral("new"), args, io))
        return ExitUsage;
    if (parser.isSet(QStringLiteral("help"))) {
        io.out << commandHelp(parser, QStringLiteral("new"));
        return ExitOk;
    }
    const QString output = parser.value(QStringLiteral("o"));
    if (!noStrayArguments(QStringLiteral("new"), parser.positionalArguments(), 0, io))
        return ExitUsage;
    if (output.isEmpty()) {
        io.err << "rq381 new: give the file to write with -o FILE.dat\n";
        return ExitUsage;
    }
    bool rangeOk = false;
    const int range = parser.value(QStringLiteral("range")).toInt(&rangeOk);
    if (!rangeOk || range < 0 || range >= FreqRangeCheck::kEntryCount) {
        io.err << "rq381 new: --range must be a number from 0 to 15\n";
        return ExitUsage;
    }

    auto settings = loadSettings(parser, io);
    if (!settings)
        return ExitFailure;
    if (const QString problem = NewCodeplug::rangeProblem(*settings, range); !problem.isEmpty()) {
        io.err << "rq381 new: " << problem << "\n";
        return ExitFailure;
    }
    if (!checkOutputPath(QStringLiteral("new"), output, io))
        return ExitFailure;

    auto doc = std::make_unique<CPcSoftwareDoc>(*settings);
    NewCodeplug::make(*doc, range);
    return saveCodeplug(*doc, output, io) ? ExitOk : ExitFailure;
}

int runInfo(const QStringList &args, CommandIo &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows what a codeplug file holds."));
    addCommonOptions(parser);
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The codeplug file."));
    parser.addOption(modelOption());
    if (!parseArgs(parser, QStringLiteral("info"), args, io))
        return ExitUsage;
    if (parser.isSet(QStringLiteral("help"))) {
        io.out << commandHelp(parser, QStringLiteral("info"));
        return ExitOk;
    }
    if (!noStrayArguments(QStringLiteral("info"), parser.positionalArguments(), 1, io))
        return ExitUsage;
    if (parser.positionalArguments().size() != 1) {
        io.err << "rq381 info: give the codeplug file\n";
        return ExitUsage;
    }
    auto settings = loadSettings(parser, io);
    if (!settings)
        return ExitFailure;

    const QString path = parser.positionalArguments().first();
    CPcSoftwareDoc doc(*settings);
    QString error;
    const DataFile::LoadResult result = DataFile::load(doc, path, &error);
    if (result == DataFile::LoadResult::ReadError) {
        io.err << "rq381 info: " << error << "\n";
        return ExitFailure;
    }
    const bool headerOk = result == DataFile::LoadResult::Loaded;
    if (headerOk)
        followStoredModel(doc, path, io);
    for (const auto &[key, value] : codeplugSummary(doc, headerOk))
        io.out << key << ": " << value << "\n";
    if (doc.loadedFromOddSizedFile())
        io.err << "rq381 info: warning: " << DataFile::sizeNote(path, doc.loadedFileSize()) << "\n";
    if (!headerOk) {
        io.err << "rq381 info: " << path << " is not a codeplug file (its header does not match)\n";
        return ExitFailure;
    }
    return ExitOk;
}
