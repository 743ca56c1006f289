#pragma once

#include <QString>

class QCommandLineParser;

// The parser's help text with `name` (for example "rq381 new") in its usage
// line where Qt puts the path the program was started by.
QString helpWithProgramName(const QCommandLineParser &parser, const QString &name);
