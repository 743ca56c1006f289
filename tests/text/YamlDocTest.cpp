// docs/codeplug-yaml.md states the range and step of every number field as
// the catalogue declares them.

#include "TextFixture.h"
#include "TestPaths.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Fields;

namespace {

QString number(const Field &f, int units)
{
    return f.kind == Kind::Decimal ? decimalText(units, f.scale) : QString::number(units);
}

QString specialText(const Field &f)
{
    if (!f.special)
        return QString();
    const QString word = f.specialKey == QLatin1String("IDS_CONTINUEEMERGENCY") ? QStringLiteral("continuous") : QStringLiteral("off");
    return QStringLiteral("%1 (%2)").arg(number(f, *f.special), word);
}

void rows(const RecordSchema &record, const QString &path, QStringList &out)
{
    for (const Field &f : record.fields) {
        if (f.kind != Kind::Int && f.kind != Kind::Decimal)
            continue;
        out << QStringLiteral("| `%1.%2` | %3 | %4 | %5 | %6 | %7 |")
                   .arg(path, f.key, number(f, f.min), number(f, f.max), number(f, f.step), specialText(f),
                        f.clamps ? QStringLiteral("becomes the limit") : QStringLiteral("refused"));
    }
    for (const ListSchema &list : record.lists)
        rows(list.record, path + u'.' + list.key + QStringLiteral("[]"), out);
}

// The table as the catalogue gives it.
QString catalogueTable()
{
    QStringList out{QStringLiteral("| Key | Lowest | Highest | Step | Special value | A value past a limit |"),
                    QStringLiteral("|---|---|---|---|---|---|")};
    for (const SectionSchema &section : schema())
        rows(section.list ? section.list->record : section.record, section.list ? section.key + QStringLiteral("[]") : section.key, out);
    return out.join(u'\n');
}

}

TEST(YamlDoc, StatesTheRangeAndStepOfEveryNumberFieldAsTheCatalogueDeclaresThem)
{
    QFile file(sourcePath(QStringLiteral("docs/codeplug-yaml.md")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString doc = QString::fromUtf8(file.readAll());
    const QString begin = QStringLiteral("<!-- number fields: checked against the field catalogue -->\n");
    const qsizetype from = doc.indexOf(begin);
    const qsizetype to = doc.indexOf(QStringLiteral("\n<!-- end of number fields -->"), from);
    ASSERT_GE(from, 0);
    ASSERT_GT(to, from);
    const QString table = doc.mid(from + begin.size(), to - from - begin.size());
    EXPECT_EQ(table, catalogueTable()) << "the table from the catalogue:\n" << catalogueTable().toStdString();
}
