#include "text/ChannelsCsv.h"

#include "text/CsvTable.h"
#include "text/RecordMoves.h"
#include "fields/FieldCatalogue.h"
#include "text/YamlCodeplug.h"
#include "text/YamlTree.h"
#include "text/YamlValue.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "sections/ChannelData.h"

#include <QHash>
#include <QSet>

namespace ChannelsCsv {

using namespace Fields;

namespace {

const ListSchema &zoneSchema()
{
    for (const SectionSchema &section : schema()) {
        if (section.key == QLatin1String("zones"))
            return *section.list;
    }
    Q_UNREACHABLE();
}

const ListSchema &channelSchema() { return zoneSchema().record.lists.front(); }

bool namedByName(Target target)
{
    return target == Target::ScanList || target == Target::RxGroup || target == Target::Contact || target == Target::EncryptKey;
}

// The record of target whose name is name, or 0.
int numberOfName(CPcSoftwareDoc &doc, Target target, const QString &name)
{
    const int bound = target == Target::Contact ? 200 : 16;
    for (int i = 1; i <= bound && targetExists(doc, target, i); ++i) {
        if (targetName(doc, target, i) == name)
            return i;
    }
    return 0;
}

const QString kZone = QStringLiteral("zone");

bool holdsLineBreakOrTab(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r') || text.contains(u'\t');
}

// The values a channel added by the channel form starts with, as the YAML
// codeplug spells them (null where it spells none).
QHash<const Field *, YamlNode> newChannelValues(CPcSoftwareDoc &doc, const ListSchema &channels)
{
    CPcSoftwareDoc scratch(doc.settings());
    scratch.header() = doc.header();
    scratch.currentImage() = doc.currentImage();
    scratch.UpdateBandLimits();
    CChannelData(scratch).InitChannel(1, 1);
    QHash<const Field *, YamlNode> values;
    for (const Field &field : channels.record.fields) {
        const std::optional<QString> value = valueText(field, scratch, At{1, 1});
        values.insert(&field, value ? YamlNode::text(*value) : YamlNode());
    }
    return values;
}

}

QByteArray exportText(CPcSoftwareDoc &doc)
{
    const ListSchema &channels = channelSchema();
    QStringList header{kZone};
    for (const Field &field : channels.record.fields)
        header << field.key;
    QList<QStringList> rows;
    const int zones = std::clamp(zoneSchema().count(doc, At{}), 0, zoneSchema().capacity(doc, At{}));
    for (int z = 1; z <= zones; ++z) {
        for (int c = 1; c <= channels.count(doc, At{z, 0}); ++c) {
            QStringList row{targetName(doc, Target::Channel, z, c).section(u':', 0, 0)};
            for (const Field &field : channels.record.fields) {
                const At at{z, c};
                if (namedByName(field.target)) {
                    const int number = field.getInt(doc, at);
                    row << (number > 0 ? targetName(doc, field.target, number) : QString());
                } else {
                    row << valueText(field, doc, at).value_or(QString());
                }
            }
            rows.append(row);
        }
    }
    return CsvTable::write(header, rows);
}

namespace {

// The channel field of each column but the zone's; unknown and repeated
// columns are errors.
QHash<int, const Field *> fieldsOfColumns(const CsvTable &table, int zoneColumn, QStringList &errors)
{
    const ListSchema &channels = channelSchema();
    QHash<int, const Field *> fieldOfColumn;
    for (int col = 0; col < table.header.size(); ++col) {
        const QString key = table.header[col].trimmed().toLower();
        if (col == zoneColumn)
            continue;
        const auto it = std::find_if(channels.record.fields.begin(), channels.record.fields.end(),
                                     [&](const Field &f) { return f.key == key; });
        if (it == channels.record.fields.end())
            errors << QStringLiteral("column %1: unknown column \"%2\"").arg(col + 1).arg(table.header[col]);
        else if (std::find(fieldOfColumn.cbegin(), fieldOfColumn.cend(), &*it) != fieldOfColumn.cend())
            errors << QStringLiteral("column %1: the column \"%2\" is given twice").arg(col + 1).arg(table.header[col]);
        else
            fieldOfColumn.insert(col, &*it);
    }
    return fieldOfColumn;
}

// The codeplug's channels as rows, then the file's (its columns put where
// the export has them, the others blank): the import then keeps every zone
// and channel and appends the file's rows, to the zone of their name when
// there is one, else as new zones. What it appends where goes to notes.
CsvTable appendedToCodeplug(CPcSoftwareDoc &doc, const CsvTable &file, int zoneColumn, QStringList &rowLabels, QStringList &notes)
{
    CsvTable merged = CsvTable::parse(exportText(doc));
    QStringList labels;
    QSet<QString> existingZones;
    for (const QStringList &row : std::as_const(merged.rows)) {
        labels << QStringLiteral("the codeplug's channel \"%1\" of zone \"%2\"").arg(row.value(1), row.value(0));
        existingZones.insert(row.value(0));
    }
    QList<int> columnOf;
    for (const QString &name : file.header)
        columnOf << merged.column({name});
    QMap<QString, int> intoExisting, intoNew;
    for (int r = 0; r < file.rows.size(); ++r) {
        QStringList row(merged.header.size());
        for (int col = 0; col < columnOf.size(); ++col)
            row[columnOf[col]] = file.rows[r].value(col);
        merged.rows << row;
        merged.lines << file.lines.value(r);
        const QString zone = file.rows[r].value(zoneColumn);
        ++(existingZones.contains(zone) ? intoExisting : intoNew)[zone];
    }
    rowLabels = labels + rowLabels;
    const auto list = [](const QMap<QString, int> &zones) {
        QStringList parts;
        for (auto it = zones.cbegin(); it != zones.cend(); ++it)
            parts << QStringLiteral("\"%1\" (%2)").arg(it.key()).arg(it.value());
        return parts.join(QStringLiteral(", "));
    };
    if (!intoExisting.isEmpty())
        notes << QStringLiteral("appended channels to the codeplug's zones of the same name: %1").arg(list(intoExisting));
    if (!intoNew.isEmpty())
        notes << QStringLiteral("added zones after the codeplug's: %1").arg(list(intoNew));
    return merged;
}

}

Report importText(const QByteArray &csv, CPcSoftwareDoc &doc, const Options &options)
{
    Report report;
    CsvTable table = CsvTable::parse(csv);
    if (!table.error.isEmpty()) {
        report.errors << table.error;
        return report;
    }
    const ListSchema &channels = channelSchema();
    int zoneColumn = table.column({kZone});
    if (zoneColumn < 0) {
        report.errors << QStringLiteral("the header has no zone column");
        return report;
    }
    QHash<int, const Field *> fieldOfColumn = fieldsOfColumns(table, zoneColumn, report.errors);
    QStringList rowLabels;
    for (int r = 0; r < table.rows.size(); ++r) {
        rowLabels << QStringLiteral("row %1 (line %2)").arg(r + 2).arg(table.lines.value(r));
        for (int col = int(table.header.size()); col < table.rows[r].size(); ++col) {
            if (!table.rows[r][col].trimmed().isEmpty())
                report.errors << QStringLiteral("%1, column %2: a value in a column the header does not name").arg(rowLabels[r]).arg(col + 1);
        }
    }
    if (!report.ok())
        return report;
    if (options.append) {
        table = appendedToCodeplug(doc, table, zoneColumn, rowLabels, report.notes);
        zoneColumn = table.column({kZone});
        fieldOfColumn = fieldsOfColumns(table, zoneColumn, report.errors);
    }

    // A file with only some columns changes those: the import takes a row's
    // other fields with the channel of the same name, wherever the row now
    // stands, as it takes any record the text finds by its name.
    const int nameColumn = int(fieldOfColumn.key(&*std::find_if(channels.record.fields.begin(), channels.record.fields.end(),
                                                                   [](const Field &f) { return f.isRecordName; }),
                                                 -1));
    // A row that names no channel of the document is a new channel: its
    // blank cells take the values a new channel starts with.
    QHash<QString, RecordMoves::Pos> channelOfName;
    if (nameColumn >= 0) {
        const RecordMoves::Names names = RecordMoves::namesOf(doc, Target::Channel);
        for (auto it = names.cbegin(); it != names.cend(); ++it)
            channelOfName.insert(it.value(), channelOfName.contains(it.value()) ? 0 : it.key());
    }
    QHash<const Field *, YamlNode> fresh;
    const auto fieldOfKey = [&](const QString &key) {
        return &*std::find_if(channels.record.fields.begin(), channels.record.fields.end(), [&](const Field &f) { return f.key == key; });
    };
    const Field *txField = fieldOfKey(QStringLiteral("tx_frequency"));
    const int rxColumn = int(fieldOfColumn.key(fieldOfKey(QStringLiteral("rx_frequency")), -1));

    // The rows as the YAML codeplug's zones, remembering where each value came from.
    QStringList zoneNames;
    QList<QList<int>> rowsOfZone;
    for (int r = 0; r < table.rows.size(); ++r) {
        const QString zone = table.rows[r].value(zoneColumn);
        int z = int(zoneNames.indexOf(zone));
        if (z < 0) {
            zoneNames << zone;
            rowsOfZone.append(QList<int>());
            z = int(zoneNames.size()) - 1;
        }
        rowsOfZone[z].append(r);
    }
    QHash<QString, QString> origin;  // YAML path -> "row R, column C"
    const auto where = [&](int r, int col) {
        return QStringLiteral("%1, column %2").arg(rowLabels.value(r), table.header.value(col));
    };
    YamlNode zones = YamlNode::sequence();
    for (int z = 0; z < zoneNames.size(); ++z) {
        YamlNode zone = YamlNode::mapping();
        zone.insert(QStringLiteral("name"), YamlNode::text(zoneNames[z]));
        origin.insert(QStringLiteral("zones[%1].name").arg(z + 1), where(rowsOfZone[z].first(), zoneColumn));
        origin.insert(QStringLiteral("zones[%1].channels").arg(z + 1), where(rowsOfZone[z].first(), zoneColumn));
        YamlNode list = YamlNode::sequence();
        for (int k = 0; k < rowsOfZone[z].size(); ++k) {
            const int r = rowsOfZone[z][k];
            YamlNode channel = YamlNode::mapping();
            const QString key = zoneNames[z] + RecordMoves::kZoneSeparator + table.rows[r].value(nameColumn);
            const bool isNew = nameColumn >= 0 && !channelOfName.contains(key);
            if (isNew && fresh.isEmpty())
                fresh = newChannelValues(doc, channels);
            // A new channel given only its receive frequency transmits on it too.
            const QString simplex = isNew && rxColumn >= 0 ? table.rows[r].value(rxColumn).trimmed() : QString();
            if (holdsLineBreakOrTab(zoneNames[z]))
                report.errors << QStringLiteral("%1: a line break or tab cannot be part of a name").arg(where(r, zoneColumn));
            for (auto it = fieldOfColumn.cbegin(); it != fieldOfColumn.cend(); ++it) {
                const Field &field = *it.value();
                const QString text = spelled(field, table.rows[r].value(it.key()));
                const QString path = QStringLiteral("zones[%1].channels[%2].%3").arg(z + 1).arg(k + 1).arg(field.key);
                origin.insert(path, where(r, it.key()));
                if (field.kind == Kind::Text && holdsLineBreakOrTab(text)) {
                    report.errors << QStringLiteral("%1: a line break or tab cannot be part of a name").arg(where(r, it.key()));
                } else if (isNew && text.isEmpty() && !field.isRecordName) {
                    channel.insert(field.key, &field == txField && !simplex.isEmpty() ? YamlNode::text(simplex) : fresh.value(&field));
                } else if (text.isEmpty() && (field.kind == Kind::Ref || field.kind == Kind::Choice || field.kind == Kind::Tone)) {
                    channel.insert(field.key, YamlNode());
                } else if (namedByName(field.target)) {
                    const int number = numberOfName(doc, field.target, text);
                    if (number == 0)
                        report.errors << QStringLiteral("%1: no %2 is named \"%3\"").arg(where(r, it.key()), targetLabel(field.target), text);
                    channel.insert(field.key, YamlNode::text(QString::number(number)));
                } else {
                    channel.insert(field.key, YamlNode::text(text));
                }
            }
            list.append(std::move(channel));
        }
        zone.insert(QStringLiteral("channels"), std::move(list));
        zones.append(std::move(zone));
    }
    if (!report.ok())
        return report;
    YamlNode root = YamlNode::mapping();
    root.insert(QStringLiteral("zones"), std::move(zones));

    const YamlCodeplug::ImportReport result = YamlCodeplug::importTree(root, doc, YamlCodeplug::ImportOptions{true, true});
    const auto place = [&](const YamlCodeplug::Message &m) {
        QString path = m.path;
        // Up one level at a time; a path with no level left above it ends
        // the search (left(-1) would keep the whole path and never end).
        while (!path.isEmpty() && !origin.contains(path)) {
            const int cut = std::max(path.lastIndexOf(u'.'), path.lastIndexOf(u'['));
            path = cut > 0 ? path.left(cut) : QString();
        }
        return QStringLiteral("%1: %2").arg(path.isEmpty() ? QStringLiteral("zones") : origin.value(path), m.text);
    };
    for (const auto &m : result.errors)
        report.errors << place(m);
    for (const auto &m : result.warnings)
        report.warnings << place(m);
    return report;
}

}

