#include "sections/CScanView.h"

#include "app/Language.h"
#include "app/Prompter.h"
#include "app/TranslateDialog.h"
#include "codeplug/Encodings.h"
#include "fields/RecordMends.h"
#include "sections/CMemberLists.h"
#include "sections/CRecordNavigator.h"
#include "sections/ChannelRefList.h"
#include "sections/FieldBinder.h"
#include "sections/FormFields.h"
#include "sections/ListMaintenance.h"
#include "sections/ScanListRules.h"
#include "widgets/CNumberEdit.h"
#include "widgets/EditLimit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

CScanView::~CScanView() = default;

CScanView::CScanView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 7, kDialogId, parent),
      m_fields(std::make_unique<FieldBinder>(QStringLiteral("scan_lists"), *this, doc(), prompter(),
                                             [this](int nameId, const std::function<void()> &change) {
                                                 storeField(nameId, change);
                                                 Reload();
                                             }))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(buildNavigation());
    auto *body = new QHBoxLayout;
    body->setSpacing(12);
    body->addWidget(buildMembers(), 1);
    body->addWidget(buildSettings());
    layout->addLayout(body, 1);
}

QWidget *CScanView::buildNavigation()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    QLabel *nameLabel = makeLabel(ListName, QStringLiteral("扫描列表别名"));
    m_name = new CTextEdit(this);
    setCtrlId(m_name, ListName);
    m_name->setEditLimit(NameField::kNameUnits);
    m_name->fitCharacters(NameField::kNameUnits);
    nameLabel->setBuddy(m_name);
    connect(m_name, &QLineEdit::editingFinished, this, &CScanView::storeName);
    layout->addWidget(nameLabel);
    layout->addWidget(m_name);
    layout->addSpacing(12);

    m_navigator = new CRecordNavigator({First, Previous, Next, Last, AddList, DeleteList, Position},
                                       {QStringLiteral("第一个"), QStringLiteral("上一个"), QStringLiteral("下一个"),
                                        QStringLiteral("最后一个"), QStringLiteral("增加"), QStringLiteral("删除")},
                                       this, layout);
    connect(m_navigator, &CRecordNavigator::firstClicked, this, [this] { showList(1); });
    connect(m_navigator, &CRecordNavigator::previousClicked, this, [this] { showList(currentList() - 1); });
    connect(m_navigator, &CRecordNavigator::nextClicked, this, [this] { showList(currentList() + 1); });
    connect(m_navigator, &CRecordNavigator::lastClicked, this, [this] { showList(CScanData(doc()).CountLists()); });
    connect(m_navigator, &CRecordNavigator::addClicked, this, &CScanView::addList);
    connect(m_navigator, &CRecordNavigator::removeClicked, this, &CScanView::deleteList);
    return row;
}

QWidget *CScanView::buildMembers()
{
    m_lists = new CMemberLists({Available, Members, MoveIn, MoveOut},
                               {QStringLiteral("可用到的信道"), QStringLiteral("信道成员")}, QSize(170, 260), this);
    m_lists->setMoves([this](const QListWidget *from) { return moveIn(ChannelRefList::selected(from)); },
                      [this](const QListWidget *from) { return moveOut(ChannelRefList::selected(from)); });
    return m_lists;
}

QCheckBox *CScanView::addSwitch(int control, const QString &text, const QString &key)
{
    auto *box = new QCheckBox(text, this);
    setCtrlId(box, control);
    m_fields->check(box, key);
    return box;
}

