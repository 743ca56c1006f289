#include "sections/CRxGroupView.h"

#include "app/Language.h"
#include "app/Prompter.h"
#include "app/TranslateDialog.h"
#include "codeplug/Encodings.h"
#include "sections/CMemberLists.h"
#include "sections/CRecordNavigator.h"
#include "sections/ContactData.h"
#include "sections/ListMaintenance.h"
#include "sections/RxGroupData.h"
#include "sections/RxGroupRules.h"
#include "widgets/EditLimit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Each entry shows a contact's name and carries its number, so a move
// stores the contact the entry stands for.
void fillList(QListWidget *list, const CContactData &contacts, const QList<int> &numbers)
{
    const QSignalBlocker blocker(list);
    list->clear();
    for (int contact : numbers) {
        auto *item = new QListWidgetItem(contacts.GetName(contact), list);
        item->setData(Qt::UserRole, contact);
    }
}

QList<int> selectedContacts(const QListWidget *list)
{
    QList<int> contacts;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->isSelected())
            contacts << list->item(row)->data(Qt::UserRole).toInt();
    }
    return contacts;
}

}

CRxGroupView::CRxGroupView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 12, kDialogId, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(buildNavigation());
    layout->addWidget(buildMembers(), 1);
    layout->addWidget(buildHiddenMembers());
}

QWidget *CRxGroupView::buildNavigation()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    QLabel *nameLabel = makeLabel(ListName, QStringLiteral("组呼名称"));
    m_name = new CTextEdit(this);
    setCtrlId(m_name, ListName);
    m_name->setEditLimit(NameField::kNameUnits);
    m_name->fitCharacters(NameField::kNameUnits);
    nameLabel->setBuddy(m_name);
    connect(m_name, &QLineEdit::editingFinished, this, &CRxGroupView::storeName);
    layout->addWidget(nameLabel);
    layout->addWidget(m_name);
    layout->addSpacing(12);

    m_navigator = new CRecordNavigator({First, Previous, Next, Last, AddList, DeleteList, Position},
                                       {QStringLiteral("第一组"), QStringLiteral("前一组"), QStringLiteral("后一组"),
                                        QStringLiteral("最后一组"), QStringLiteral("增加"), QStringLiteral("删除")},
                                       this, layout);
    connect(m_navigator, &CRecordNavigator::firstClicked, this, [this] { showList(1); });
    connect(m_navigator, &CRecordNavigator::previousClicked, this, [this] { showList(currentList() - 1); });
    connect(m_navigator, &CRecordNavigator::nextClicked, this, [this] { showList(currentList() + 1); });
    connect(m_navigator, &CRecordNavigator::lastClicked, this, [this] { showList(listCount()); });
    connect(m_navigator, &CRecordNavigator::addClicked, this, &CRxGroupView::addList);
    connect(m_navigator, &CRecordNavigator::removeClicked, this, &CRxGroupView::deleteList);
    return row;
}

QWidget *CRxGroupView::buildMembers()
{
    m_lists = new CMemberLists({Available, Members, MoveIn, MoveOut},
                               {QStringLiteral("可用到的联系人"), QStringLiteral("联系人成员")}, QSize(190, 280), this);
    m_lists->setMoves([this](const QListWidget *from) { return moveIn(selectedContacts(from)); },
                      [this](const QListWidget *from) { return moveOut(selectedContacts(from)); });
    return m_lists;
}

QWidget *CRxGroupView::buildHiddenMembers()
{
    // Members that are individual contacts are not listed, yet they take
    // slots: say how many, and offer to clear them.
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_hiddenNote = new QLabel(row);
    m_hiddenNote->setObjectName(QStringLiteral("HiddenMembersNote"));
    m_hiddenNote->setWordWrap(true);
    m_removeHidden = new QPushButton(row);
    m_removeHidden->setObjectName(QStringLiteral("RemoveHiddenMembers"));
    connect(m_removeHidden, &QPushButton::clicked, this, &CRxGroupView::removeHiddenMembers);
    layout->addWidget(m_hiddenNote, 1);
    layout->addWidget(m_removeHidden);
    return row;
}

int CRxGroupView::listCount() const
{
    return CRxGroupData(doc()).LastNamedList();
}

int CRxGroupView::clampedList(int list) const
{
    return std::clamp(list, 1, std::max(listCount(), 1));
}

