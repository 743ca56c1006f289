#include "text/CodeplugDiff.h"

#include "fields/FieldCatalogue.h"

#include <QHash>
#include <vector>

namespace CodeplugDiff {

using namespace Fields;

namespace {

struct Flat
{
    QStringList order;
    QHash<QString, QString> values;
    QHash<QString, std::vector<std::pair<int, int>>> ranges;  // record path -> image bytes
};

QString shown(const Field &field, const std::optional<QString> &text)
{
    if (!text)
        return QStringLiteral("null");
    return field.kind == Kind::Text ? QStringLiteral("\"%1\"").arg(*text) : *text;
}

Flat flatten(CPcSoftwareDoc &doc)
{
    Flat flat;
    Walker walker;
    walker.field = [&](const QString &path, const Field &field, At at) {
        flat.order.append(path);
        flat.values.insert(path, shown(field, valueText(field, doc, at)));
    };
    walker.list = [&](const QString &path, const ListSchema &, At, int count) {
        flat.order.append(path);
        flat.values.insert(path, QStringLiteral("%1 record(s)").arg(count));
    };
    walker.record = [&](const QString &path, int offset, int length) { flat.ranges[path].push_back({offset, length}); };
    walk(doc, walker);
    return flat;
}

// The record or section a path belongs to: the longest prefix with byte ranges.
QString recordOf(const QString &path, const Flat &flat)
{
    QString prefix = path;
    while (!prefix.isEmpty()) {
        if (flat.ranges.contains(prefix))
            return prefix;
        const int cut = std::max(prefix.lastIndexOf(u'.'), prefix.lastIndexOf(u'['));
        if (cut <= 0)
            break;
        prefix = prefix.left(cut);
    }
    return flat.ranges.contains(prefix) ? prefix : QString();
}

void summariseBytes(const uint8_t *a, const uint8_t *b, int size, const std::vector<bool> &covered, const QString &area,
                    QStringList &lines)
{
    int start = -1;
    for (int i = 0; i <= size; ++i) {
        const bool differs = i < size && a[i] != b[i] && !covered[i];
        if (differs && start < 0)
            start = i;
        if (!differs && start >= 0) {
            lines << QStringLiteral("%1 bytes 0x%2-0x%3 differ (%4 bytes, no field)")
                         .arg(area)
                         .arg(start, 4, 16, QLatin1Char('0'))
                         .arg(i - 1, 4, 16, QLatin1Char('0'))
                         .arg(i - start);
            start = -1;
        }
    }
}

}

QStringList compare(CPcSoftwareDoc &before, CPcSoftwareDoc &after)
{
    const Flat a = flatten(before);
    const Flat b = flatten(after);
    QStringList lines;
    QStringList paths = a.order;
    for (const QString &path : b.order) {
        if (!a.values.contains(path))
            paths.append(path);
    }
    std::vector<bool> covered(kImageSize, false);
    const auto cover = [&](const Flat &flat, const QString &record) {
        for (const auto &[offset, length] : flat.ranges.value(record)) {
            for (int i = std::max(0, offset); i < std::min(kImageSize, offset + length); ++i)
                covered[i] = true;
        }
    };
    for (const QString &path : paths) {
        const QString old = a.values.value(path, QStringLiteral("-"));
        const QString now = b.values.value(path, QStringLiteral("-"));
        if (old == now)
            continue;
        lines << QStringLiteral("%1: %2 -> %3").arg(path, old, now);
        cover(a, recordOf(path, a));
        cover(b, recordOf(path, b));
    }
    summariseBytes(before.image(), after.image(), kImageSize, covered, QStringLiteral("image"), lines);
    const std::vector<bool> none(kHeaderSize, false);
    summariseBytes(before.header().data(), after.header().data(), kHeaderSize, none, QStringLiteral("header"), lines);
    return lines;
}

}
