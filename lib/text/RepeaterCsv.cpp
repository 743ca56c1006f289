#include "text/RepeaterCsv.h"

#include "text/CsvTable.h"

#include "app/AppSettings.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/Encodings.h"
#include "fields/FieldCatalogue.h"
#include "sections/ChannelData.h"
#include "sections/ChannelRules.h"
#include "sections/ListMaintenance.h"
#include "sections/ListRules.h"

#include <memory>
#include <optional>

namespace RepeaterCsv {

namespace {

const QStringList kRequiredColumns{
    QStringLiteral("Location"),  QStringLiteral("Name"),      QStringLiteral("Frequency"), QStringLiteral("Duplex"),
    QStringLiteral("Offset"),    QStringLiteral("Tone"),      QStringLiteral("rToneFreq"), QStringLiteral("cToneFreq"),
    QStringLiteral("DtcsCode"),  QStringLiteral("DtcsPolarity"), QStringLiteral("Mode")};

// The reasons rows are left out; the counts are kept by these texts.
const QString kAm = QStringLiteral("AM");
const QString kDigitalVoice = QStringLiteral("digital voice");
const QString kDuplexOff = QStringLiteral("duplex off (transmitting inhibited)");
const QString kDcsLacking = QStringLiteral("a DCS code the radio lacks");
const QString kCtcssLacking = QStringLiteral("a CTCSS tone the radio lacks");
const QString kPolarityUnknown = QStringLiteral("a DCS polarity other than N or R");
const QString kNoFrequency = QStringLiteral("no frequency");
const QString kNotAFrequency = QStringLiteral("a frequency or offset that is not a number of MHz");
const QString kDecimalComma = QStringLiteral("a decimal comma (146,52: use a point as the decimal mark)");

// Modes that carry digital voice, which an analog channel cannot receive.
const QStringList kDigitalModes{QStringLiteral("DV"),  QStringLiteral("DMR"), QStringLiteral("DN"), QStringLiteral("P25"),
                                QStringLiteral("DIG"), QStringLiteral("NXDN"), QStringLiteral("M17"), QStringLiteral("YSF"),
                                QStringLiteral("DSTAR"), QStringLiteral("D-STAR"), QStringLiteral("FUSION"), QStringLiteral("C4FM")};

constexpr int kHighPower = 2, kMiddlePower = 1, kLowPower = 0;

const Fields::Field &channelField(const QString &key)
{
    static const Fields::RecordSchema *channel = Fields::recordSchema(QStringLiteral("zones.channels"));
    return *Fields::findField(*channel, key);
}

const Fields::Field &zoneNameField()
{
    static const Fields::RecordSchema *zone = Fields::recordSchema(QStringLiteral("zones"));
    return *Fields::findField(*zone, QStringLiteral("name"));
}

// A number of MHz in whole hertz; a text that is no such number (the reason
// in why) gives nothing. Read digit by digit: a double would turn
// 433.003125 into 433.003124.
std::optional<qint64> hertzOf(const QString &cell, QString *why)
{
    const QString text = cell.trimmed();
    const qsizetype point = text.indexOf(u'.');
    const QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point + 1);
    const auto digits = [](const QString &s) { return std::all_of(s.begin(), s.end(), [](QChar c) { return c.isDigit(); }); };
    if (whole.isEmpty() || whole.size() > 4 || !digits(whole) || !digits(fraction)) {
        *why = Fields::decimalCommaHint(text) ? kDecimalComma : kNotAFrequency;
        return std::nullopt;
    }
    // Hertz are the finest the radio stores; further decimals are dropped.
    return whole.toLongLong() * 1000000 + fraction.left(6).leftJustified(6, u'0').toLongLong();
}

QString mhzText(qint64 hertz)
{
    return QStringLiteral("%1.%2").arg(hertz / 1000000).arg(hertz % 1000000, 6, 10, QLatin1Char('0'));
}

// A CTCSS cell ("88.5", "100") as the tone selector spells it, or nothing.
std::optional<QString> ctcssTone(const QString &cell)
{
    bool ok = false;
    const double hz = cell.trimmed().toDouble(&ok);
    const QString tone = QString::number(hz, 'f', 1);
    if (!ok || !ToneCode::allTones().contains(tone))
        return std::nullopt;
    return tone;
}

// A DCS code ("023", "23") with its polarity letter (N normal, R reversed),
// as the tone selector spells it ("D023N", "D023I"), or nothing.
std::optional<QString> dcsTone(const QString &cell, QChar polarity)
{
    const QString code = cell.trimmed();
    if (code.isEmpty() || code.size() > 3 || !std::all_of(code.begin(), code.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    const QString tone = QStringLiteral("D%1%2").arg(code, 3, QLatin1Char('0')).arg(QChar(polarity == u'R' ? u'I' : u'N'));
    if (!ToneCode::allTones().contains(tone))
        return std::nullopt;
    return tone;
}

// One row as the radio takes it, or the reason it cannot.
struct Channel
{
    QString skip;
    QString name;
    QString rx, tx;                         // MHz texts
    QString rxTone = QStringLiteral("none"), txTone = QStringLiteral("none");
    std::optional<int> power;               // the new channel's default when unset
    QString warning;                        // a value taken differently from the file
};

class RowReader
{
public:
    RowReader(const CsvTable &table, CPcSoftwareDoc &doc) : m_doc(doc)
    {
        for (const QString &name : {QStringLiteral("Name"), QStringLiteral("Frequency"), QStringLiteral("Duplex"),
                                    QStringLiteral("Offset"), QStringLiteral("Tone"), QStringLiteral("rToneFreq"),
                                    QStringLiteral("cToneFreq"), QStringLiteral("DtcsCode"), QStringLiteral("DtcsPolarity"),
                                    QStringLiteral("RxDtcsCode"), QStringLiteral("CrossMode"), QStringLiteral("Mode"),
                                    QStringLiteral("Power")})
            m_column.insert(name, table.column({name}));
        m_outOfBand = QStringLiteral("out of band (the codeplug's band is %1 - %2 MHz)")
                          .arg(doc.GetFreqLimitText(0), doc.GetFreqLimitText(1));
    }

    Channel read(const QStringList &row) const
    {
        Channel channel;
        const QString mode = cellOf(row, QStringLiteral("Mode")).toUpper();
        if (mode == QLatin1String("AM") || mode == QLatin1String("NAM"))
            return skipped(kAm);
        if (kDigitalModes.contains(mode))
            return skipped(kDigitalVoice);
        // The radio's analog channels have one bandwidth: FM and narrow FM are both taken.
        if (!mode.isEmpty() && mode != QLatin1String("FM") && mode != QLatin1String("NFM"))
            return skipped(QStringLiteral("mode %1, which the radio lacks").arg(mode));

        if (!readFrequencies(row, channel) || !readTones(row, channel))
            return channel;
        channel.power = powerOf(cellOf(row, QStringLiteral("Power")), &channel.warning);

        // Line breaks and tabs from a quoted cell never reach a name; a row
        // without a name is named after its frequency, as a radio shows it.
        channel.name = cellOf(row, QStringLiteral("Name")).simplified();
        if (channel.name.isEmpty()) {
            channel.name = channel.rx;
            while (channel.name.endsWith(u'0') && channel.name.indexOf(u'.') < channel.name.size() - 4)
                channel.name.chop(1);
        }
        return channel;
    }

private:
    static Channel skipped(const QString &why)
    {
        Channel channel;
        channel.skip = why;
        return channel;
    }

    QString cellOf(const QStringList &row, const QString &column) const { return row.value(m_column.value(column, -1)).trimmed(); }

    // Duplex: empty simplex; + and - the offset (MHz) above or below; split
    // the offset column holds the transmit frequency; off transmits nowhere.
    bool readFrequencies(const QStringList &row, Channel &channel) const
    {
        QString why;
        const QString rxCell = cellOf(row, QStringLiteral("Frequency"));
        if (rxCell.isEmpty()) {
            channel.skip = kNoFrequency;
            return false;
        }
        const std::optional<qint64> rx = hertzOf(rxCell, &why);
        if (!rx) {
            channel.skip = why;
            return false;
        }
        const QString duplex = cellOf(row, QStringLiteral("Duplex")).toLower();
        if (duplex == QLatin1String("off")) {
            channel.skip = kDuplexOff;
            return false;
        }
        std::optional<qint64> tx = rx;
        const QString offsetCell = cellOf(row, QStringLiteral("Offset"));
        if (!duplex.isEmpty()) {
            const std::optional<qint64> offset = offsetCell.isEmpty() ? std::optional<qint64>(0) : hertzOf(offsetCell, &why);
            if (!offset) {
                channel.skip = why;
                return false;
            }
            if (duplex == QLatin1String("+"))
                tx = *rx + *offset;
            else if (duplex == QLatin1String("-"))
                tx = *rx - *offset;
            else if (duplex == QLatin1String("split"))
                tx = offset;
            else {
                channel.skip = QStringLiteral("duplex \"%1\", which is not +, -, split or off").arg(duplex);
                return false;
            }
        }
        channel.rx = mhzText(*rx);
        channel.tx = mhzText(std::max<qint64>(*tx, 0));
        // A repeater outside the band is not one this radio can use: left
        // out, not moved to the band edge as a typed frequency would be.
        if (m_doc.CheckFreqInRange(channel.rx) != 0 || m_doc.CheckFreqInRange(channel.tx) != 0) {
            channel.skip = m_outOfBand;
            return false;
        }
        return true;
    }

    // Tone: the rToneFreq tone sent, nothing required on receive; TSQL: the
    // cToneFreq tone both ways; DTCS: DtcsCode both ways, DtcsPolarity's
    // first letter for sending and second for receiving; Cross: CrossMode
    // says what is sent and what received, DTCS received being RxDtcsCode.
    bool readTones(const QStringList &row, Channel &channel) const
    {
        const QString toneMode = cellOf(row, QStringLiteral("Tone"));
        if (toneMode.isEmpty())
            return true;
        const QString polarity = cellOf(row, QStringLiteral("DtcsPolarity")).toUpper();
        if (!std::all_of(polarity.begin(), polarity.end(), [](QChar c) { return c == u'N' || c == u'R'; }) || polarity.size() > 2) {
            channel.skip = kPolarityUnknown;
            return false;
        }
        const QChar txPolarity = polarity.size() > 0 ? polarity[0] : u'N';
        const QChar rxPolarity = polarity.size() > 1 ? polarity[1] : u'N';
        const QString mode = toneMode.toLower();
        // Only the cross mode receives another DCS code (a list without the
        // RxDtcsCode column has one code for both).
        const QString dtcs = cellOf(row, QStringLiteral("DtcsCode"));
        const QString rxDtcs = mode == QLatin1String("cross") && m_column.value(QStringLiteral("RxDtcsCode"), -1) >= 0
                                   ? cellOf(row, QStringLiteral("RxDtcsCode"))
                                   : dtcs;

        // Each side as "Tone", "TSQL", "DTCS" or "" (nothing), then the tone it names.
        QString sent, received;
        if (mode == QLatin1String("tone")) {
            sent = QStringLiteral("Tone");
        } else if (mode == QLatin1String("tsql") || mode == QLatin1String("dtcs")) {
            sent = received = mode == QLatin1String("tsql") ? QStringLiteral("TSQL") : QStringLiteral("DTCS");
        } else if (mode == QLatin1String("cross")) {
            QString cross = cellOf(row, QStringLiteral("CrossMode"));
            if (cross.isEmpty())
                cross = QStringLiteral("Tone->Tone");
            const qsizetype arrow = cross.indexOf(QLatin1String("->"));
            sent = cross.left(arrow);
            received = arrow < 0 ? QStringLiteral("?") : cross.mid(arrow + 2);
            const QStringList sides{QString(), QStringLiteral("Tone"), QStringLiteral("DTCS")};
            if (!sides.contains(sent) || !sides.contains(received) || (sent.isEmpty() && received.isEmpty())) {
                channel.skip = QStringLiteral("cross mode \"%1\", which the radio lacks").arg(cross);
                return false;
            }
        } else {
            channel.skip = QStringLiteral("tone mode %1, which the radio lacks").arg(toneMode);
            return false;
        }
        // The cross mode's received tone is the cToneFreq one; the Tone mode's sent one rToneFreq.
        const QString rTone = cellOf(row, QStringLiteral("rToneFreq")), cTone = cellOf(row, QStringLiteral("cToneFreq"));
        const auto toneOf = [&](const QString &kind, bool sending) -> std::optional<QString> {
            if (kind.isEmpty())
                return QStringLiteral("none");
            if (kind == QLatin1String("TSQL"))
                return ctcssTone(cTone);
            if (kind == QLatin1String("Tone"))
                return ctcssTone(sending ? rTone : cTone);
            return dcsTone(sending ? dtcs : rxDtcs, sending ? txPolarity : rxPolarity);
        };
        const std::optional<QString> tx = toneOf(sent, true), rx = toneOf(received, false);
        if (!tx || !rx) {
            const bool dcs = (!tx && sent == QLatin1String("DTCS")) || (!rx && received == QLatin1String("DTCS"));
            channel.skip = dcs ? kDcsLacking : kCtcssLacking;
            return false;
        }
        channel.txTone = *tx;
        channel.rxTone = *rx;
        return true;
    }

    // Power as the lists spell it: words (High, Mid, Low, L1 ...) by their
    // first letter; watts ("5.0W", "1W") from 4 W up high, from 2 W middle,
    // below that low. Nothing: the new channel's own.
    static std::optional<int> powerOf(const QString &cell, QString *warning)
    {
        if (cell.isEmpty())
            return std::nullopt;
        const QString text = cell.toLower();
        QString number = text;
        if (number.endsWith(u'w'))
            number.chop(1);
        bool isWatts = false;
        const double watts = number.trimmed().toDouble(&isWatts);
        if (isWatts)
            return watts >= 4.0 ? kHighPower : watts >= 2.0 ? kMiddlePower : kLowPower;
        if (text.startsWith(u'h'))
            return kHighPower;
        if (text.startsWith(u'm'))
            return kMiddlePower;
        if (text.startsWith(u'l'))
            return kLowPower;
        *warning = QStringLiteral("power \"%1\" is not a power this import knows: the new channel's power is kept").arg(cell);
        return std::nullopt;
    }

    CPcSoftwareDoc &m_doc;
    QHash<QString, int> m_column;
    QString m_outOfBand;
};

// Opens the zones the channels go to and adds each channel with the
// defaults a channel added in the zone form gets: into the zone named by
// the options, or into new zones of up to 16 channels while slots are left.
class ChannelPlacer
{
public:
    struct Place
    {
        int zone = 0;
        int channel = 0;
        QString refused;  // why the channel has no place
    };

    ChannelPlacer(CPcSoftwareDoc &doc, const Options &options) : m_doc(doc), m_lists(doc), m_options(options) {}

    Place next()
    {
        const bool named = !m_options.zone.isEmpty();
        if (m_zone == 0 || (!named && m_lists.channelCount(m_zone) >= CChannelData::kChannelsPerZone)) {
            if (named && (m_zone = zoneNamed(NameField::truncated(m_options.zone, NameField::kNameUnits))) > 0)
                return addChannel();
            if (!m_lists.canAddZone()) {
                m_zone = 0;
                return refused(QStringLiteral("no free zone left (the %1 has %2 zones)")
                                   .arg(m_doc.settings().modelName())
                                   .arg(CChannelData(m_doc).zoneSlotCount()));
            }
            const EditResult added = m_lists.addZone();
            m_zone = added.zone;
            m_created << m_zone;
            const QString name = named ? m_options.zone : m_options.zoneBaseName;
            if (!name.isEmpty())
                Fields::setText(zoneNameField(), m_doc, Fields::At{m_zone, 0}, ListRules::uniqueName(name, NameField::kNameUnits, zoneNames()));
            return Place{m_zone, added.channel, {}};
        }
        return addChannel();
    }

    // A place whose channel could not be stored is given up again.
    void takeBack(const Place &place)
    {
        if (place.channel == 1 && m_created.contains(place.zone)) {
            m_lists.deleteZone(place.zone);
            m_created.removeOne(place.zone);
            m_zone = 0;
        } else {
            m_lists.deleteChannel(place.zone, place.channel);
        }
    }

private:
    Place addChannel()
    {
        const EditResult added = m_lists.addChannel(m_zone);
        if (!added.ok())
            return refused(QStringLiteral("beyond the %1 channels of the zone \"%2\"")
                               .arg(CChannelData::kChannelsPerZone)
                               .arg(CChannelData(m_doc).GetZoneName(m_zone)));
        return Place{added.zone, added.channel, {}};
    }

    static Place refused(const QString &why) { return Place{0, 0, why}; }

    QStringList zoneNames() const
    {
        QStringList names;
        const CChannelData channels(m_doc);
        for (int z = 1; z <= m_lists.zoneCount(); ++z)
            names << channels.GetZoneName(z);
        return names;
    }

    int zoneNamed(const QString &name) const
    {
        const qsizetype index = zoneNames().indexOf(name);
        return index < 0 ? 0 : int(index) + 1;
    }

    CPcSoftwareDoc &m_doc;
    CListMaintenance m_lists;
    const Options &m_options;
    int m_zone = 0;       // the zone being filled
    QList<int> m_created;  // the zones this import made
};

// The names of every channel: a channel name is unique across all zones.
QStringList channelNames(CPcSoftwareDoc &doc)
{
    QStringList names;
    ListRules::forEachUsedChannel(doc, [&](CChannelData &channels, int zone, int channel) {
        names << channels.GetChannelName(zone, channel);
    });
    return names;
}

// Stores one channel's values through the catalogue, in the order the form
// would take them (the mode first: it decides the bandwidth and the tones
// a channel needs). The first refusal, else the corrections made.
Fields::Store storeChannel(CPcSoftwareDoc &doc, Fields::At at, const Channel &channel, const QString &name)
{
    using namespace Fields;
    Store store = setText(channelField(QStringLiteral("name")), doc, at, name)
                      .then(setNumber(channelField(QStringLiteral("mode")), doc, at, CChannelRules::kAnalogMode))
                      .then(setText(channelField(QStringLiteral("rx_frequency")), doc, at, channel.rx))
                      .then(setText(channelField(QStringLiteral("tx_frequency")), doc, at, channel.tx))
                      .then(setText(channelField(QStringLiteral("rx_tone")), doc, at, channel.rxTone))
                      .then(setText(channelField(QStringLiteral("tx_tone")), doc, at, channel.txTone));
    if (channel.power)
        store = store.then(setNumber(channelField(QStringLiteral("power")), doc, at, *channel.power));
    return store;
}

QString reasons(const QMap<QString, int> &skipped)
{
    QStringList parts;
    for (auto it = skipped.cbegin(); it != skipped.cend(); ++it)
        parts << QStringLiteral("%1 %2").arg(it.value()).arg(it.key());
    return parts.join(QStringLiteral("; "));
}

}

bool recognisesHeader(const QStringList &header)
{
    CsvTable table;
    table.header = header;
    return std::all_of(kRequiredColumns.begin(), kRequiredColumns.end(), [&](const QString &name) { return table.column({name}) >= 0; });
}

bool recognises(const QByteArray &csv)
{
    QStringList header;
    CsvReader reader([&](const QStringList &row, int) {
        header = row;
        return false;
    });
    reader.feed(csv);
    reader.finish();
    return recognisesHeader(header);
}

QStringList Report::summary() const
{
    QStringList lines{QStringLiteral("added %1 channel(s) in %2 zone(s): %3").arg(added).arg(zones.size()).arg(zones.join(QStringLiteral(", ")))};
    for (auto it = skipped.cbegin(); it != skipped.cend(); ++it)
        lines << QStringLiteral("skipped %1 row(s): %2").arg(it.value()).arg(it.key());
    if (namesCut > 0)
        lines << QStringLiteral("cut %1 name(s) to %2 characters").arg(namesCut).arg(NameField::kNameUnits);
    if (namesRenamed > 0)
        lines << QStringLiteral("numbered %1 name(s) that another channel had (\"Name 2\", ...)").arg(namesRenamed);
    return lines;
}

Report importText(const QByteArray &csv, CPcSoftwareDoc &doc, const Options &options)
{
    Report report;
    const CsvTable table = CsvTable::parse(csv);
    if (!table.error.isEmpty()) {
        report.error = table.error;
        return report;
    }
    if (!recognisesHeader(table.header)) {
        report.error = QStringLiteral("the header does not name the columns of a repeater list (%1)").arg(kRequiredColumns.join(u','));
        return report;
    }
    if (table.rows.isEmpty()) {
        report.error = QStringLiteral("the file holds no rows below its header");
        return report;
    }

    const auto before = std::make_unique<Image>(doc.currentImage());
    const RowReader reader(table, doc);
    ChannelPlacer placer(doc, options);
    QStringList names = channelNames(doc);
    for (int r = 0; r < table.rows.size(); ++r) {
        const QString where = QStringLiteral("row %1 (line %2)").arg(r + 2).arg(table.lines.value(r));
        const Channel channel = reader.read(table.rows[r]);
        if (!channel.skip.isEmpty()) {
            ++report.skipped[channel.skip];
            continue;
        }
        const ChannelPlacer::Place place = placer.next();
        if (!place.refused.isEmpty()) {
            ++report.skipped[place.refused];
            continue;
        }
        const QString cut = NameField::truncated(channel.name, NameField::kNameUnits);
        const QString name = ListRules::uniqueName(channel.name, NameField::kNameUnits, names);
        const Fields::Store stored = storeChannel(doc, Fields::At{place.zone, place.channel}, channel, name);
        if (stored.isRefused()) {
            placer.takeBack(place);
            ++report.skipped[stored.error];
            continue;
        }
        names << name;
        report.namesCut += cut != channel.name ? 1 : 0;
        report.namesRenamed += name != cut ? 1 : 0;
        if (!stored.warning.isEmpty())
            report.warnings << QStringLiteral("%1: %2").arg(where, stored.warning);
        if (!channel.warning.isEmpty())
            report.warnings << QStringLiteral("%1: %2").arg(where, channel.warning);
        const QString zone = CChannelData(doc).GetZoneName(place.zone);
        if (!report.zones.contains(zone))
            report.zones << zone;
        ++report.added;
    }
    if (report.added == 0) {
        doc.currentImage() = *before;
        report.zones.clear();
        report.warnings.clear();
        report.namesCut = report.namesRenamed = 0;
        report.error = QStringLiteral("none of the %1 row(s) could be imported: %2").arg(table.rows.size()).arg(reasons(report.skipped));
    }
    return report;
}

}
