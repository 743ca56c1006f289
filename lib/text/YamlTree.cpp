#include "text/YamlTree.h"

#include <QHash>
#include <QSet>
#include <yaml.h>

namespace {

// Far deeper than a codeplug nests; a tree deeper than this would only make
// the reader's stack the limit.
constexpr int kMaxDepth = 64;
// Aliases copy the values they name: a few lines could otherwise expand to
// more values than memory holds.
constexpr qsizetype kMaxValues = 2'000'000;

qsizetype valueCount(const YamlNode &node)
{
    qsizetype n = 1;
    for (const YamlNode &child : node.children)
        n += valueCount(child);
    return n;
}

// A plain null word without a tag; "!!str null" is a text.
bool isPlainNull(const yaml_event_t &event)
{
    if (event.data.scalar.style != YAML_PLAIN_SCALAR_STYLE || !event.data.scalar.plain_implicit)
        return false;
    const QByteArrayView value(reinterpret_cast<const char *>(event.data.scalar.value), qsizetype(event.data.scalar.length));
    return value.isEmpty() || value == "~" || value == "null" || value == "Null" || value == "NULL";
}

QString anchorOf(const yaml_char_t *anchor)
{
    return anchor ? QString::fromUtf8(reinterpret_cast<const char *>(anchor)) : QString();
}

class TreeBuilder
{
public:
    YamlDocument run(const QByteArray &text)
    {
        yaml_parser_t parser;
        if (!yaml_parser_initialize(&parser))
            return failed(QStringLiteral("out of memory"), 0);
        yaml_parser_set_input_string(&parser, reinterpret_cast<const unsigned char *>(text.constData()), size_t(text.size()));
        bool done = false;
        while (!done && m_doc.ok()) {
            yaml_event_t event;
            if (!yaml_parser_parse(&parser, &event)) {
                QString why = QString::fromUtf8(parser.problem ? parser.problem : "the text is not YAML");
                if (parser.context)
                    why += u' ' + QString::fromUtf8(parser.context);
                // The reader, which checks the encoding, gives a byte offset instead of a line.
                const int line = parser.error == YAML_READER_ERROR
                                     ? int(text.left(qsizetype(parser.problem_offset)).count('\n')) + 1
                                     : int(parser.problem_mark.line) + 1;
                fail(why, line);
                break;
            }
            done = event.type == YAML_STREAM_END_EVENT;
            take(event);
            yaml_event_delete(&event);
        }
        yaml_parser_delete(&parser);
        return std::move(m_doc);  // the tree is not copied
    }

private:
    struct Open
    {
        YamlNode node;
        QString anchor;
        QSet<QString> keys;  // a large mapping's keys so far
    };

    // Whether the open mapping has the key already. Small mappings, as a
    // codeplug's records are, are searched; large ones keep a set.
    static bool hasKey(Open &mapping, const QString &key)
    {
        constexpr size_t kSearched = 64;
        const std::vector<YamlNode> &children = mapping.node.children;
        if (children.size() < kSearched) {
            for (size_t i = 0; i < children.size(); i += 2) {
                if (children[i].scalar == key)
                    return true;
            }
            return false;
        }
        if (mapping.keys.isEmpty()) {
            for (size_t i = 0; i < children.size(); i += 2)
                mapping.keys.insert(children[i].scalar);
        }
        if (mapping.keys.contains(key))
            return true;
        mapping.keys.insert(key);
        return false;
    }

    YamlDocument failed(const QString &why, int line)
    {
        fail(why, line);
        return m_doc;
    }

    void fail(const QString &why, int line)
    {
        if (m_doc.ok()) {
            m_doc.error = why;
            m_doc.errorLine = line;
        }
    }

