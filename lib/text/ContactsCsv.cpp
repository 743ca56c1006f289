#include "text/ContactsCsv.h"

#include "text/CsvTable.h"

#include "app/Prompter.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "sections/BasicSettingData.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"

#include <QSet>

namespace ContactsCsv {

namespace {

class SilentPrompter : public Prompter
{
public:
    PromptAnswer ask(const Prompt &) override { return PromptAnswer::Cancel; }
};

const QStringList kIdHeaders{QStringLiteral("Call ID"), QStringLiteral("CallID"), QStringLiteral("call_id"),
                             QStringLiteral("Radio ID"), QStringLiteral("RadioID"), QStringLiteral("radio_id"),
                             QStringLiteral("DMR ID"), QStringLiteral("DMRID"), QStringLiteral("dmr_id"), QStringLiteral("ID")};
const QStringList kNameHeaders{QStringLiteral("Name"), QStringLiteral("Contact Name"), QStringLiteral("Alias")};
const QStringList kCallsignHeaders{QStringLiteral("Callsign"), QStringLiteral("Call Sign"), QStringLiteral("call_sign")};
const QStringList kFirstNameHeaders{QStringLiteral("First Name"), QStringLiteral("FirstName"), QStringLiteral("first_name"),
                                    QStringLiteral("FNAME")};

QString typeText(int type)
{
    switch (type) {
    case 0: return QStringLiteral("group");
    case 1: return QStringLiteral("private");
    default: return QStringLiteral("all");
    }
}

bool isCallId(const QString &text)
{
    return !text.isEmpty() && text.size() <= CContactData::kCallIdLength
           && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit() || c == u'*'; });
}

}

QByteArray exportText(CPcSoftwareDoc &doc)
{
    const CContactData contacts(doc);
    const qint32 startId = CBasicSettingData(doc).GetGroupCallStartIdValue();
    QList<QStringList> rows;
    for (int i = 1; i <= contacts.CountContacts(); ++i)
        rows.append({QString::number(i), contacts.GetName(i), contacts.GetCallId(i), typeText(contacts.GetContactType(i, startId))});
    return CsvTable::write({QStringLiteral("No."), QStringLiteral("Name"), QStringLiteral("Call ID"), QStringLiteral("Call Type")}, rows);
}

Report importText(const QByteArray &csv, CPcSoftwareDoc &doc, const Options &options)
{
    Report report;
    const CsvTable table = CsvTable::parse(csv);
    if (!table.error.isEmpty()) {
        report.error = table.error;
        return report;
    }
    const int idColumn = table.column(kIdHeaders);
    const int nameColumn = table.column(kNameHeaders);
    const int callsignColumn = table.column(kCallsignHeaders);
    const int firstNameColumn = table.column(kFirstNameHeaders);
    if (idColumn < 0 || (nameColumn < 0 && callsignColumn < 0)) {
        report.error = QStringLiteral("no call-ID column (Call ID, Radio ID, DMR ID) with a Name or Callsign column in the header");
        return report;
    }

    CContactRules rules(doc);
    CContactData contacts(doc);
    SilentPrompter prompter;
    if (options.replace) {
        // The list keeps one record; the first row accepted takes its place.
        while (rules.count() > 1)
            rules.remove(rules.count());
    }
    QSet<QString> ids, names;
    const int kept = options.replace ? 0 : rules.count();
    for (int i = 1; i <= kept; ++i) {
        ids.insert(contacts.GetCallId(i));
        names.insert(contacts.GetName(i));
    }
    int free = CContactData::kContactCount - kept;
    int budget = options.limit < 0 ? free : std::min(free, options.limit);
    bool firstReplaces = options.replace;
    const auto skip = [&](const QString &why) { ++report.skipped[why]; };

    for (const QStringList &row : table.rows) {
        if (!options.match.isEmpty()
            && std::none_of(row.begin(), row.end(), [&](const QString &c) { return c.contains(options.match, Qt::CaseInsensitive); })) {
            skip(QStringLiteral("not matching"));
            continue;
        }
        const QString id = row.value(idColumn).trimmed();
        QString name = nameColumn >= 0 ? row.value(nameColumn).trimmed() : QString();
        if (callsignColumn >= 0) {
            const QString callsign = row.value(callsignColumn).trimmed();
            const QString first = firstNameColumn >= 0 ? row.value(firstNameColumn).trimmed() : name;
            name = QStringList{callsign, first}.join(u' ').trimmed();
        }
        name = NameField::truncated(name, NameField::kNameUnits);
        if (!isCallId(id)) {
            skip(id.size() > CContactData::kCallIdLength && std::all_of(id.begin(), id.end(), [](QChar c) { return c.isDigit(); })
                     ? QStringLiteral("call ID longer than 7 digits")
                     : QStringLiteral("no valid call ID"));
            continue;
        }
        const QString padded = id.rightJustified(CContactData::kCallIdLength, id.contains(u'*') ? u'*' : u'0');
        if (CContactData::IsReservedCallId(padded) || CContactData::CallIdValue(padded) == 0) {
            skip(QStringLiteral("reserved call ID"));
            continue;
        }
        if (ids.contains(padded)) {
            skip(QStringLiteral("duplicate call ID"));
            continue;
        }
        if (name.isEmpty()) {
            skip(QStringLiteral("no name"));
            continue;
        }
        if (names.contains(name)) {
            skip(QStringLiteral("duplicate name"));
            continue;
        }
        if (budget <= 0) {
            skip(options.limit >= 0 && options.limit < free ? QStringLiteral("beyond --limit")
                                                           : QStringLiteral("beyond the 200 contacts that fit"));
            continue;
        }
        int row1 = 1;
        if (firstReplaces) {
            firstReplaces = false;
            contacts.SetCallId(1, QStringLiteral("0000001"));  // frees the old ID for the check below
        } else {
            const EditResult added = rules.add(prompter);
            if (!added.ok()) {
                skip(QStringLiteral("no free call ID for a new contact"));
                continue;
            }
            row1 = rules.count();
        }
        const bool named = rules.enterName(row1, name, prompter) || contacts.GetName(row1) == name;
        const bool identified = rules.enterCallId(row1, padded, prompter) || contacts.GetCallId(row1) == padded;
        if (!named || !identified) {
            if (row1 > 1)
                rules.remove(row1);
            skip(QStringLiteral("refused by the contact rules"));
            continue;
        }
        ids.insert(padded);
        names.insert(name);
        ++report.added;
        --budget;
        --free;
    }
    return report;
}

}
