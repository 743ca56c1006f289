#include "text/YamlCodeplug.h"

#include "fields/FieldCatalogue.h"

#include "text/YamlWriter.h"

namespace YamlCodeplug {

using namespace Fields;

namespace {

class Exporter
{
public:
    explicit Exporter(CPcSoftwareDoc &doc) : m_doc(doc) {}

    QByteArray run()
    {
        m_out.beginMapping();
        m_out.key("format");
        m_out.plain(QByteArray(kFormat));
        m_out.key("version");
        m_out.plain(kVersion);
        for (const SectionSchema &section : schema()) {
            if (!section.offered(m_doc))
                continue;
            m_out.key(section.key);
            if (section.list)
                list(*section.list, At{});
            else
                record(section.record, At{});
        }
        m_out.endMapping();
        return m_out.text();
    }

private:
    void record(const RecordSchema &schema, At at)
    {
        m_out.beginMapping();
        for (const Field &field : schema.fields) {
            if (!isOffered(field, m_doc))
                continue;
            m_out.key(field.key);
            value(field, at);
        }
        for (const ListSchema &child : schema.lists) {
            m_out.key(child.key);
            list(child, at);
        }
        m_out.endMapping();
    }

    void list(const ListSchema &schema, At parent)
    {
        const int count = std::clamp(schema.count(m_doc, parent), 0, schema.capacity(m_doc, parent));
        m_out.beginSequence();
        for (int i = 1; i <= count; ++i) {
            const At at = schema.itemAt(parent, i);
            if (schema.used && !schema.used(m_doc, at))
                m_out.null();  // a free slot between records in use
            else if (schema.item)
                value(*schema.item, at);
            else
                record(schema.record, at);
        }
        m_out.endSequence();
    }

    void value(const Field &field, At at)
    {
        const std::optional<QString> text = valueText(field, m_doc, at);
        if (!text) {
            m_out.null();
            return;
        }
        switch (field.kind) {
        case Kind::Text:
            m_out.quoted(*text);
            break;
        case Kind::Tone:
            if (*text == QLatin1String("none"))
                m_out.plain(QByteArrayLiteral("none"));
            else
                m_out.quoted(*text);
            break;
        case Kind::Ref: {
            const int number = field.getInt(m_doc, at);
            m_out.plain(number);
            m_out.comment(targetName(m_doc, field.target, number));
            break;
        }
        case Kind::ChannelRef: {
            const ChannelRef ref = field.getPair(m_doc, at);
            m_out.pair(ref.zone, ref.channel);
            m_out.comment(targetName(m_doc, Target::Channel, ref.zone, ref.channel));
            break;
        }
        case Kind::Choice:
            // Always a text: a bare 8 would read as a number, a bare on / off as a boolean.
            m_out.quoted(*text);
            break;
        default:
            m_out.plain(text->toUtf8());
            break;
        }
    }

    CPcSoftwareDoc &m_doc;
    YamlWriter m_out;
};

}

QByteArray exportText(CPcSoftwareDoc &doc)
{
    return Exporter(doc).run();
}

QString Message::toString() const
{
    QString where = path;
    if (line > 0)
        where = path.isEmpty() ? QStringLiteral("line %1").arg(line) : QStringLiteral("%1 (line %2)").arg(path).arg(line);
    return where.isEmpty() ? text : where + QStringLiteral(": ") + text;
}

}