    void take(const yaml_event_t &event)
    {
        const int line = int(event.start_mark.line) + 1;
        switch (event.type) {
        case YAML_DOCUMENT_START_EVENT:
            if (++m_documents > 1)
                fail(QStringLiteral("the text holds more than one YAML document"), line);
            break;
        case YAML_SCALAR_EVENT: {
            YamlNode node;
            node.line = line;
            if (!isPlainNull(event)) {
                node.type = YamlNode::Type::Scalar;
                node.scalar = QString::fromUtf8(reinterpret_cast<const char *>(event.data.scalar.value),
                                                qsizetype(event.data.scalar.length));
            }
            finish(std::move(node), anchorOf(event.data.scalar.anchor));
            break;
        }
        case YAML_ALIAS_EVENT: {
            const QString name = anchorOf(event.data.alias.anchor);
            const auto named = m_anchors.constFind(name);
            if (named == m_anchors.constEnd()) {
                fail(QStringLiteral("the alias *%1 names no anchor before it").arg(name), line);
                break;
            }
            m_values += valueCount(*named);
            if (m_values > kMaxValues) {
                fail(QStringLiteral("the aliases expand to more than %1 values").arg(kMaxValues), line);
                break;
            }
            YamlNode copy = *named;
            copy.line = line;
            finish(std::move(copy), QString());
            break;
        }
        case YAML_SEQUENCE_START_EVENT:
        case YAML_MAPPING_START_EVENT: {
            if (m_open.size() >= kMaxDepth) {
                fail(QStringLiteral("the values nest deeper than %1 levels").arg(kMaxDepth), line);
                break;
            }
            Open open;
            open.node.type = event.type == YAML_MAPPING_START_EVENT ? YamlNode::Type::Mapping : YamlNode::Type::Sequence;
            open.node.line = line;
            open.anchor = anchorOf(event.type == YAML_MAPPING_START_EVENT ? event.data.mapping_start.anchor
                                                                         : event.data.sequence_start.anchor);
            m_open.push_back(std::move(open));
            break;
        }
        case YAML_SEQUENCE_END_EVENT:
        case YAML_MAPPING_END_EVENT: {
            if (m_open.empty())
                break;
            Open open = std::move(m_open.back());
            m_open.pop_back();
            finish(std::move(open.node), open.anchor);
            break;
        }
        default:
            break;
        }
    }

    // A complete value: the root, a sequence item, a mapping key or a mapping value.
    void finish(YamlNode node, const QString &anchor)
    {
        if (++m_values > kMaxValues) {
            fail(QStringLiteral("the text holds more than %1 values").arg(kMaxValues), node.line);
            return;
        }
        if (!anchor.isEmpty())
            m_anchors.insert(anchor, node);
        if (m_open.empty()) {
            m_doc.root = std::move(node);
            return;
        }
        Open &parent = m_open.back();
        const bool isKey = parent.node.isMapping() && parent.node.children.size() % 2 == 0;
        if (isKey) {
            if (!node.isScalar()) {
                fail(QStringLiteral("a key must be a text"), node.line);
                return;
            }
            if (hasKey(parent, node.scalar)) {
                fail(QStringLiteral("the key \"%1\" is given twice").arg(node.scalar), node.line);
                return;
            }
        }
        parent.node.children.push_back(std::move(node));
    }

    YamlDocument m_doc;
    std::vector<Open> m_open;
    QHash<QString, YamlNode> m_anchors;
    qsizetype m_values = 0;
    int m_documents = 0;
};

}

const YamlNode *YamlNode::value(QStringView key) const
{
    if (type != Type::Mapping)
        return nullptr;
    for (size_t i = 0; i + 1 < children.size(); i += 2) {
        if (children[i].scalar == key)
            return &children[i + 1];
    }
    return nullptr;
}

YamlNode YamlNode::text(const QString &value)
{
    YamlNode node;
    node.type = Type::Scalar;
    node.scalar = value;
    return node;
}

YamlNode YamlNode::sequence()
{
    YamlNode node;
    node.type = Type::Sequence;
    return node;
}

YamlNode YamlNode::mapping()
{
    YamlNode node;
    node.type = Type::Mapping;
    return node;
}

void YamlNode::insert(const QString &key, YamlNode value)
{
    children.push_back(text(key));
    children.push_back(std::move(value));
}

YamlDocument parseYaml(const QByteArray &text)
{
    return TreeBuilder().run(text);
}
