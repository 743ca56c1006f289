#include "CliSupport.h"

#include "codeplug/DataFile.h"
#include "fields/RecordMends.h"
#include "sections/ChannelData.h"
#include "sections/ContactRules.h"
#include "sections/EncryptRules.h"
#include "sections/ListMaintenance.h"
#include "sections/QuickTextRules.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"

#include <QRegularExpression>
#include <functional>
#include <map>
#include <memory>

namespace {

// What the operations work on, for the messages.
struct Operation
{
    int argumentCount;
    const char *recordName;   // "zone", "channel", ...
    std::function<EditResult(CPcSoftwareDoc &, const QList<int> &, Prompter &)> run;
};

const char kOperationsHelp[] =
    "Operations:\n"
    "  add-zone | delete-zone Z | add-channel Z | delete-channel Z C\n"
    "  insert-channel Z C | move-channel Z C TO_C\n"
    "  add-scan | delete-scan S | add-rxgroup | delete-rxgroup G\n"
    "  add-contact | insert-contact R | delete-contact R\n"
    "  add-encrypt | insert-encrypt R | delete-encrypt R\n"
    "  add-quicktext | insert-quicktext R | delete-quicktext R\n"
    "  paste-channel Z C TO_Z TO_C | paste-scan S TO_S | paste-rxgroup G TO_G\n";

// The contact form closes the gaps of the list before it changes it; the
// command does the same, so both leave the same bytes.
CContactRules openedContacts(CPcSoftwareDoc &doc)
{
    Mends::contacts(doc);
    return CContactRules(doc);
}

const std::map<QString, Operation> &operations()
{
    using Args = const QList<int> &;
    static const std::map<QString, Operation> table = {
        {"add-zone", {0, "zone", [](CPcSoftwareDoc &d, Args, Prompter &) { return CListMaintenance(d).addZone(); }}},
        {"delete-zone", {1, "zone", [](CPcSoftwareDoc &d, Args a, Prompter &) { return CListMaintenance(d).deleteZone(a[0]); }}},
        {"add-channel", {1, "channel", [](CPcSoftwareDoc &d, Args a, Prompter &) { return CListMaintenance(d).addChannel(a[0]); }}},
        {"delete-channel",
         {2, "channel", [](CPcSoftwareDoc &d, Args a, Prompter &) { return CListMaintenance(d).deleteChannel(a[0], a[1]); }}},
        {"insert-channel",
         {2, "channel", [](CPcSoftwareDoc &d, Args a, Prompter &) { return CListMaintenance(d).insertChannel(a[0], a[1]); }}},
        {"move-channel",
         {3, "channel", [](CPcSoftwareDoc &d, Args a, Prompter &) { return CListMaintenance(d).moveChannel(a[0], a[1], a[2]); }}},
        {"add-scan", {0, "scan list", [](CPcSoftwareDoc &d, Args, Prompter &) { return CListMaintenance(d).addScanList(); }}},
        {"delete-scan",
         {1, "scan list", [](CPcSoftwareDoc &d, Args a, Prompter &) { return CListMaintenance(d).deleteScanList(a[0]); }}},
        {"add-rxgroup", {0, "RX group list", [](CPcSoftwareDoc &d, Args, Prompter &) { return CListMaintenance(d).addRxGroup(); }}},
        {"delete-rxgroup",
         {1, "RX group list", [](CPcSoftwareDoc &d, Args a, Prompter &) { return CListMaintenance(d).deleteRxGroup(a[0]); }}},
        {"add-contact", {0, "contact", [](CPcSoftwareDoc &d, Args, Prompter &p) { return openedContacts(d).add(p); }}},
        {"insert-contact", {1, "contact", [](CPcSoftwareDoc &d, Args a, Prompter &p) { return openedContacts(d).insert(a[0], p); }}},
        {"delete-contact", {1, "contact", [](CPcSoftwareDoc &d, Args a, Prompter &) { return openedContacts(d).remove(a[0]); }}},
        {"add-encrypt", {0, "encryption key", [](CPcSoftwareDoc &d, Args, Prompter &) { return CEncryptRules(d).add(); }}},
        {"insert-encrypt",
         {1, "encryption key", [](CPcSoftwareDoc &d, Args a, Prompter &) { return CEncryptRules(d).insert(a[0]); }}},
        {"delete-encrypt",
         {1, "encryption key", [](CPcSoftwareDoc &d, Args a, Prompter &) { return CEncryptRules(d).remove(a[0]); }}},
        {"add-quicktext", {0, "quick text", [](CPcSoftwareDoc &d, Args, Prompter &) { return CQuickTextRules(d).add(); }}},
        {"insert-quicktext",
         {1, "quick text", [](CPcSoftwareDoc &d, Args a, Prompter &) { return CQuickTextRules(d).insert(a[0]); }}},
        {"delete-quicktext",
         {1, "quick text", [](CPcSoftwareDoc &d, Args a, Prompter &) { return CQuickTextRules(d).remove(a[0]); }}},
        {"paste-channel",
         {4, "channel",
          [](CPcSoftwareDoc &d, Args a, Prompter &) {
              ListClipboard clip;
              clip.copyChannel(a[0], a[1]);
              return CListMaintenance(d).pasteChannel(clip, a[2], a[3]);
          }}},
        {"paste-scan",
         {2, "scan list",
          [](CPcSoftwareDoc &d, Args a, Prompter &) {
              ListClipboard clip;
              clip.copyScanList(a[0]);
              return CListMaintenance(d).pasteScanList(clip, a[1]);
          }}},
        {"paste-rxgroup",
         {2, "RX group list",
          [](CPcSoftwareDoc &d, Args a, Prompter &) {
              ListClipboard clip;
              clip.copyRxGroup(a[0]);
              return CListMaintenance(d).pasteRxGroup(clip, a[1]);
          }}},
    };
    return table;
}

// "a zone", "an RX group list", "an encryption key".
QString withArticle(const QString &record)
{
    const bool vowelSound = record.startsWith(QLatin1String("RX"))
        || QStringLiteral("aeiou").contains(record.left(1), Qt::CaseInsensitive);
    return (vowelSound ? QStringLiteral("an ") : QStringLiteral("a ")) + record;
}

// For a paste that named a record not in use: which one, the copied record
// or the one pasted onto. Empty for other operations.
QString missingPasteRecord(CPcSoftwareDoc &doc, const QString &operation, const QList<int> &args)
{
    auto side = [](bool sourceInUse, const QString &source, const QString &target) {
        return sourceInUse ? QStringLiteral("the target %1 is not in use").arg(target)
                           : QStringLiteral("the source %1 is not in use").arg(source);
    };
    if (operation == QLatin1String("paste-channel")) {
        const CChannelData channels(doc);
        const int zones = channels.CountZones();
        auto inUse = [&](int zone, int channel) {
            return zone >= 1 && zone <= zones && channel >= 1 && channel <= channels.CountChannels(zone);
        };
        return side(inUse(args[0], args[1]), QStringLiteral("channel %1 %2").arg(args[0]).arg(args[1]),
                    QStringLiteral("channel %1 %2").arg(args[2]).arg(args[3]));
    }
    int count = 0;
    QString kind;
    if (operation == QLatin1String("paste-scan")) {
        count = CScanData(doc).CountLists();
        kind = QStringLiteral("scan list");
    } else if (operation == QLatin1String("paste-rxgroup")) {
        count = CRxGroupData(doc).CountLists();
        kind = QStringLiteral("RX group list");
    } else {
        return QString();
    }
    return side(args[0] >= 1 && args[0] <= count, QStringLiteral("%1 %2").arg(kind).arg(args[0]),
                QStringLiteral("%1 %2").arg(kind).arg(args[1]));
}

QString refusalText(Refusal refusal, const QString &record, const QList<int> &args)
{
    QStringList numbers;
    for (int n : args)
        numbers << QString::number(n);
    switch (refusal) {
    case Refusal::OnlyRecord:
        return QStringLiteral("the only %1 cannot be deleted").arg(record);
    case Refusal::ListFull:
        return QStringLiteral("there is no room for another %1").arg(record);
    case Refusal::NoSuchRecord:
        return QStringLiteral("no record in use at %1").arg(numbers.join(QLatin1Char(' ')));
    case Refusal::SameRecord:
        return QStringLiteral("%1 cannot be pasted onto itself").arg(withArticle(record));
    case Refusal::NothingCopied:
        return QStringLiteral("nothing to paste");
    case Refusal::Rejected:
    case Refusal::None:
        break;
    }
    return QStringLiteral("the operation was refused");
}

QString resultText(const EditResult &result)
{
    if (result.zone > 0)
        return QStringLiteral("zone %1 channel %2").arg(result.zone).arg(result.channel);
    return QStringLiteral("record %1").arg(result.record);
}

// The parser would take "-1" for an option; negative record numbers are
// handed over as positional arguments with this mark, and refused as such.
const QChar kNegativeMark(0x1F);

QStringList markNegativeNumbers(const QStringList &args)
{
    static const QRegularExpression negative(QStringLiteral("^-[0-9]+$"));
    QStringList marked;
    for (const QString &arg : args)
        marked << (negative.match(arg).hasMatch() ? kNegativeMark + arg : arg);
    return marked;
}

}

