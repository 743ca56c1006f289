#include "SimOptions.h"

#include "app/AppSettings.h"
#include "app/Prompter.h"
#include "app/SafeFileWriter.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/Image.h"

#include <QCommandLineParser>
#include <QFile>
#include <algorithm>

namespace {

bool toCount(const QString &text, int *value)
{
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    if (!ok || n < 0)
        return false;
    *value = n;
    return true;
}

bool parseShortReply(const QString &text, ProgrammingFaults &faults)
{
    using S = ProgrammingFaults::ShortReply;
    static const std::map<QString, S> kinds = {
        {QStringLiteral("model"), S::Model},     {QStringLiteral("query05"), S::Query05},
        {QStringLiteral("version"), S::Version}, {QStringLiteral("request"), S::Request},
        {QStringLiteral("end"), S::EndOfRead},   {QStringLiteral("block"), S::Block},
    };
    const QString kind = text.section(QLatin1Char(':'), 0, 0);
    const auto it = kinds.find(kind);
    if (it == kinds.end())
        return false;
    faults.shortReply = it->second;
    if (it->second == S::Block)
        return text.contains(QLatin1Char(':')) ? toCount(text.section(QLatin1Char(':'), 1), &faults.shortBlock)
                                               : true;
    return !text.contains(QLatin1Char(':'));
}

bool parseMeasurement(const QString &text, std::map<int, uint32_t> &measurements)
{
    const QStringList parts = text.split(QLatin1Char('='));
    if (parts.size() != 2)
        return false;
    bool codeOk = false;
    bool valueOk = false;
    const int code = parts[0].trimmed().toInt(&codeOk, 0);
    const uint32_t value = parts[1].trimmed().toUInt(&valueOk, 0);
    if (!codeOk || !valueOk || code < 0 || code > 0xFF)
        return false;
    measurements[code] = value;
    return true;
}

class SilentPrompter : public Prompter
{
public:
    PromptAnswer ask(const Prompt &) override { return PromptAnswer::Ok; }
};

}

QString SimOptions::usage()
{
    return QStringLiteral(
        "Usage: rq381-sim [OPTIONS]\n"
        "A simulated radio on a pseudo-terminal. The first line printed is the device path.\n"
        "  --image FILE.dat          memory from a codeplug file (default: a default codeplug)\n"
        "  --calibration FILE.test   calibration memory (16384 bytes)\n"
        "  --model TEXT              model identification (default: memory bytes 0..7)\n"
        "  --save FILE.dat           write the memory out when the simulator ends\n"
        "  --config DIR              folder of setting.ini for the default codeplug\n"
        "  --wire-timing             pace every byte at 57600 baud\n"
        "  --measure CODE=VALUE      a service-mode measurement value\n"
        "Faults. [P] applies to the programming mode (\"PROGRAM\"), [S] to the service\n"
        "mode (\"TUNINGT\", \"TUNINGR\", \"TUNINGW\"); blocks count from 0 in each session:\n"
        "  --no-answer               [P S] never answer\n"
        "  --answer-after N          [P S] ignore the first N link-up words of each mode\n"
        "  --short-reply WHAT        [P S] cut one reply to half its length: model | query05 |\n"
        "                                  version | end | block[:N]; [P] also request\n"
        "  --nak-write N             [P S] do not acknowledge write block N\n"
        "  --nak-end                 [P S] answer the end of a read or transfer with 15\n"
        "  --disconnect-after N      [P S] hang up after N blocks of all sessions\n"
        "  --noise N                 [P S] send N junk bytes at start and behind every reply\n"
        "  --wrong-header N          [P]   answer read block N with another block's address\n"
        "  --ack-request             [P]   answer the read or write request with 06\n"
        "  --corrupt-read N          [P]   answer read block N with one data byte changed on the\n"
        "                                  line (the block's sum byte is that of the memory)\n"
        "  --fault-times N           [P]   --wrong-header and --corrupt-read show on the first N\n"
        "                                  requests of their block only (default: on every one)\n"
        "  --drop-write N            [P]   acknowledge write block N without storing it\n"
        "--measure and --calibration serve the service mode only.\n"
        "  --help                    show this text\n"
        "  --version                 show the version\n");
}

