#include "CodeplugSummary.h"

QString formatProgramTime(const QString &digits) { return digits; }
QList<QPair<QString, QString>> codeplugSummary(CPcSoftwareDoc &, bool) { return {}; }