int runEdit(const QStringList &args, CommandIo &io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Applies one list operation to a codeplug file and saves it.\n\n") + kOperationsHelp);
    addCommonOptions(parser);
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The codeplug file, changed in place."));
    parser.addPositionalArgument(QStringLiteral("OPERATION"), QStringLiteral("What to do (see above)."));
    parser.addPositionalArgument(QStringLiteral("ARGS"), QStringLiteral("Record numbers, counted from 1."),
                                 QStringLiteral("[ARGS...]"));
    parser.addOption(modelOption());
    if (!parseArgs(parser, QStringLiteral("edit"), markNegativeNumbers(args), io))
        return ExitUsage;
    if (parser.isSet(QStringLiteral("help"))) {
        io.out << commandHelp(parser, QStringLiteral("edit"));
        return ExitOk;
    }
    QStringList positional = parser.positionalArguments();
    for (QString &text : positional)
        if (text.startsWith(kNegativeMark))
            text.remove(0, 1);
    if (positional.size() < 2) {
        io.err << "rq381 edit: give the codeplug file and an operation\n" << kOperationsHelp;
        return ExitUsage;
    }
    const QString path = positional.at(0);
    const QString name = positional.at(1);
    const auto found = operations().find(name);
    if (found == operations().end()) {
        io.err << "rq381 edit: unknown operation '" << name << "'\n" << kOperationsHelp;
        return ExitUsage;
    }
    const Operation &operation = found->second;
    if (positional.size() - 2 != operation.argumentCount) {
        io.err << "rq381 edit: " << name << " takes " << operation.argumentCount << " number(s)\n";
        return ExitUsage;
    }
    QList<int> numbers;
    for (const QString &text : positional.mid(2)) {
        bool ok = false;
        const int n = text.toInt(&ok);
        if (!ok || n < 1) {
            io.err << "rq381 edit: '" << text << "' is not a record number (records count from 1)\n";
            return ExitUsage;
        }
        numbers << n;
    }

    auto settings = loadSettings(parser, io);
    if (!settings)
        return ExitFailure;
    const auto lock = lockForUpdate(QStringLiteral("edit"), path, io);
    if (!lock)
        return ExitFailure;
    auto doc = loadCodeplug(*settings, path, io);
    if (!doc)
        return ExitFailure;
    if (doc->loadedFromOddSizedFile())
        io.err << "rq381 edit: warning: " << DataFile::sizeNote(path, doc->loadedFileSize())
               << "; the file is saved at its full size\n";

    StreamPrompter prompter(*settings, io);
    const auto before = std::make_unique<Image>(doc->currentImage());
    const EditResult result = operation.run(*doc, numbers, prompter);
    if (!result.ok()) {
        // A form's message was already printed as its language text.
        if (prompter.count() == 0) {
            QString reason = refusalText(result.refusal, QString::fromLatin1(operation.recordName), numbers);
            if (result.refusal == Refusal::NoSuchRecord)
                if (const QString missing = missingPasteRecord(*doc, name, numbers); !missing.isEmpty())
                    reason = missing;
            io.err << "rq381 edit: " << name << ": " << reason << "\n";
        }
        return ExitFailure;
    }
    // The records the operation changed get the mends their forms give them.
    for (const Mends::Correction &correction : Mends::mendChanged(*doc, *before))
        io.err << "rq381 edit: warning: " << correction.path << ": " << correction.text << "\n";
    if (!saveCodeplug(*doc, path, io))
        return ExitFailure;
    io.out << name << ": " << resultText(result) << "\n";
    return ExitOk;
}
