#include "CliSupport.h"

#include "app/CommandLineHelp.h"
#include "app/FileLock.h"
#include "app/FilePaths.h"
#include "app/FileStamp.h"
#include "app/SafeFileWriter.h"
#include "codeplug/DataFile.h"
#include "codeplug/StoredModel.h"

#include <QCoreApplication>
#include <QFile>

void addCommonOptions(QCommandLineParser &parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringLiteral("config"),
                                        QStringLiteral("Folder with setting.ini and the language files."),
                                        QStringLiteral("DIR")));
    parser.addHelpOption();
}

QString commandHelp(const QCommandLineParser &parser, const QString &command)
{
    return helpWithProgramName(parser, QStringLiteral("rq381 ") + command);
}

bool parseArgs(QCommandLineParser &parser, const QString &command, const QStringList &args, CommandIo &io)
{
    if (!parser.parse(QStringList{QStringLiteral("rq381 ") + command} + args)) {
        io.err << "rq381 " << command << ": " << parser.errorText() << "\n";
        return false;
    }
    return true;
}

QCommandLineOption modelOption()
{
    return QCommandLineOption(QStringLiteral("model"),
                              QStringLiteral("Model for this run (RQ381, RQ381S, VK214, TL809); default: the model the "
                                             "codeplug names, else setting.ini."),
                              QStringLiteral("NAME"));
}

std::unique_ptr<AppSettings> loadSettings(const QCommandLineParser &parser, CommandIo &io)
{
    auto settings = std::make_unique<AppSettings>(parser.value(QStringLiteral("config")));
    if (!settings->settingsFileExists()) {
        io.err << "rq381: Can not find the file setting.ini! (looked in "
               << settings->locations().settingsFiles().join(QStringLiteral(", ")) << ")\n";
        return nullptr;
    }
    settings->setWriteFailureHandler([&io](const QString &file, const QString &reason) {
        io.err << "rq381: warning: the setting was not saved to " << file << ": " << reason << "\n";
    });
    settings->load();
    if (parser.optionNames().contains(QStringLiteral("model")))
        settings->setModelOverride(parser.value(QStringLiteral("model")));
    return settings;
}

PromptAnswer StreamPrompter::ask(const Prompt &prompt)
{
    ++m_count;
    m_lastKey = prompt.textKey;
    QString text = prompt.text(m_settings.language());
    if (text.isEmpty())
        text = prompt.textKey;
    m_io.err << "rq381: " << QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')) << "\n";
    return prompt.buttons == Prompt::Buttons::Ok ? PromptAnswer::Ok : m_answer;
}

void followStoredModel(CPcSoftwareDoc &doc, const QString &path, CommandIo &io, bool followModel)
{
    const AppSettings &settings = doc.settings();
    if (settings.modelOverridden() || !StoredModel::differs(doc))
        return;
    const QString stored = StoredModel::known(doc);
    if (!followModel) {
        io.err << "rq381: warning: " << path << " is a " << stored << " codeplug; it is read as " << settings.modelName()
               << " like the first file\n";
        return;
    }
    const QString before = StoredModel::follow(doc);
    io.err << "rq381: " << path << " is a " << stored << " codeplug; it is read as " << stored << ", not as "
           << (before.isEmpty() ? QStringLiteral("\"\"") : before) << " of setting.ini (--model NAME chooses)\n";
}

std::unique_ptr<CPcSoftwareDoc> loadCodeplug(AppSettings &settings, const QString &path, CommandIo &io, bool followModel)
{
    auto doc = std::make_unique<CPcSoftwareDoc>(settings);
    QString error;
    switch (DataFile::load(*doc, path, &error)) {
    case DataFile::LoadResult::ReadError:
        io.err << "rq381: " << error << "\n";
        return nullptr;
    case DataFile::LoadResult::HeaderMismatch:
    case DataFile::LoadResult::NotCodeplug:
        io.err << "rq381: " << path << " is not a codeplug file of this program\n";
        return nullptr;
    case DataFile::LoadResult::Loaded:
        break;
    }
    followStoredModel(*doc, path, io, followModel);
    doc->setFilePath(path);
    doc->TakeBaseline();
    return doc;
}