QWidget *CScanView::buildSettings()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(6);
    grid->setHorizontalSpacing(10);

    auto *priorityType1 = addComboRow(grid, 0, PriorityType1, QStringLiteral("优先信道类型1"), 16);
    m_priority1 = addComboRow(grid, 1, Priority1, QStringLiteral("优先信道1"), 16);
    auto *priorityType2 = addComboRow(grid, 2, PriorityType2, QStringLiteral("优先信道类型2"), 16);
    m_priority2 = addComboRow(grid, 3, Priority2, QStringLiteral("优先信道2"), 16);
    m_designated = addComboRow(grid, 4, Designated, QStringLiteral("指定信道"), 16);
    m_revert = addComboRow(grid, 5, Revert, QStringLiteral("回复信道"), 16);
    // The dwell times are lists of quarter seconds, 0.00 ... 63.75.
    auto *rxDwell = addComboRow(grid, 6, RxDwell, QStringLiteral("接收停留时间[秒]"), 16);
    auto *txDwell = addComboRow(grid, 7, TxDwell, QStringLiteral("发射停留时间[秒]"), 16);
    const FieldBinder::Entries types = FieldBinder::languageList(QStringLiteral("PriorityChannelType"));
    m_fields->list(priorityType1, QStringLiteral("priority_channel_type_1"), types);
    m_fields->list(priorityType2, QStringLiteral("priority_channel_type_2"), types);
    m_fields->list(rxDwell, QStringLiteral("rx_dwell_time_s"));
    m_fields->list(txDwell, QStringLiteral("tx_dwell_time_s"));
    m_fields->numberRows(*this, *grid, 8,
                         {{LookBackA, "回扫时间A[秒]", QStringLiteral("look_back_time_a_s")},
                          {LookBackB, "回扫时间B[秒]", QStringLiteral("look_back_time_b_s")}});

    auto *switches = new QVBoxLayout;
    switches->addWidget(addSwitch(Talkback, QStringLiteral("回复对讲"), QStringLiteral("talkback")));
    switches->addWidget(addSwitch(IncludeCurrent, QStringLiteral("含当前信道扫描"), QStringLiteral("include_current_channel")));
    switches->addWidget(addSwitch(NuisanceDelete, QStringLiteral("闲杂信道删除"), QStringLiteral("nuisance_delete")));
    QCheckBox *reset = addSwitch(NuisanceReset, QStringLiteral("闲杂信道复位"), QStringLiteral("nuisance_reset"));
    // The radio does not offer this switch: it is loaded and kept, never shown.
    reset->setVisible(false);
    reset->setEnabled(false);
    switches->addWidget(reset);
    switches->addWidget(addSwitch(ScanIndicator, QStringLiteral("扫描指示灯"), QStringLiteral("scan_indicator")));
    grid->addLayout(switches, 10, 0, 1, 2);
    grid->setRowStretch(11, 1);

    for (QComboBox *selector : {m_priority1, m_priority2, m_designated}) {
        const int control = ctrlId(selector);
        connect(selector, &QComboBox::activated, this, [this, control](int index) { storeChannelChoice(control, index); });
    }
    connect(m_revert, &QComboBox::activated, this, [this](int entry) {
        const int list = currentList();
        storeField(Revert, [this, list, entry] { CScanData(doc()).SetRevertChannel(list, CScanData::RevertValueForEntry(entry)); });
        Reload();
    });
    return box;
}

int CScanView::clampedList(int list) const
{
    const int count = CScanData(doc()).CountLists();
    return std::clamp(list, 1, std::max(count, 1));
}

void CScanView::OnInitialUpdate(int index)
{
    setRecordIndex(clampedList(index));
    resetUnsetChannels();
    CSectionForm::OnInitialUpdate(currentList());
}

void CScanView::ShowRecord(int index)
{
    showList(index);
}

void CScanView::showList(int list)
{
    setRecordIndex(clampedList(list));
    resetUnsetChannels();
    Reload();
}

void CScanView::resetUnsetChannels()
{
    // Bytes change only for a list whose pairs are unset and not yet (0, 0):
    // only then is this a step of its own.
    const int list = currentList();
    runEdit(QStringLiteral("IDS_ACTION_RESET_REFERENCES"),
            [this, list] { Mends::scanList(doc(), list); }, Redraw::OtherForms);
}