bool SimOptions::parse(const QStringList &args, SimOptions &options, QString *error)
{
    QCommandLineParser parser;
    const QStringList valued = {
        QStringLiteral("image"),        QStringLiteral("calibration"),   QStringLiteral("model"),
        QStringLiteral("save"),         QStringLiteral("config"),        QStringLiteral("measure"),
        QStringLiteral("answer-after"), QStringLiteral("short-reply"),   QStringLiteral("wrong-header"),
        QStringLiteral("nak-write"),    QStringLiteral("disconnect-after"), QStringLiteral("noise"),
        QStringLiteral("corrupt-read"), QStringLiteral("fault-times"), QStringLiteral("drop-write"),
    };
    const QStringList flags = {QStringLiteral("wire-timing"), QStringLiteral("no-answer"),
                               QStringLiteral("ack-request"), QStringLiteral("nak-end")};
    for (const QString &name : valued)
        parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
    for (const QString &name : flags)
        parser.addOption(QCommandLineOption(name));
    auto fail = [&](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    if (!parser.parse(QStringList{QStringLiteral("rq381-sim")} + args))
        return fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    options.imagePath = parser.value(QStringLiteral("image"));
    options.calibrationPath = parser.value(QStringLiteral("calibration"));
    options.model = parser.value(QStringLiteral("model"));
    options.savePath = parser.value(QStringLiteral("save"));
    options.configDir = parser.value(QStringLiteral("config"));
    options.wireTiming = parser.isSet(QStringLiteral("wire-timing"));
    options.noAnswer = parser.isSet(QStringLiteral("no-answer"));
    ProgrammingFaults &faults = options.faults;
    faults.ackRequest = parser.isSet(QStringLiteral("ack-request"));
    faults.nakEndOfRead = parser.isSet(QStringLiteral("nak-end"));

    const std::pair<const char *, int *> counts[] = {
        {"answer-after", &faults.answerAfter},   {"wrong-header", &faults.wrongHeaderBlock},
        {"nak-write", &faults.nakWriteBlock},    {"disconnect-after", &faults.disconnectAfterBlocks},
        {"noise", &options.noiseBytes},          {"corrupt-read", &faults.corruptReadBlock},
        {"fault-times", &faults.faultTimes},     {"drop-write", &faults.dropWriteBlock},
    };
    for (const auto &[name, target] : counts) {
        const QString option = QString::fromLatin1(name);
        if (parser.isSet(option) && !toCount(parser.value(option), target))
            return fail(QStringLiteral("--%1 needs a number").arg(option));
    }
    if (parser.isSet(QStringLiteral("short-reply")) && !parseShortReply(parser.value(QStringLiteral("short-reply")), faults))
        return fail(QStringLiteral("--short-reply takes model, query05, version, request, end or block[:N]"));
    for (const QString &measure : parser.values(QStringLiteral("measure")))
        if (!parseMeasurement(measure, options.measurements))
            return fail(QStringLiteral("--measure takes CODE=VALUE"));
    return true;
}

namespace {

bool readMemoryFromDat(const QString &path, RadioState &state, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray header = file.read(kHeaderSize);
    if (!header.startsWith(QByteArray(kHeaderText, kHeaderTextLength))) {
        *error = QStringLiteral("%1 is not a codeplug file").arg(path);
        return false;
    }
    // A short file fills what it has; the rest stays erased.
    const QByteArray bytes = file.read(RadioState::kMemorySize);
    std::copy(bytes.begin(), bytes.end(), state.memory.begin());
    return true;
}

bool buildDefaultMemory(const QString &configDir, RadioState &state)
{
    AppSettings settings(configDir);
    settings.load();
    CPcSoftwareDoc doc(settings);
    SilentPrompter prompter;
    bool firstNew = true;
    doc.DeleteContents();
    doc.OnNewDocument(firstNew, prompter);
    std::copy_n(doc.image(), RadioState::kMemorySize, state.memory.begin());
    return true;
}

}

bool loadRadioState(const SimOptions &options, RadioState &state, QString *error)
{
    QString message;
    if (!error)
        error = &message;
    if (!options.imagePath.isEmpty()) {
        if (!readMemoryFromDat(options.imagePath, state, error))
            return false;
    } else {
        buildDefaultMemory(options.configDir, state);
    }
    if (!options.calibrationPath.isEmpty()) {
        QFile file(options.calibrationPath);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot open %1: %2").arg(options.calibrationPath, file.errorString());
            return false;
        }
        const QByteArray bytes = file.read(RadioState::kCalibrationSize + 1);
        if (bytes.size() != RadioState::kCalibrationSize) {
            *error = QStringLiteral("%1 is not %2 bytes long").arg(options.calibrationPath).arg(RadioState::kCalibrationSize);
            return false;
        }
        std::copy(bytes.begin(), bytes.end(), state.calibration.begin());
    }
    if (!options.model.isEmpty()) {
        state.modelId = options.model.toLatin1().left(8);
        state.modelId.append(QByteArray(8 - state.modelId.size(), char(0xFF)));
    } else {
        state.modelId = QByteArray(reinterpret_cast<const char *>(state.memory.data()), 8);
    }
    for (const auto &[code, value] : options.measurements)
        state.measurements[code] = value;
    return true;
}

bool saveRadioMemory(const RadioState &state, const QString &path, QString *error)
{
    QByteArray bytes(kHeaderSize, char(0xFF));
    bytes.replace(0, kHeaderTextLength, QByteArray(kHeaderText, kHeaderTextLength));
    QByteArray image(kImageSize, char(0xFF));
    for (int a = 0; a < RadioState::kMemorySize; ++a)
        image[a] = char(state.byteAt(a));
    bytes += image;
    return SafeFileWriter::writeFile(path, bytes, error);
}
