#pragma once

// The YAML import's working parts, shared by the files that define them:
// YamlImport.cpp (applying the text) and YamlImportReferences.cpp (the
// references the text moves, removes or names).

#include "text/YamlCodeplug.h"

#include "fields/FieldCatalogue.h"
#include "fields/RecordMends.h"
#include "text/RecordMoves.h"
#include "text/YamlTree.h"
#include "text/YamlValue.h"
#include "text/YamlWriter.h"

#include <QHash>
#include <QSet>

#include <map>
#include <memory>

namespace YamlCodeplug::Import {

using namespace Fields;
using RecordMoves::Pos;

inline int lineOf(const YamlNode &node) { return node.line; }

// A stored field, remembered for the checks that need the whole result.
struct Stored
{
    QString path;
    int line = 0;
    const Field *field = nullptr;
    At at;
    QString scope;  // the list whose names or IDs must stay unique
};

// A reference of the starting document, for telling which ones a shrunk
// list left without their record.
struct RefBefore
{
    QString path;
    QString owner;
    Target target = Target::None;
    int number = 0;
    int sub = 0;
    const Field *field = nullptr;
};

// A member list of the starting document (scan-list members, RX group
// members), for following its members when the text moves their records.
struct MembersBefore
{
    QString path;
    const ListSchema *list = nullptr;
    Target target = Target::None;
    QList<Pos> members;
};

// A reference as the text gives it, with its line.
struct TextRef
{
    Pos value = 0;
    int line = 0;
};

// Applies one YAML codeplug to a document: checks, lists, fields, then the
// references, all or nothing.
class Importer
{
public:
    Importer(CPcSoftwareDoc &doc, const ImportOptions &options) : m_doc(doc), m_options(options) {}

    ImportReport run(const QByteArray &text);

    ImportReport run(const YamlNode &root);

private:
    void error(const QString &path, int line, const QString &text) { m_report.errors.append(Message{path, line, text}); }

    void warning(const QString &path, int line, const QString &text) { m_report.warnings.append(Message{path, line, text}); }

    void apply(const YamlNode &root);

    // The rules of some fields change other sections: the group-call start ID
    // and a contact's call ID decide RX group membership, and an RX group
    // list left without members releases its channels. Those sections go
    // first, so that the values the text gives elsewhere have the last word.
    static std::vector<const SectionSchema *> applyOrder();

    void checkHeader(const YamlNode &root);

    bool resize(const ListSchema &list, const YamlNode &node, At parent, const QString &path);

    // A list that may leave gaps: a null item is a free slot. The slots in
    // use change only where the text differs from the document; a list
    // without gaps on either side grows and shrinks as the form's list does.
    bool layOut(const ListSchema &list, const YamlNode &node, At parent, const QString &path);

    void applyRecord(const RecordSchema &schema, const YamlNode &node, At at, const QString &path);

    void applyList(const ListSchema &list, const YamlNode &node, At parent, const QString &path);

    // A new channel given only its receive frequency transmits on it too,
    // rather than on the band's lowest frequency a new record starts with.
    static YamlNode simplexIfOnlyReceive(const YamlNode &record);

    // Members: the whole list is compared and stored at once. Members the
    // document already holds stay as they are, twice-listed ones included;
    // a changed list is checked as the form's member lists check it.
    void applyItems(const ListSchema &list, const YamlNode &node, At parent, const QString &path);

    bool resizeCheck(const ListSchema &list, const YamlNode &node, At parent, const QString &path);

    static QString scopeOf(const QString &recordPath);

    std::optional<ParsedValue> parse(const Field &field, const YamlNode &node, const QString &path);

    void applyField(const Field &field, const YamlNode &node, At at, const QString &path, const QString &scope);

    static QString asExported(const QString &text);

    // Every reference in use, with the record that holds it.
    QList<RefBefore> references();

    // Every pair with a 0 is the same "no channel", whatever its other half.
    static bool samePair(ChannelRef a, ChannelRef b) { return a == b || (!a.isSet() && !b.isSet()); }

    static QString ownerOf(const QString &path) { return path.left(path.lastIndexOf(u'.')); }

    void checkResult(const QList<RefBefore> &before);

    static QString listOf(const QString &itemPath) { return itemPath.left(itemPath.lastIndexOf(u'[')); }

    static QString refText(const RefBefore &ref);

    void checkReference(const Stored &s);

    static Pos pairPos(ChannelRef ref) { return ref.isSet() ? RecordMoves::pos(ref.zone, ref.channel) : 0; }

    // Every member list of the document with its members.
    QList<MembersBefore> memberLists();

    // The list key of each named list ("channels", "contacts", ...).
    static const QHash<QString, Target> &listTargets();

    // A record path of a named list ("zones[2].channels[5]", "contacts[3]"):
    // its list, its place and the record's At.
    struct RecordPlace
    {
        Target target = Target::None;
        Pos pos = 0;
    };

    static RecordPlace placeOf(const QString &recordPath);

    static QString recordPath(Target target, Pos pos, const QString &oldPath);

    static At atOf(const QString &recordPath);

    QString oldName(Target target, Pos pos) const;

    // References follow the records the text moved; see ImportOptions.
    void followRecords(const QList<RefBefore> &before);

    // A record the text finds under its name at another place brings its
    // bytes along: what the text leaves out of it is the record's own, not
    // that of the record which stood there before. Planned from the whole
    // text before anything is stored, carried out list by list once a list
    // has its new length.
    void planCarries(const YamlNode &root);
    RecordMoves::Names textNames(const YamlNode &root, Target target, const ListSchema &list, const QString &key) const;
    void carryRecords(const ListSchema &list, const YamlNode &node, At parent);

    // The line of a path in the text: of the path itself or the deepest part
    // of it the text gives, else of the list that holds the records of target.
    int lineNear(const QString &path, Target target) const;

    CPcSoftwareDoc &m_doc;
    const ImportOptions m_options;
    ImportReport m_report;
    QList<Stored> m_stored;
    QHash<QString, ChannelRef> m_storedPairs;
    QSet<QString> m_given;  // the references and lists the text gives
    QHash<int, int> m_startChannels;  // zone -> channels before the import
    const YamlNode *m_root = nullptr;
    std::map<Target, RecordMoves::Names> m_namesBefore;
    QList<MembersBefore> m_membersBefore;
    QHash<QString, TextRef> m_textRefs;          // path -> the reference the text gives
    QHash<QString, QList<Pos>> m_textMembers;    // member list path -> the members the text gives
    QSet<QString> m_followed;                    // references and member lists that followed their records
    std::unique_ptr<Image> m_startImage;         // the image before the import, while records are carried
    std::map<Target, QHash<Pos, Pos>> m_carriedFrom;  // new place -> the place the record had
    QSet<Pos> m_carriedChannels;                 // channels that came with their bytes: not new
};

}
