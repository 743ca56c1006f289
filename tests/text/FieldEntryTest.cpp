// Every number field of the catalogue, for every model, through the YAML
// import: the lowest and highest value, one past either end, a value off the
// raster and the special value are stored, corrected or refused exactly as
// the field's number edit or list would take them.

#include "TextFixture.h"

#include "sections/ChannelData.h"
#include "sections/ListMaintenance.h"

#include <tuple>

#include <gtest/gtest.h>

using namespace Fields;

namespace {

enum class Expect { Stored, Corrected, Refused };

struct Probe
{
    QString text;
    Expect expect;
    int stored;  // the value read back when not refused
    const char *what;
};

QString shown(const Field &field, qint64 units)
{
    return field.kind == Kind::Decimal ? decimalText(int(units), field.scale) : QString::number(units);
}

std::vector<Probe> probesFor(const Field &f)
{
    // A number edit keeps a value in the raster below it, never below the minimum.
    const auto raster = [&](int v) { return std::max(v / f.step * f.step, f.min); };
    const int top = raster(f.max);
    std::vector<Probe> probes{{shown(f, f.min), Expect::Stored, f.min, "lowest"},
                              {shown(f, f.max), top == f.max ? Expect::Stored : Expect::Corrected, top, "highest"}};
    const int below = f.min - 1;
    if (f.special && below == *f.special)
        probes.push_back({shown(f, below), Expect::Stored, below, "special value below the lowest"});
    else if (f.clamps)
        probes.push_back({shown(f, below), Expect::Corrected, f.min, "one below the lowest"});
    else
        probes.push_back({shown(f, below), Expect::Refused, 0, "one below the lowest"});
    if (f.clamps)
        probes.push_back({shown(f, f.max + 1), Expect::Corrected, top, "one above the highest"});
    else
        probes.push_back({shown(f, f.max + 1), Expect::Refused, 0, "one above the highest"});
    if (f.step > 1 && f.min + 1 < f.max)
        probes.push_back({shown(f, f.min + 1), Expect::Corrected, f.min, "off the raster"});
    if (f.kind == Kind::Decimal)
        probes.push_back({decimalText(f.min, f.scale) + QStringLiteral("4"), Expect::Corrected, f.min, "a place too many"});
    if (f.special)
        probes.push_back({shown(f, *f.special), Expect::Stored, *f.special, "special value"});
    return probes;
}

// The export with the value of the first `key:` line after `section:` replaced.
QByteArray withValue(const QByteArray &yaml, const QString &section, const QString &key, const QString &value)
{
    QList<QByteArray> lines = yaml.split('\n');
    const int start = int(lines.indexOf(section.toUtf8() + ':'));
    for (int i = start + 1; start >= 0 && i < lines.size(); ++i) {
        QByteArray trimmed = lines[i].trimmed();
        if (trimmed.startsWith("- "))
            trimmed = trimmed.mid(2);
        if (trimmed.startsWith(key.toUtf8() + ": ")) {
            lines[i] = lines[i].left(lines[i].indexOf(key.toUtf8() + ": ")) + key.toUtf8() + ": " + value.toUtf8();
            return lines.join('\n');
        }
    }
    return {};
}

struct Probed
{
    QString path;
    const Field *field;
    At at;
};

}

TEST(FieldEntry, EveryNumberFieldOfEveryModelTakesTheValuesItsEditTakes)
{
    int checked = 0;
    for (const char *model : {"RQ381", "RQ381S", "VK214", "TL809"}) {
        TestDocument t(QString::fromLatin1(model));
        const QByteArray yaml = YamlCodeplug::exportText(*t.doc);
        // The first record of every list is enough: the rule is the field's.
        std::vector<Probed> targets;
        QSet<QString> seen;
        Walker walker;
        walker.wants = [](const Field &f) { return f.kind == Kind::Int || f.kind == Kind::Decimal; };
        walker.field = [&](const QString &path, const Field &field, At at) {
            const QString section = path.section(u'.', 0, 0).section(u'[', 0, 0);
            if (!seen.contains(section + u'.' + field.key)) {
                seen.insert(section + u'.' + field.key);
                targets.push_back({path, &field, at});
            }
        };
        walk(*t.doc, walker);
        for (const Probed &target : targets) {
            const Field &field = *target.field;
            const QString section = target.path.section(u'.', 0, 0).section(u'[', 0, 0);
            for (const Probe &probe : probesFor(field)) {
                const std::string what = std::string(model) + " " + target.path.toStdString() + " " + probe.what + " \"" +
                                         probe.text.toStdString() + "\"";
                const QByteArray text = withValue(yaml, section, field.key, probe.text);
                ASSERT_FALSE(text.isEmpty()) << what;
                auto copy = copyOf(*t.doc);
                const QByteArray before = imageOf(*copy);
                const int old = field.getInt(*copy, target.at);
                const YamlCodeplug::ImportReport report = YamlCodeplug::importText(text, *copy);
                ++checked;
                if (probe.expect == Expect::Refused) {
                    ASSERT_FALSE(report.ok()) << what;
                    EXPECT_EQ(report.errors.first().path, target.path) << what;
                    EXPECT_EQ(firstDifference(imageOf(*copy), before), "") << what;
                    continue;
                }
                ASSERT_TRUE(report.ok()) << what << ": " << messages(report).toStdString();
                EXPECT_EQ(field.getInt(*copy, target.at), probe.stored) << what;
                // An unchanged value is not stored again, so it has nothing to correct.
                const bool corrected = probe.expect == Expect::Corrected && probe.text != shown(field, old);
                EXPECT_EQ(!report.warnings.isEmpty(), corrected) << what;
            }
        }
    }
    EXPECT_GT(checked, 200);
}

TEST(FieldEntry, ADecimalCommaIsNamedInEveryFieldThatTakesADecimalPoint)
{
    TestDocument t(QStringLiteral("VK214"));
    CListMaintenance(*t.doc).addScanList();
    CChannelData(*t.doc).SetChannelMode(1, 1, 2);  // analog: tones are its own
    const QByteArray yaml = YamlCodeplug::exportText(*t.doc);
    const QByteArray before = imageOf(*t.doc);
    for (const auto &[section, key, value] : {std::tuple{"zones", "rx_frequency", "434,125"}, std::tuple{"zones", "tx_tone", "67,0"},
                                              std::tuple{"scan_lists", "rx_dwell_time_s", "2,5"}}) {
        const QByteArray text = withValue(yaml, QString::fromLatin1(section), QString::fromLatin1(key), QString::fromLatin1(value));
        ASSERT_FALSE(text.isEmpty()) << key;
        const YamlCodeplug::ImportReport report = YamlCodeplug::importText(text, *t.doc);
        ASSERT_EQ(report.errors.size(), 1) << key;
        EXPECT_EQ(report.errors[0].text, QString::fromLatin1(value) + QStringLiteral(": use a point as the decimal mark, not a comma"));
        EXPECT_EQ(firstDifference(imageOf(*t.doc), before), "") << key;
    }
}