std::unique_ptr<FileLock> lockForUpdate(const QString &command, const QString &path, CommandIo &io)
{
    auto lock = std::make_unique<FileLock>(path);
    if (lock->locked())
        return lock;
    io.err << "rq381 " << command << ": " << lock->errorString() << "\n";
    return nullptr;
}

bool saveCodeplug(const CPcSoftwareDoc &doc, const QString &path, CommandIo &io)
{
    // Replacing a file someone changed since we read it would drop their change.
    if (doc.diskStamp().exists && FilePaths::sameFile(path, doc.filePath()) && FileStamp::of(path) != doc.diskStamp()) {
        io.err << "rq381: " << path << " was changed by another program after it was read; nothing was written\n";
        return false;
    }
    QString error;
    if (!DataFile::save(doc, path, &error)) {
        io.err << "rq381: " << error << "\n";
        return false;
    }
    return true;
}

bool checkOutputPath(const QString &command, const QString &path, CommandIo &io)
{
    const QString refused = FilePaths::whyNotWritable(path);
    if (refused.isEmpty())
        return true;
    io.err << "rq381 " << command << ": " << refused << "\n";
    return false;
}

bool checkTracePath(const QString &command, const QString &trace, const QStringList &files, CommandIo &io)
{
    for (const QString &file : files) {
        if (!trace.isEmpty() && !file.isEmpty() && FilePaths::sameFile(trace, file)) {
            io.err << "rq381 " << command << ": the trace file " << trace << " is " << file
                   << ", which it would overwrite; give the trace another name\n";
            return false;
        }
    }
    return true;
}

bool noStrayArguments(const QString &command, const QStringList &positional, int expected, CommandIo &io)
{
    if (positional.size() <= expected)
        return true;
    io.err << "rq381 " << command << ": unexpected argument '" << positional.at(expected) << "'\n";
    return false;
}

QString counted(qint64 n, const QString &singular, const QString &pluralForm)
{
    const QString noun = n == 1 ? singular : (pluralForm.isEmpty() ? singular + QLatin1Char('s') : pluralForm);
    return QString::number(n) + QLatin1Char(' ') + noun;
}

bool openText(QFile &file, qint64 maxBytes, const QString &command, CommandIo &io)
{
    // Checked before the open: opening a FIFO for reading would wait for a writer.
    if (const QString refused = FilePaths::whyNotImportable(file.fileName(), maxBytes); !refused.isEmpty()) {
        io.err << "rq381 " << command << ": " << refused << "\n";
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        io.err << "rq381 " << command << ": cannot read " << file.fileName() << ": " << file.errorString() << "\n";
        return false;
    }
    return true;
}

bool readText(const QString &path, QByteArray &text, qint64 maxBytes, const QString &command, CommandIo &io)
{
    QFile file(path);
    if (!openText(file, maxBytes, command, io))
        return false;
    // A file that grows while it is read (or claims size 0, as /proc does)
    // still stops at the limit.
    text.clear();
    for (QByteArray chunk; !(chunk = file.read(1 << 20)).isEmpty();) {
        text += chunk;
        if (text.size() > maxBytes) {
            io.err << "rq381 " << command << ": " << path << " holds more than the " << (maxBytes >> 20)
                   << " MB this import reads\n";
            return false;
        }
    }
    if (file.error() != QFileDevice::NoError) {
        io.err << "rq381 " << command << ": cannot read " << path << ": " << file.errorString() << "\n";
        return false;
    }
    return true;
}

bool writeText(const QString &path, const QByteArray &text, const QString &command, CommandIo &io)
{
    if (path.isEmpty() || path == QLatin1String("-")) {
        io.out << QString::fromUtf8(text);
        return true;
    }
    QString error = FilePaths::whyNotWritable(path);
    if (error.isEmpty() && SafeFileWriter::writeFile(path, text, &error))
        return true;
    io.err << "rq381 " << command << ": " << error << "\n";
    return false;
}
