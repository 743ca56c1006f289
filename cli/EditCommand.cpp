#include "CliSupport.h"

#include "sections/ContactRules.h"
#include "sections/EncryptRules.h"
#include "sections/ListMaintenance.h"
#include "sections/QuickTextRules.h"

#include <functional>
#include <map>

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
    "  add-scan | delete-scan S | add-rxgroup | delete-rxgroup G\n"
    "  add-contact | insert-contact R | delete-contact R\n"
    "  add-encrypt | insert-encrypt R | delete-encrypt R\n"
    "  add-quicktext | insert-quicktext R | delete-quicktext R\n"
    "  paste-channel Z C TO_Z TO_C | paste-scan S TO_S | paste-rxgroup G TO_G\n";

// The contact form compacts the list whenever it opens; the command does the
// same before it changes the list, so both leave the same bytes.
CContactRules openedContacts(CPcSoftwareDoc &doc)
{
    CContactRules rules(doc);
    rules.compact();
    return rules;
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
        return QStringLiteral("a %1 cannot be pasted onto itself").arg(record);
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
    if (!parseArgs(parser, QStringLiteral("edit"), args, io))
        return ExitUsage;
    if (parser.isSet(QStringLiteral("help"))) {
        io.out << parser.helpText();
        return ExitOk;
    }
    const QStringList positional = parser.positionalArguments();
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
        if (!ok) {
            io.err << "rq381 edit: '" << text << "' is not a record number\n";
            return ExitUsage;
        }
        numbers << n;
    }

    auto settings = loadSettings(parser, io);
    if (!settings)
        return ExitFailure;
    auto doc = loadCodeplug(*settings, path, io);
    if (!doc)
        return ExitFailure;

    StreamPrompter prompter(*settings, io);
    const EditResult result = operation.run(*doc, numbers, prompter);
    if (!result.ok()) {
        // A form's message was already printed as its language text.
        if (prompter.count() == 0)
            io.err << "rq381 edit: " << name << ": "
                   << refusalText(result.refusal, QString::fromLatin1(operation.recordName), numbers) << "\n";
        return ExitFailure;
    }
    if (!saveCodeplug(*doc, path, io))
        return ExitFailure;
    io.out << name << ": " << resultText(result) << "\n";
    return ExitOk;
}