void CRxGroupView::OnInitialUpdate(int index)
{
    CSectionForm::OnInitialUpdate(clampedList(index));
}

void CRxGroupView::ShowRecord(int index)
{
    showList(index);
}

void CRxGroupView::showList(int list)
{
    setRecordIndex(clampedList(list));
    Reload();
}

void CRxGroupView::Reload()
{
    // Called after any change, undo included: show whatever list number is
    // still in use.
    setRecordIndex(clampedList(recordIndex()));
    m_name->setText(CRxGroupData(doc()).GetName(currentList()));
    fillContacts();
    updateNavigation();
}

void CRxGroupView::fillContacts()
{
    const CRxGroupRules rules(doc());
    const CContactData contacts(doc());
    fillList(m_lists->available(), contacts, rules.availableContacts(currentList()));
    fillList(m_lists->members(), contacts, rules.shownMembers(currentList()));
    m_lists->updateMoveButtons();
    showHiddenMembers();
}

void CRxGroupView::showHiddenMembers()
{
    const qsizetype hidden = CRxGroupRules(doc()).hiddenMembers(currentList()).size();
    m_hiddenNote->setText(language().GetLangString(QStringLiteral("IDS_RXGROUP_HIDDEN_MEMBERS")).arg(hidden));
    m_removeHidden->setText(language().GetLangString(QStringLiteral("IDS_RXGROUP_REMOVE_HIDDEN")));
    m_hiddenNote->setVisible(hidden > 0);
    m_removeHidden->setVisible(hidden > 0);
}

void CRxGroupView::removeHiddenMembers()
{
    const int list = currentList();
    int removed = 0;
    runEdit(QStringLiteral("IDS_ACTION_REMOVE_HIDDEN_MEMBERS"),
            [&] { removed = CRxGroupRules(doc()).removeHiddenMembers(list); }, Redraw::OtherForms);
    Reload();
    prompter().ask(Prompt{{}, QStringLiteral("IDS_PROMPT"), Prompt::Icon::Information, Prompt::Buttons::Ok,
                          language().GetLangString(QStringLiteral("IDS_RXGROUP_HIDDEN_REMOVED")).arg(removed)});
}

void CRxGroupView::updateNavigation()
{
    const int count = listCount();
    m_navigator->showPosition(currentList(), count, count < CRxGroupData::kListCount, count > 1);
}

void CRxGroupView::storeName()
{
    // A refusal's message box takes the focus, which finishes the edit again.
    if (m_storingName)
        return;
    const QScopedValueRollback<bool> guard(m_storingName, true);
    const int list = currentList();
    const QString text = m_name->text();
    DeferredPrompter messages;
    storeField(ListName, [&] { CRxGroupRules(doc()).enterName(list, text, messages); }, Redraw::TreeLabels);
    Reload();
    messages.showOn(prompter());
}

bool CRxGroupView::moveIn(const QList<int> &contacts)
{
    const int list = currentList();
    DeferredPrompter messages;
    EditResult result;
    runEdit(QStringLiteral("IDS_ACTION_ADD_RXGROUP_MEMBERS"),
            [&] { result = CRxGroupRules(doc()).moveIn(list, contacts, messages); }, Redraw::OtherForms);
    Reload();
    messages.showOn(prompter());
    return result.ok();
}

bool CRxGroupView::moveOut(const QList<int> &contacts)
{
    const int list = currentList();
    EditResult result;
    runEdit(QStringLiteral("IDS_ACTION_REMOVE_RXGROUP_MEMBERS"),
            [&] { result = CRxGroupRules(doc()).moveOut(list, contacts); }, Redraw::OtherForms);
    Reload();
    return result.ok();
}

void CRxGroupView::addList()
{
    EditResult result;
    runEdit(QStringLiteral("IDS_ACTION_ADD_RXGROUP"), [&] { result = CListMaintenance(doc()).addRxGroup(); });
    if (result.ok())
        setRecordIndex(result.record);
    Reload();
}

void CRxGroupView::deleteList()
{
    const int list = currentList();
    EditResult result;
    runEdit(QStringLiteral("IDS_ACTION_DELETE_RXGROUP"),
            [&] { result = CListMaintenance(doc()).deleteRxGroup(list); });
    if (result.ok())
        setRecordIndex(result.record);
    Reload();
}
