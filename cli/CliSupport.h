#pragma once

#include "Commands.h"

#include "app/AppSettings.h"
#include "app/FileLock.h"
#include "app/Prompter.h"
#include "codeplug/CPcSoftwareDoc.h"

#include <QCommandLineParser>
#include <QFile>
#include <memory>

// Shared pieces of the rq381 commands.

// A parser with --config DIR (and --help) already added. Positional
// arguments and other options are added by the command.
void addCommonOptions(QCommandLineParser &parser);
// The parser's help with "rq381 COMMAND" in its usage line, where Qt puts
// the program's path.
QString commandHelp(const QCommandLineParser &parser, const QString &command);
// Parses args; on a bad command line prints the reason and returns false.
bool parseArgs(QCommandLineParser &parser, const QString &command, const QStringList &args, CommandIo &io);

// The option --model NAME: the model for this run, whatever the codeplug names.
QCommandLineOption modelOption();

// The settings of --config DIR (default: the program's folder), with the
// model of --model when the command has that option. Prints a message and
// returns null when setting.ini is missing there.
std::unique_ptr<AppSettings> loadSettings(const QCommandLineParser &parser, CommandIo &io);

// Prints prompts as one line on err: the language text (or the key when the
// language file lacks it). Questions are answered with `answer`.
class StreamPrompter : public Prompter
{
public:
    StreamPrompter(const AppSettings &settings, CommandIo &io, PromptAnswer answer = PromptAnswer::Cancel)
        : m_settings(settings), m_io(io), m_answer(answer) {}
    PromptAnswer ask(const Prompt &prompt) override;
    int count() const { return m_count; }
    QString lastKey() const { return m_lastKey; }

private:
    const AppSettings &m_settings;
    CommandIo &m_io;
    PromptAnswer m_answer;
    int m_count = 0;
    QString m_lastKey;
};

// Loads a codeplug file. A missing, unreadable or foreign file prints a
// one-line error and gives null. Unless --model fixed it, the model becomes
// the one the codeplug names (when this program knows it), with a note on
// err when that is not the model of setting.ini. With followModel false the
// model stays as it is and a codeplug naming another one only gets the note
// (the second file of a comparison).
std::unique_ptr<CPcSoftwareDoc> loadCodeplug(AppSettings &settings, const QString &path, CommandIo &io,
                                             bool followModel = true);
// The same choice for a document read by other means.
void followStoredModel(CPcSoftwareDoc &doc, const QString &path, CommandIo &io, bool followModel = true);

// A command that reads a codeplug file and saves it again holds this from
// before the read to after the save, so that two such commands on one file
// run one after the other. Null (with the reason printed) when it fails.
std::unique_ptr<FileLock> lockForUpdate(const QString &command, const QString &path, CommandIo &io);

// Saves atomically; prints a one-line error and returns false on failure,
// also when the file was loaded here and someone changed it since.
bool saveCodeplug(const CPcSoftwareDoc &doc, const QString &path, CommandIo &io);

// A text file read whole, or written atomically (to standard output when
// path is empty or "-"); false with a one-line error naming the command.
// What is not a regular file, or holds more than maxBytes, is not read.
bool readText(const QString &path, QByteArray &text, qint64 maxBytes, const QString &command, CommandIo &io);
// Opens a text file to be read piece by piece, with the same refusals.
bool openText(QFile &file, qint64 maxBytes, const QString &command, CommandIo &io);
bool writeText(const QString &path, const QByteArray &text, const QString &command, CommandIo &io);

// Checked before any work starts, so a long transfer is not wasted on a
// file that cannot be saved: false (with the reason printed) when path is a
// folder, device, FIFO or socket, or its folder is missing or read-only.
bool checkOutputPath(const QString &command, const QString &path, CommandIo &io);
// False (with the reason printed) when the trace file would overwrite one of
// the command's own files.
bool checkTracePath(const QString &command, const QString &trace, const QStringList &files, CommandIo &io);

// Prints "rq381 COMMAND: unexpected argument 'X'" for the first argument
// beyond the expected count; false when there was one.
bool noStrayArguments(const QString &command, const QStringList &positional, int expected, CommandIo &io);

// "1 block", "2 blocks".
QString counted(qint64 n, const QString &singular, const QString &pluralForm = QString());
