#include "Commands.h"

#include <algorithm>
#include <functional>
#include <map>

namespace {

const char kUsage[] =
    "Usage: rq381 [--config DIR] COMMAND [ARGS]\n"
    "Makes, inspects and edits RQ381 codeplugs, and reads and writes radios.\n"
    "\n"
    "Codeplug files:\n"
    "  new -o FILE.dat [--model NAME] [--range N]   make a default codeplug\n"
    "  info FILE.dat [--model NAME]                  show what a codeplug holds\n"
    "  edit FILE.dat OPERATION [ARGS]                add, delete or paste records\n"
    "  export FILE.dat [-o OUT.yaml] [--model NAME]  write a codeplug as YAML\n"
    "  import FILE.yaml -o OUT.dat [--base BASE.dat] [--model NAME]\n"
    "                                                build a codeplug from YAML\n"
    "  diff A.dat B.dat [--model NAME]               list the fields that differ\n"
    "  contacts export FILE.dat [-o OUT.csv]         the contact list as CSV\n"
    "  contacts import FILE.dat IN.csv [-o OUT.dat] [--replace] [--match TEXT] [--limit N]\n"
    "                                                add contacts from CSV\n"
    "  channels export FILE.dat [-o OUT.csv]         zones and channels as CSV\n"
    "  channels import FILE.dat IN.csv [-o OUT.dat] [--append] [--zone NAME]\n"
    "                                                rebuild zones and channels from CSV,\n"
    "                                                or append them; repeater lists are\n"
    "                                                appended as analog channels\n"
    "\n"
    "Radio:\n"
    "  read --port P [-o FILE.dat] [--trace FILE] [--accept-damaged]\n"
    "                                                read a radio into a file\n"
    "  write --port P FILE.dat [--verify] [--force-model] [--force] [--trace FILE]\n"
    "                                                write a file into a radio\n"
    "  calib read --port P -o FILE.test [--no-backup]\n"
    "                                                read the calibration memory\n"
    "  calib write --port P FILE.test                write the calibration memory\n"
    "  ports                                         list the serial ports\n"
    "\n"
    "Options:\n"
    "  --config DIR       folder of setting.ini and the language files, anywhere on\n"
    "                     the line (default: ~/.config/rq381, the program's folder,\n"
    "                     then the installed defaults)\n"
    "  -o, --output FILE  the file to write\n"
    "  --model NAME       model for this run (RQ381, RQ381S, VK214, TL809); default:\n"
    "                     the model the codeplug names, else setting.ini\n"
    "  --range N          frequency range entry 0..15 of setting.ini (default 6)\n"
    "  --base FILE        the codeplug an import starts from\n"
    "  --replace          replace the contact list instead of adding to it\n"
    "  --match TEXT       import only rows where some column contains TEXT\n"
    "  --limit N          import at most N contacts\n"
    "  --append           add the channels CSV's rows to the zones and channels\n"
    "  --zone NAME        put a repeater list's channels into the zone NAME\n"
    "  --port P           port number 1..16 (key n of [ports], else the n-th serial\n"
    "                     device) or a device path\n"
    "  --trace FILE       write every byte of the transfer to FILE\n"
    "  --accept-damaged   keep a read whose blocks fail their sum check\n"
    "  --verify           read the radio back and compare\n"
    "  --force-model      overwrite the radio's model identification\n"
    "  --force            write a codeplug file of the wrong size\n"
    "  --no-backup        keep no copy of the calibration memory\n"
    "  -h, --help         this text; COMMAND --help (or help COMMAND) for one command\n"
    "  -v, --version      the version\n";

bool isHelp(const QString &arg)
{
    return arg == QLatin1String("--help") || arg == QLatin1String("-h") || arg == QLatin1String("-?");
}

// Options that belong to every command may stand before it too: they are
// moved behind the command's own arguments, where its parser takes them.
struct SplitLine
{
    QStringList global;   // before the command
    QString command;
    QStringList rest;     // after it
    QString error;
};

SplitLine splitLine(const QStringList &args)
{
    SplitLine line;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--config") || arg == QLatin1String("-config")) {
            if (i + 1 >= args.size()) {
                line.error = QStringLiteral("--config needs a folder");
                return line;
            }
            line.global << QStringLiteral("--config") << args.at(++i);
        } else if (arg.startsWith(QLatin1String("--config="))) {
            line.global << arg;
        } else if (arg.startsWith(QLatin1Char('-')) && !isHelp(arg) && arg != QLatin1String("--version")
                   && arg != QLatin1String("-v")) {
            line.error = QStringLiteral("unknown option '%1' before the command").arg(arg);
            return line;
        } else if (arg.startsWith(QLatin1Char('-'))) {
            line.global << arg;
        } else {
            line.command = arg;
            line.rest = args.mid(i + 1);
            return line;
        }
    }
    return line;
}

}

int runCli(const QStringList &args, CommandIo &io)
{
    const SplitLine line = splitLine(args);
    if (!line.error.isEmpty()) {
        io.err << "rq381: " << line.error << " (see rq381 --help)\n";
        return ExitUsage;
    }
    const bool help = std::any_of(line.global.begin(), line.global.end(), isHelp);
    const bool version = line.global.contains(QStringLiteral("--version")) || line.global.contains(QStringLiteral("-v"));
    if (version && !help) {
        io.out << "rq381 " << RQ381_VERSION << "\n";
        return ExitOk;
    }
    if (line.command.isEmpty()) {
        (help ? io.out : io.err) << kUsage;
        return help ? ExitOk : ExitUsage;
    }
    QString command = line.command;
    QStringList rest = line.rest;
    if (command == QLatin1String("help")) {
        if (rest.isEmpty()) {
            io.out << kUsage;
            return ExitOk;
        }
        command = rest.takeFirst();
        rest << QStringLiteral("--help");
    } else if (help) {
        rest << QStringLiteral("--help");
    }
    static const std::map<QString, std::function<int(const QStringList &, CommandIo &)>> commands = {
        {QStringLiteral("new"), runNew},     {QStringLiteral("info"), runInfo},
        {QStringLiteral("edit"), runEdit},   {QStringLiteral("read"), runRead},
        {QStringLiteral("export"), runExport}, {QStringLiteral("import"), runImport},
        {QStringLiteral("diff"), runDiff},   {QStringLiteral("contacts"), runContacts},
        {QStringLiteral("channels"), runChannels},
        {QStringLiteral("write"), runWrite}, {QStringLiteral("calib"), runCalib},
        {QStringLiteral("ports"), runPorts},
    };
    const auto it = commands.find(command);
    if (it == commands.end()) {
        io.err << "rq381: unknown command '" << command << "' (see rq381 --help)\n";
        return ExitUsage;
    }
    QStringList commandArgs = rest;
    for (const QString &arg : line.global) {
        if (!isHelp(arg))
            commandArgs << arg;
    }
    return it->second(commandArgs, io);
}
