#include "text/YamlCodeplug.h"

#include "text/FieldWalk.h"

#include <yaml-cpp/yaml.h>

namespace YamlCodeplug {

using namespace CodeplugText;

namespace {

std::string utf8(const QString &text) { return text.toStdString(); }

class Exporter
{
public:
    explicit Exporter(CPcSoftwareDoc &doc) : m_doc(doc)
    {
        m_out.SetOutputCharset(YAML::EmitNonAscii);
        m_out.SetNullFormat(YAML::LowerNull);
    }

    QByteArray run()
    {
        m_out << YAML::BeginMap;
        m_out << YAML::Key << "format" << YAML::Value << kFormat;
        m_out << YAML::Key << "version" << YAML::Value << kVersion;
        for (const SectionSchema &section : schema()) {
            if (!section.offered(m_doc))
                continue;
            m_out << YAML::Key << utf8(section.key) << YAML::Value;
            if (section.list)
                list(*section.list, At{});
            else
                record(section.record, At{});
        }
        m_out << YAML::EndMap;
        QByteArray text(m_out.c_str(), int(m_out.size()));
        text.append('\n');
        return text;
    }

private:
    void record(const RecordSchema &schema, At at)
    {
        m_out << YAML::BeginMap;
        for (const Field &field : schema.fields) {
            m_out << YAML::Key << utf8(field.key) << YAML::Value;
            value(field, at);
        }
        for (const ListSchema &child : schema.lists) {
            m_out << YAML::Key << utf8(child.key) << YAML::Value;
            list(child, at);
        }
        m_out << YAML::EndMap;
    }

    void list(const ListSchema &schema, At parent)
    {
        const int count = std::clamp(schema.count(m_doc, parent), 0, schema.capacity(m_doc, parent));
        if (count == 0) {
            m_out << YAML::Flow << YAML::BeginSeq << YAML::EndSeq;
            return;
        }
        m_out << YAML::BeginSeq;
        for (int i = 1; i <= count; ++i) {
            const At at = schema.itemAt(parent, i);
            if (schema.item)
                value(*schema.item, at);
            else
                record(schema.record, at);
        }
        m_out << YAML::EndSeq;
    }

    void value(const Field &field, At at)
    {
        const std::optional<QString> text = valueText(field, m_doc, at);
        if (!text) {
            m_out << YAML::Null;
            return;
        }
        switch (field.kind) {
        case Kind::Text:
            m_out << YAML::DoubleQuoted << utf8(*text);
            break;
        case Kind::Tone:
            if (*text == QLatin1String("none"))
                m_out << "none";
            else
                m_out << YAML::DoubleQuoted << utf8(*text);
            break;
        case Kind::Ref: {
            const int number = field.getInt(m_doc, at);
            m_out << number;
            comment(targetName(m_doc, field.target, number));
            break;
        }
        case Kind::ChannelRef: {
            const ChannelRef ref = field.getPair(m_doc, at);
            m_out << YAML::Flow << YAML::BeginSeq << ref.zone << ref.channel << YAML::EndSeq;
            comment(targetName(m_doc, Target::Channel, ref.zone, ref.channel));
            break;
        }
        case Kind::Choice:
            // YAML 1.1 readers take a bare on / off for a boolean.
            if (*text == QLatin1String("on") || *text == QLatin1String("off"))
                m_out << YAML::DoubleQuoted << utf8(*text);
            else
                m_out << utf8(*text);
            break;
        default:
            m_out << utf8(*text);
            break;
        }
    }

    void comment(const QString &name)
    {
        QString line = name;
        for (QChar &c : line) {
            if (c.unicode() < 0x20 || c == QChar(0x7F))
                c = u' ';
        }
        if (!line.trimmed().isEmpty())
            m_out << YAML::Comment(utf8(line));
    }

    CPcSoftwareDoc &m_doc;
    YAML::Emitter m_out;
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
        where += QStringLiteral(" (line %1)").arg(line);
    return where.isEmpty() ? text : where + QStringLiteral(": ") + text;
}

}
