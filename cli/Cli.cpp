#include "Commands.h"

#include <functional>
#include <map>

namespace {

const char kUsage[] =
    "Usage: rq381 COMMAND [ARGS] [--config DIR]\n"
    "\n"
    "Codeplug files:\n"
    "  new -o FILE.dat [--model NAME] [--range N]   make a default codeplug\n"
    "  info FILE.dat                                 show what a codeplug holds\n"
    "  edit FILE.dat OPERATION [ARGS]                add, delete or paste records\n"
    "  export FILE.dat [-o OUT.yaml]                 write a codeplug as YAML\n"
    "  import FILE.yaml -o OUT.dat [--base BASE.dat] build a codeplug from YAML\n"
    "  diff A.dat B.dat                              list the fields that differ\n"
    "  contacts export FILE.dat [-o OUT.csv]         the contact list as CSV\n"
    "  contacts import FILE.dat IN.csv [--replace] [--match TEXT] [--limit N]\n"
    "  channels export FILE.dat [-o OUT.csv]         zones and channels as CSV\n"
    "  channels import FILE.dat IN.csv               rebuild zones and channels from CSV\n"
    "\n"
    "Radio:\n"
    "  read --port P [-o FILE.dat] [--trace FILE]    read a radio into a file\n"
    "  write --port P FILE.dat [--verify] [--force-model] [--trace FILE]\n"
    "  calib read --port P -o FILE.test             read the calibration memory\n"
    "  calib write --port P FILE.test               write the calibration memory\n"
    "  ports                                         list the serial ports\n"
    "\n"
    "P is a port number 1..16 or a device path. --config DIR is the folder with\n"
    "setting.ini and the language files (default: the program's folder).\n"
    "Options: --help, --version\n";

}

int runCli(const QStringList &args, CommandIo &io)
{
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")
        || args.first() == QLatin1String("help")) {
        (args.isEmpty() ? io.err : io.out) << kUsage;
        return args.isEmpty() ? ExitUsage : ExitOk;
    }
    if (args.first() == QLatin1String("--version")) {
        io.out << "rq381 " << RQ381_VERSION << "\n";
        return ExitOk;
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
    const auto it = commands.find(args.first());
    if (it == commands.end()) {
        io.err << "rq381: unknown command '" << args.first() << "' (see rq381 --help)\n";
        return ExitUsage;
    }
    return it->second(args.mid(1), io);
}
