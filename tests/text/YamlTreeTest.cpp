// The YAML reader and writer under the codeplug text format.

#include "text/YamlTree.h"
#include "text/YamlWriter.h"

#include <gtest/gtest.h>

TEST(YamlTree, ValuesKeysAndLines)
{
    const YamlDocument doc = parseYaml("a: 1\n"
                                       "b:\n"
                                       "  - \"null\"\n"
                                       "  - null\n"
                                       "  - ~\n"
                                       "  -\n"
                                       "  - ''\n"
                                       "  - !!str null\n"
                                       "c: {x: [1, 2]}\n"
                                       "d: &anchor\n"
                                       "  k: v\n"
                                       "e: *anchor\n");
    ASSERT_TRUE(doc.ok()) << doc.error.toStdString();
    const YamlNode &root = doc.root;
    ASSERT_TRUE(root.isMapping());
    EXPECT_EQ(root.size(), 5);
    EXPECT_EQ(root.value(u"a")->scalar, QStringLiteral("1"));
    EXPECT_EQ(root.value(u"a")->line, 1);
    EXPECT_EQ(root.value(u"z"), nullptr);

    // Quoted "null" is a text; the plain null words and nothing at all are null.
    const YamlNode &b = *root.value(u"b");
    ASSERT_EQ(b.size(), 6);
    EXPECT_TRUE(b.item(0).isScalar());
    EXPECT_EQ(b.item(0).scalar, QStringLiteral("null"));
    EXPECT_TRUE(b.item(1).isNull());
    EXPECT_TRUE(b.item(2).isNull());
    EXPECT_TRUE(b.item(3).isNull());
    EXPECT_TRUE(b.item(4).isScalar());
    EXPECT_EQ(b.item(5).scalar, QStringLiteral("null"));
    EXPECT_EQ(b.item(1).line, 4);

    const YamlNode *x = root.value(u"c")->value(u"x");
    ASSERT_TRUE(x && x->isSequence());
    EXPECT_EQ(x->item(1).scalar, QStringLiteral("2"));
    // An alias reads as a copy of what its anchor names, at its own line.
    EXPECT_EQ(root.value(u"e")->value(u"k")->scalar, QStringLiteral("v"));
    EXPECT_EQ(root.value(u"e")->line, 12);
}

TEST(YamlTree, RefusedTextsNameTheirLine)
{
    struct Case
    {
        const char *text;
        int line;
        const char *says;
    };
    const Case cases[] = {
        {"a: [1, 2\n", 2, ""},
        {"a: 1\nb: 2\na: 3\n", 3, "given twice"},
        {"a: 1\n---\nb: 2\n", 2, "more than one"},
        {"? [1, 2]\n: x\n", 1, "must be a text"},
        {"a: *nowhere\n", 1, "names no anchor"},
        {"a: \"\\xC0\"\nb: \xFF\n", 2, ""},  // not UTF-8
    };
    for (const Case &c : cases) {
        const YamlDocument doc = parseYaml(c.text);
        EXPECT_FALSE(doc.ok()) << c.text;
        EXPECT_EQ(doc.errorLine, c.line) << c.text << ": " << doc.error.toStdString();
        EXPECT_TRUE(doc.error.contains(QString::fromUtf8(c.says))) << c.text << ": " << doc.error.toStdString();
    }

    // Deep nesting and aliases that multiply are refused, not followed.
    EXPECT_FALSE(parseYaml(QByteArray(100000, '[')).ok());
    QByteArray laughs = "a: &a [x, x, x, x, x, x, x, x, x, x]\n";
    for (char c = 'b'; c <= 'j'; ++c)
        laughs += QStringLiteral("%1: &%1 [*%2, *%2, *%2, *%2, *%2, *%2, *%2, *%2, *%2, *%2]\n").arg(QChar(c)).arg(QChar(c - 1)).toUtf8();
    const YamlDocument bomb = parseYaml(laughs);
    EXPECT_FALSE(bomb.ok());
    EXPECT_TRUE(bomb.error.contains(QStringLiteral("expand"))) << bomb.error.toStdString();

    // A large mapping still finds its repeated key.
    QByteArray many;
    for (int i = 0; i < 500; ++i)
        many += "k" + QByteArray::number(i) + ": 1\n";
    EXPECT_TRUE(parseYaml(many).ok());
    EXPECT_FALSE(parseYaml(many + "k7: 2\n").ok());
}

TEST(YamlWriter, BlockLayoutEmptyCollectionsAndComments)
{
    YamlWriter out;
    out.beginMapping();
    out.key("zones");
    out.beginSequence();
    out.beginMapping();
    out.key("name");
    out.quoted(QStringLiteral("Zone 1"));
    out.key("channels");
    out.beginSequence();
    out.endSequence();
    out.key("members");
    out.beginSequence();
    out.pair(1, 2);
    out.comment(QStringLiteral("Zone 1:\nCh\u2028 1"));
    out.plain(QByteArray(""));
    out.endSequence();
    out.endMapping();
    out.endSequence();
    out.key("empty");
    out.beginMapping();
    out.endMapping();
    out.key("ref");
    out.null();
    out.endMapping();
    EXPECT_EQ(out.text().toStdString(), "zones:\n"
                                        "  - name: \"Zone 1\"\n"
                                        "    channels: []\n"
                                        "    members:\n"
                                        "      - [1, 2]  # Zone 1: Ch  1\n"
                                        "      - \"\"\n"
                                        "empty: {}\n"
                                        "ref: null\n");
    EXPECT_TRUE(parseYaml(out.text()).ok());
}

TEST(YamlWriter, EveryTextReadsBackAsWritten)
{
    const QString texts[] = {
        QStringLiteral("plain"),
        QStringLiteral("quote \" and backslash \\ and # hash: colon"),
        QString::fromUtf16(u"\u4E2D\u6587 \U0001F600"),
        QString::fromUtf16(u"controls \x01\x1F\x7F\x85 tab\t line\n cr\r nul") + QChar(0),
        QString::fromUtf16(u"separators \u2028\u2029 bom \uFEFF nonchars \uFFFE\uFFFF"),
        QStringLiteral("  leading and trailing blanks  "),
        QStringLiteral("- not a list"),
    };
    for (const QString &text : texts) {
        const QByteArray yaml = "v: " + YamlWriter::quotedText(text) + "\n";
        const YamlDocument doc = parseYaml(yaml);
        ASSERT_TRUE(doc.ok()) << yaml.toStdString() << doc.error.toStdString();
        EXPECT_EQ(doc.root.value(u"v")->scalar, text) << yaml.toStdString();
    }
    // A stray half of a UTF-16 pair cannot be held by UTF-8: it reads back as U+FFFD.
    const QString stray = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b");
    EXPECT_EQ(parseYaml(YamlWriter::quotedText(stray)).root.scalar, QString::fromUtf16(u"a\uFFFDb"));
}
