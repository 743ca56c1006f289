#pragma once

// Shared pieces of the text-format tests: copies of documents, image
// comparison and a seeded editor that also stores random values through
// the field walk.

#include "RandomEditor.h"

#include "codeplug/DataFile.h"
#include "fields/FieldCatalogue.h"
#include "text/YamlCodeplug.h"

#include <QByteArray>

// "" when equal, else the first differing offset with both bytes.
inline std::string firstDifference(const QByteArray &a, const QByteArray &b)
{
    for (int i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] != b[i])
            return QStringLiteral("0x%1: %2 vs %3").arg(i, 5, 16, QLatin1Char('0')).arg(uint8_t(a[i]), 2, 16, QLatin1Char('0'))
                .arg(uint8_t(b[i]), 2, 16, QLatin1Char('0')).toStdString();
    }
    return a.size() == b.size() ? std::string() : "sizes differ";
}

// "" when equal, else the first differing line of both texts.
inline std::string firstLineDifference(const QByteArray &a, const QByteArray &b)
{
    const QList<QByteArray> x = a.split('\n'), y = b.split('\n');
    for (int i = 0; i < std::max(x.size(), y.size()); ++i) {
        if (x.value(i) != y.value(i))
            return QStringLiteral("line %1: %2 | %3").arg(i + 1).arg(QString::fromUtf8(x.value(i)), QString::fromUtf8(y.value(i))).toStdString();
    }
    return {};
}

// A second document over the same settings holding the same bytes.
inline std::unique_ptr<CPcSoftwareDoc> copyOf(CPcSoftwareDoc &doc)
{
    auto copy = std::make_unique<CPcSoftwareDoc>(doc.settings());
    copy->header() = doc.header();
    copy->currentImage() = doc.currentImage();
    copy->UpdateBandLimits();
    return copy;
}

inline QString messages(const YamlCodeplug::ImportReport &report)
{
    QStringList lines;
    for (const auto &m : report.errors)
        lines << m.toString();
    return lines.join(u'\n');
}

class RandomCodeplugEditor : public RandomEditor
{
public:
    using RandomEditor::RandomEditor;

    void listOperation()
    {
        bool refused = false;
        step(refused);
    }

    // Stores a random value of the right kind into a random field in use.
    void fieldStore()
    {
        using namespace Fields;
        std::vector<std::pair<const Field *, At>> fields;
        Walker walker;
        walker.field = [&](const QString &, const Field &field, At at) {
            if (field.setInt || field.setText || field.setPair)
                fields.push_back({&field, at});
        };
        walk(m_doc, walker);
        const auto &[field, at] = fields[size_t(pick(0, int(fields.size()) - 1))];
        switch (field->kind) {
        case Kind::ChannelRef: {
            CListMaintenance lists(m_doc);
            const int zone = pick(0, lists.zoneCount());
            field->setPair(m_doc, at, zone ? ChannelRef{zone, pick(1, lists.channelCount(zone))} : ChannelRef{});
            break;
        }
        case Kind::Frequency: {
            const qint32 units = pick(m_doc.lowerBandLimit(), m_doc.upperBandLimit());
            field->setText(m_doc, at, FrequencyBcd::unitsToText(units));
            break;
        }
        case Kind::Tone: {
            const QStringList &tones = ToneCode::allTones();
            field->setText(m_doc, at, pick(0, 5) ? tones[pick(0, int(tones.size()) - 1)] : QStringLiteral("none"));
            break;
        }
        case Kind::Text:
            if (field->isRecordName)
                field->setText(m_doc, at, QStringLiteral("N%1 名").arg(++m_names));
            else if (field->isCallId)
                field->setText(m_doc, at, QString::number(pick(1, 9999999)));
            break;
        case Kind::Ref: {
            // As a form offers them: none or a record in use.
            const int number = pick(0, 3);
            field->setInt(m_doc, at, targetExists(m_doc, field->target, number) ? number : 0);
            break;
        }
        default:
            field->setInt(m_doc, at, pick(field->min, field->max));
            break;
        }
    }

    int pick(int low, int high) { return high < low ? low : std::uniform_int_distribution<int>(low, high)(m_random); }

private:
    int m_names = 0;
};
