#include "fields/ContactSheet.h"

#include "app/Prompter.h"
#include "fields/RecordMends.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"
#include "sections/ListRules.h"

#include <algorithm>
#include <memory>

namespace ContactSheet {

namespace {

const QString kExistName = QStringLiteral("IDS_EXIST_NAME");
const QString kExistCallId = QStringLiteral("IDS_EXIST_CALLID");

// Keeps the key of the last message a rule told, so that a refusal can be
// listed with its reason instead of being shown at once.
class ReasonPrompter : public Prompter
{
public:
    PromptAnswer ask(const Prompt &prompt) override
    {
        key = prompt.textKey;
        return PromptAnswer::Cancel;
    }
    QString key;
};

// The name check of every list form: empty, or a name another contact has.
Fields::Store checkName(CPcSoftwareDoc &doc, int contact, const QString &name)
{
    const CContactData contacts(doc);
    QStringList others;
    const int used = CContactRules(doc).count();
    for (int other = 1; other <= used; ++other) {
        if (other != contact)
            others << contacts.GetName(other);
    }
    ReasonPrompter reason;
    if (ListRules::acceptName(name, others, reason))
        return {};
    if (reason.key == kExistName)
        return Fields::Store::refused(kExistName, QStringLiteral("another contact is named \"%1\"").arg(name));
    return Fields::Store::refused(Fields::Refuse::EmptyName, QStringLiteral("a name may not be empty"));
}

bool holdsValue(const QStringList &cells, const QList<const Fields::Field *> &columns)
{
    for (qsizetype i = 0; i < cells.size() && i < columns.size(); ++i) {
        if (columns[i] && !cells[i].isEmpty())
            return true;
    }
    return false;
}

void storeRow(CPcSoftwareDoc &doc, int row, const QStringList &cells, const QList<const Fields::Field *> &columns, Result &result)
{
    for (qsizetype i = 0; i < cells.size() && i < columns.size(); ++i) {
        if (!columns[i] || cells[i].isEmpty())
            continue;
        const Fields::Store stored = store(doc, *columns[i], row, cells[i]);
        if (stored.isRefused())
            result.refused.append(Refusal{row, columns[i], stored});
        else
            ++result.stored;
    }
}

}

const Fields::Field *field(const QString &key)
{
    static const Fields::RecordSchema *contact = Fields::recordSchema(QStringLiteral("contacts"));
    return contact ? Fields::findField(*contact, key) : nullptr;
}

Fields::Store store(CPcSoftwareDoc &doc, const Fields::Field &field, int contact, const QString &text)
{
    CContactRules rules(doc);
    if (contact < 1 || contact > rules.count())
        return Fields::Store::refused(Fields::Refuse::Range, QStringLiteral("there is no contact %1").arg(contact));
    const QString entered = field.isCallId ? text.trimmed() : text;
    const Fields::At at{contact, 0};
    // The same value again is no change: rewriting it could still alter
    // bytes no value shows.
    if (Fields::valueText(field, doc, at) == entered)
        return {};
    if (field.isRecordName) {
        const Fields::Store unique = checkName(doc, contact, entered);
        return unique.isRefused() ? unique : Fields::setText(field, doc, at, entered);
    }
    if (!field.isCallId)
        return Fields::setText(field, doc, at, entered);

    // Which ID a text ends as (0 becomes 0000001, digits are padded) is the
    // field's rule, and a contact crossing the group-call start ID leaves
    // the RX group lists: the duplicate is found after the store, which is
    // then taken back whole.
    const auto before = std::make_unique<Image>(doc.currentImage());
    const Fields::Store stored = Fields::setText(field, doc, at, entered);
    if (stored.isRefused())
        return stored;
    const QString id = CContactData(doc).GetCallId(contact);
    if (const int holder = rules.contactWithCallId(id, contact)) {
        doc.currentImage() = *before;
        return Fields::Store::refused(kExistCallId, QStringLiteral("contact %1 has the call ID %2").arg(holder).arg(id));
    }
    return stored;
}

Result setOnRows(CPcSoftwareDoc &doc, const Fields::Field &field, const QList<int> &rows, const QString &text)
{
    QList<int> ordered = rows;
    std::sort(ordered.begin(), ordered.end());
    ordered.erase(std::unique(ordered.begin(), ordered.end()), ordered.end());
    Result result;
    Mends::changeContacts(doc, [&] {
        const int used = CContactRules(doc).count();
        for (int row : std::as_const(ordered)) {
            if (row < 1 || row > used)
                continue;
            const Fields::Store stored = store(doc, field, row, text);
            if (stored.isRefused())
                result.refused.append(Refusal{row, &field, stored});
            else
                ++result.stored;
        }
    });
    return result;
}

Result paste(CPcSoftwareDoc &doc, int first, const QList<const Fields::Field *> &columns, const QList<QStringList> &block)
{
    Result result;
    qsizetype rows = block.size();
    while (rows > 0 && !holdsValue(block[rows - 1], columns))
        --rows;
    if (first < 1 || rows == 0)
        return result;
    Mends::changeContacts(doc, [&] {
        CContactRules rules(doc);
        // An addition that finds no free call ID says so through this; the
        // rows it leaves out are counted instead.
        ReasonPrompter unused;
        for (qsizetype i = 0; i < rows; ++i) {
            const int row = first + int(i);
            if (row > rules.count()) {
                // One contact at a time: the call ID a new contact gets
                // depends on the IDs the rows before it stored.
                if (row != rules.count() + 1 || !rules.add(unused).ok()) {
                    result.leftOut = int(rows - i);
                    break;
                }
                ++result.added;
            }
            storeRow(doc, row, block[i], columns, result);
        }
    });
    return result;
}

}
