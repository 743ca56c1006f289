#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <vector>

// One YAML document as a tree of values, read with libyaml. Only what a
// codeplug needs: mappings with text keys, sequences and scalars. Tags are
// ignored; aliases are expanded.
struct YamlNode
{
    enum class Type { Null, Scalar, Sequence, Mapping };

    Type type = Type::Null;
    QString scalar;  // a scalar's value, whatever its quoting
    int line = 0;    // 1-based line where the value starts; 0 when not read from text
    // A sequence's items; a mapping's keys and values, alternating.
    std::vector<YamlNode> children;

    bool isNull() const { return type == Type::Null; }
    bool isScalar() const { return type == Type::Scalar; }
    bool isSequence() const { return type == Type::Sequence; }
    bool isMapping() const { return type == Type::Mapping; }

    // Items of a sequence, entries of a mapping.
    int size() const { return int(type == Type::Mapping ? children.size() / 2 : children.size()); }
    const YamlNode &item(int i) const { return children[size_t(i)]; }
    const YamlNode &keyAt(int i) const { return children[size_t(2 * i)]; }
    const YamlNode &valueAt(int i) const { return children[size_t(2 * i + 1)]; }
    // The value of a mapping's key, or nullptr.
    const YamlNode *value(QStringView key) const;

    static YamlNode text(const QString &value);
    static YamlNode sequence();
    static YamlNode mapping();
    void append(YamlNode item) { children.push_back(std::move(item)); }
    void insert(const QString &key, YamlNode value);
};

struct YamlDocument
{
    YamlNode root;
    QString error;  // empty when the text was read
    int errorLine = 0;
    bool ok() const { return error.isEmpty(); }
};

// Reads the text's one document. Text that is not YAML, that holds more than
// one document, repeats a key, uses a key that is not a text or nests deeper
// than any codeplug gives an error with its line.
YamlDocument parseYaml(const QByteArray &text);