void CScanView::Reload()
{
    // Called after any change, undo included: show whatever list number is
    // still in use, and write nothing.
    setRecordIndex(clampedList(recordIndex()));
    const int list = currentList();
    const CScanData scans(doc());
    const CScanListRules rules(doc());

    m_name->setText(scans.GetName(list));
    const QList<ChannelRef> selectable = rules.selectorChannels();
    ChannelRefList::fill(m_priority1, doc(), selectable, scans.GetPriorityChannel1(list));
    ChannelRefList::fill(m_priority2, doc(), selectable, scans.GetPriorityChannel2(list));
    ChannelRefList::fill(m_designated, doc(), selectable, scans.GetDesignatedChannel(list));

    QStringList revert = language().GetLangList(QStringLiteral("RevertChannel"));
    if (revert.size() > 2)
        revert.removeAt(2);  // the radio has no use for item 2
    FormFields::fillItems(m_revert, revert, CScanData::RevertEntryForValue(scans.GetRevertChannel(list)));
    m_fields->setRecord({list, 0});
    m_fields->show(language());
    fillMembers();
    updateNavigation();
}

void CScanView::fillMembers()
{
    const CScanListRules rules(doc());
    ChannelRefList::fill(m_lists->available(), doc(), rules.availableChannels(currentList()));
    ChannelRefList::fill(m_lists->members(), doc(), rules.members(currentList()));
    m_lists->updateMoveButtons();
}

void CScanView::updateNavigation()
{
    const int count = CScanData(doc()).CountLists();
    m_navigator->showPosition(currentList(), count, count < CScanData::kListCount, count > 1);
}

void CScanView::storeName()
{
    // A refusal's message box takes the focus, which finishes the edit again.
    if (m_storingName)
        return;
    const QScopedValueRollback<bool> guard(m_storingName, true);
    const int list = currentList();
    const QString text = m_name->text();
    if (!CScanListRules(doc()).acceptName(list, text, prompter())) {
        Reload();
        return;
    }
    storeField(ListName, [this, list, text] { CScanData(doc()).SetName(list, text); }, Redraw::TreeLabels);
    Reload();
}

void CScanView::storeChannelChoice(int control, int index)
{
    const int list = currentList();
    QComboBox *box = control == Priority1 ? m_priority1 : control == Priority2 ? m_priority2 : m_designated;
    const ChannelRef ref = ChannelRefList::at(box, index);
    storeField(control, [this, list, control, ref] {
        CScanData scans(doc());
        if (control == Priority1)
            scans.SetPriorityChannel1(list, ref);
        else if (control == Priority2)
            scans.SetPriorityChannel2(list, ref);
        else
            scans.SetDesignatedChannel(list, ref);
    });
    Reload();
}

bool CScanView::moveIn(const QList<ChannelRef> &channels)
{
    const int list = currentList();
    DeferredPrompter messages;
    EditResult result;
    runEdit(QStringLiteral("IDS_ACTION_ADD_SCAN_MEMBERS"),
            [&] { result = CScanListRules(doc()).moveIn(list, channels, messages); }, Redraw::OtherForms);
    messages.showOn(prompter());
    Reload();
    return result.ok();
}

bool CScanView::moveOut(const QList<ChannelRef> &channels)
{
    const int list = currentList();
    EditResult result;
    runEdit(QStringLiteral("IDS_ACTION_REMOVE_SCAN_MEMBERS"),
            [&] { result = CScanListRules(doc()).moveOut(list, channels); }, Redraw::OtherForms);
    Reload();
    return result.ok();
}

void CScanView::addList()
{
    EditResult result;
    runEdit(QStringLiteral("IDS_ACTION_ADD_SCAN"),
            [this, &result] { result = CListMaintenance(doc()).addScanList(); });
    if (result.ok())
        setRecordIndex(result.record);
    Reload();
}

void CScanView::deleteList()
{
    const int list = currentList();
    EditResult result;
    // The delete also mends the list shown afterwards, as any list shown.
    runEdit(QStringLiteral("IDS_ACTION_DELETE_SCAN"),
            [this, list, &result] { result = CListMaintenance(doc()).deleteScanList(list); });
    if (result.ok())
        setRecordIndex(result.record);
    Reload();
}
