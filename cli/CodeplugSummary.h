#pragma once

#include <QList>
#include <QPair>
#include <QString>

class CPcSoftwareDoc;

// The lines of `rq381 info`, as (key, value) pairs in their printed order.
// A file whose header did not match is summarised as the blank codeplug that
// replaces it, with "header: mismatch".
QList<QPair<QString, QString>> codeplugSummary(CPcSoftwareDoc &doc, bool headerOk);

// "20140720070707" as "2014-07-20 07:07:07" (shorter digit strings get the
// separators that fit).
QString formatProgramTime(const QString &digits);

// Text from the image made safe for one line: printable ASCII as it is, a
// backslash doubled, every other character as \xHH.
QString escapedText(const QString &text);
