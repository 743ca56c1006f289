#pragma once

#include "fields/FieldCatalogue.h"

#include <QList>
#include <QModelIndexList>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>

class Language;
class Prompter;

// What the tables that copy and paste with spreadsheets share: tab-separated
// text in both directions, and the one message that lists what a step of
// many stores left as it was.
namespace TableClipboard {

// Tab-separated text as a spreadsheet or a table copies it, split into rows
// of cells (a trailing line break ends the last row; carriage returns go).
QList<QStringList> splitBlock(const QString &text);

// Whether a block's first row is a header: every cell is a key the table knows.
bool isHeader(const QStringList &row, const std::function<bool(const QString &)> &isKey);

// The cells as tab-separated text: a header row of the columns' keys, then
// one line per row of the cells' texts. The rows and columns are those the
// cells span; a cell of the span that is not among `cells` stays empty. A
// tab or line break inside a text becomes a space. The rows come in the
// order of `rowOrder` when it holds every one of them (the order a sorted
// view shows), else in their own order.
QString copyText(const QModelIndexList &cells, const std::function<QString(int column)> &key,
                 const std::function<QString(int row, int column)> &text, const QList<int> &rowOrder = {});

// The values a step of many stores did not take, each with where it was
// meant to go, listed in one message under a head text ("%1 cells kept
// their value:").
class Refusals
{
public:
    void add(const QString &where, const Fields::Store &refusal) { m_items.append({where, refusal}); }
    bool isEmpty() const { return m_items.isEmpty(); }
    int count() const { return int(m_items.size()); }
    // The message: the head with the count, then one line per refusal with
    // the reason in the current language. Empty when nothing was refused.
    QString text(const Language &language, const QString &headKey) const;
    // Shows the message as an error, when there is one.
    void tell(Prompter &prompter, const Language &language, const QString &headKey) const;

private:
    QList<std::pair<QString, Fields::Store>> m_items;
};

}
