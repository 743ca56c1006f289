#include "sections/TableClipboard.h"

#include "app/Language.h"
#include "app/Prompter.h"

#include <QSet>
#include <algorithm>
#include <map>

namespace TableClipboard {

QList<QStringList> splitBlock(const QString &text)
{
    QString body = text;
    body.remove(QLatin1Char('\r'));
    if (body.endsWith(QLatin1Char('\n')))
        body.chop(1);
    QList<QStringList> rows;
    if (body.isEmpty())
        return rows;
    for (const QString &line : body.split(QLatin1Char('\n')))
        rows << line.split(QLatin1Char('\t'));
    return rows;
}

bool isHeader(const QStringList &row, const std::function<bool(const QString &)> &isKey)
{
    return std::all_of(row.begin(), row.end(), isKey);
}

QString copyText(const QModelIndexList &cells, const std::function<QString(int column)> &key,
                 const std::function<QString(int row, int column)> &text, const QList<int> &rowOrder)
{
    if (cells.isEmpty())
        return QString();
    std::map<int, QSet<int>> byRow;
    QSet<int> columnSet;
    for (const QModelIndex &cell : cells) {
        if (!cell.isValid() || cell.row() >= cell.model()->rowCount())
            continue;
        byRow[cell.row()].insert(cell.column());
        columnSet.insert(cell.column());
    }
    QList<int> columns = columnSet.values();
    std::sort(columns.begin(), columns.end());

    QStringList header;
    for (int column : columns)
        header << key(column);
    QStringList lines{header.join(QLatin1Char('\t'))};
    QList<int> rows;
    for (int row : rowOrder) {
        if (byRow.count(row) && !rows.contains(row))
            rows << row;
    }
    if (rows.size() != qsizetype(byRow.size())) {
        rows.clear();
        for (const auto &entry : byRow)
            rows << entry.first;
    }
    for (int row : rows) {
        const QSet<int> &selected = byRow[row];
        QStringList texts;
        for (int column : columns) {
            QString cellText = selected.contains(column) ? text(row, column) : QString();
            // A tab or line break inside a name would split the cell.
            cellText.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
            texts << cellText;
        }
        lines << texts.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString Refusals::text(const Language &language, const QString &headKey) const
{
    if (m_items.isEmpty())
        return QString();
    QStringList lines;
    for (const auto &[where, refusal] : m_items) {
        const QString why = language.GetLangString(refusal.key);
        lines << QStringLiteral("%1: %2").arg(where, why.isEmpty() ? refusal.error : why);
    }
    return language.GetLangString(headKey).arg(m_items.size()) + QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
}

void Refusals::tell(Prompter &prompter, const Language &language, const QString &headKey) const
{
    if (m_items.isEmpty())
        return;
    prompter.ask(Prompt{QString(), QStringLiteral("IDS_ERROR"), Prompt::Icon::Error, Prompt::Buttons::Ok, text(language, headKey)});
}

}
