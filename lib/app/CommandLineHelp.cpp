#include "app/CommandLineHelp.h"

#include <QCommandLineParser>
#include <QCoreApplication>

QString helpWithProgramName(const QCommandLineParser &parser, const QString &name)
{
    QString text = parser.helpText();
    const QString usage = QStringLiteral("Usage: ");
    // Qt writes the first of the application's arguments, or nothing
    // when no application object exists.
    const QStringList arguments = QCoreApplication::instance() ? QCoreApplication::arguments() : QStringList();
    const QString argv0 = arguments.isEmpty() ? QString() : arguments.first();
    if (text.startsWith(usage) && text.mid(usage.size()).startsWith(argv0))
        text.replace(usage.size(), argv0.size(), name);
    return text;
}