// A cell as the YAML codeplug spells the value: spreadsheets write TRUE and
// FALSE, people Yes, No and High. Names keep every character; other cells
// lose surrounding spaces.
QString ChannelsCsv::spelled(const Fields::Field &field, const QString &cell)
{
    if (field.kind == Fields::Kind::Text)
        return cell;
    const QString text = cell.trimmed();
    if (field.kind == Fields::Kind::Bool) {
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("true");
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || text.compare(QLatin1String("no"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("false");
    } else if (field.kind == Fields::Kind::Choice) {
        for (const QString &choice : field.choices) {
            if (choice.compare(text, Qt::CaseInsensitive) == 0)
                return choice;
        }
    }
    return text;
}

Fields::Store ChannelsCsv::storeCell(const Fields::Field &field, CPcSoftwareDoc &doc, Fields::At at, const QString &cell)
{
    QString why;
    const std::optional<YamlCodeplug::ParsedValue> value = YamlCodeplug::parseValue(field, YamlNode::text(spelled(field, cell)), &why);
    if (!value)
        return Fields::Store::refused(Fields::Refuse::Range, why);
    if (value->keep)
        return {};
    switch (field.kind) {
    case Fields::Kind::Text:
    case Fields::Kind::Frequency:
    case Fields::Kind::Tone: return Fields::setText(field, doc, at, value->text);
    case Fields::Kind::ChannelRef: return field.setPair ? field.setPair(doc, at, value->pair) : Fields::Store{};
    default: return Fields::setNumber(field, doc, at, value->number);
    }
}
