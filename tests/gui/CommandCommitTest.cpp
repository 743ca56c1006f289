// Every form command stores the field being typed into before it acts,
// whether it is started by a key, a mouse click or an assistive tool's
// action (which moves no focus).

#include "FormDriver.h"

#include "sections/CChannelView.h"
#include "sections/CContactView.h"
#include "sections/CEncryptView.h"
#include "sections/CRxGroupView.h"
#include "sections/CScanView.h"
#include "sections/ChannelData.h"
#include "sections/ContactData.h"
#include "sections/ContactRules.h"
#include "sections/EncryptData.h"
#include "sections/ListMaintenance.h"
#include "sections/RxGroupData.h"
#include "sections/ScanData.h"

#include <QAccessible>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

constexpr int kChannels = 6;
constexpr int kScan = 7;
constexpr int kContacts = 11;
constexpr int kRxGroups = 12;
constexpr int kEncrypt = 13;

enum class Start { Shortcut, Click, Action };
const Start kWays[] = {Start::Shortcut, Start::Click, Start::Action};

const char *nameOf(Start how)
{
    switch (how) {
    case Start::Shortcut: return "shortcut";
    case Start::Click: return "click";
    case Start::Action: return "accessibility action";
    }
    return "";
}

// Replaces a field's text by typing and leaves the focus in it: nothing is
// stored yet.
void typeWithoutLeaving(QWidget *field, const QString &text)
{
    ASSERT_NE(field, nullptr);
    QApplication::setActiveWindow(field->window());
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// Starts a button's command as a user or an assistive tool does.
void start(QAbstractButton *button, Start how)
{
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    switch (how) {
    case Start::Shortcut:
        // A mnemonic works the same way: the button's shortcut event.
        button->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F12));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12, Qt::AltModifier);
        break;
    case Start::Click:
        QTest::mouseClick(button, Qt::LeftButton);
        break;
    case Start::Action: {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button);
        ASSERT_TRUE(iface && iface->actionInterface());
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        break;
    }
    }
    // A key and an action show the button pressed for a moment first.
    if (clicked.isEmpty())
        clicked.wait(5000);
    button->setShortcut(QKeySequence());  // no two buttons share it later
    ASSERT_EQ(clicked.size(), 1);
    settle();
}

struct Forms
{
    explicit Forms(const QString &model = QStringLiteral("VK214")) : rig(model)
    {
        EXPECT_TRUE(rig.start());
        QApplication::setActiveWindow(rig.frame());
    }
    void open(int code, int index = 0)
    {
        rig.frame()->OnNavigate(code, index);
        settle();
    }
    template <class T = QWidget>
    T *ctrl(int code, int id) const { return rig.control<T>(code, id); }
    QAbstractButton *button(int code, int id) const { return ctrl<QAbstractButton>(code, id); }

    GuiRig rig;
};

// Five contacts "Contact 1".."Contact 5" with IDs 1000001..1000005.
void addContacts(Forms &f)
{
    CContactRules rules(f.rig.doc());
    for (int i = 2; i <= 5; ++i)
        rules.add(f.rig.prompter);
}

QStringList contactColumn(CPcSoftwareDoc &doc, bool ids)
{
    const CContactData contacts(doc);
    QStringList texts;
    for (int c = 1; c <= CContactRules(doc).count(); ++c)
        texts << (ids ? contacts.GetCallId(c) : contacts.GetName(c));
    return texts;
}

}

TEST(CommandCommit, ChannelFormNavigationAndAddStoreTheTypedField)
{
    for (const Start how : kWays) {
        SCOPED_TRACE(nameOf(how));
        Forms f;
        CListMaintenance(f.rig.doc()).addChannel(1);
        f.open(kChannels, 0);
        typeWithoutLeaving(f.ctrl<QLineEdit>(kChannels, CChannelView::ChannelName), QStringLiteral("Typed Name"));
        start(f.button(kChannels, CChannelView::NextChannel), how);
        const CChannelData channels(f.rig.doc());
        EXPECT_EQ(channels.GetChannelName(1, 1), QStringLiteral("Typed Name"));
        EXPECT_EQ(f.ctrl<QLineEdit>(kChannels, CChannelView::ChannelName)->text(), QStringLiteral("Channel 2"));

        typeWithoutLeaving(f.ctrl<QAbstractSpinBox>(kChannels, CChannelView::RxFrequency), QStringLiteral("440.125"));
        start(f.button(kChannels, CChannelView::PreviousChannel), how);
        EXPECT_EQ(channels.GetFrequency(1, 2, CChannelData::Direction::Receive), QStringLiteral("440.125000"));

        typeWithoutLeaving(f.ctrl<QLineEdit>(kChannels, CChannelView::ZoneName), QStringLiteral("Typed Zone"));
        start(f.button(kChannels, CChannelView::AddZone), how);
        EXPECT_EQ(channels.GetZoneName(1), QStringLiteral("Typed Zone"));
        EXPECT_EQ(channels.GetZoneName(2), QStringLiteral("Zone 1"));  // the first free name
    }
}

TEST(CommandCommit, ListFormsStoreTheTypedNameBeforeAddingOrMoving)
{
    for (const Start how : kWays) {
        SCOPED_TRACE(nameOf(how));
        Forms f;
        f.open(kScan, 1);
        typeWithoutLeaving(f.ctrl<QLineEdit>(kScan, CScanView::ListName), QStringLiteral("Typed Scan"));
        start(f.button(kScan, CScanView::AddList), how);
        EXPECT_EQ(CScanData(f.rig.doc()).GetName(1), QStringLiteral("Typed Scan"));

        f.open(kRxGroups, 1);
        typeWithoutLeaving(f.ctrl<QLineEdit>(kRxGroups, CRxGroupView::ListName), QStringLiteral("Typed Group"));
        start(f.button(kRxGroups, CRxGroupView::AddList), how);
        EXPECT_EQ(CRxGroupData(f.rig.doc()).GetName(1), QStringLiteral("Typed Group"));
        typeWithoutLeaving(f.ctrl<QLineEdit>(kRxGroups, CRxGroupView::ListName), QStringLiteral("Second"));
        start(f.button(kRxGroups, CRxGroupView::Previous), how);
        EXPECT_EQ(CRxGroupData(f.rig.doc()).GetName(2), QStringLiteral("Second"));
    }
}

TEST(CommandCommit, AnOpenCellEditLandsOnItsOwnRowBeforeTheRowsMove)
{
    for (const Start how : kWays) {
        SCOPED_TRACE(nameOf(how));
        Forms f;
        addContacts(f);
        f.open(kContacts);
        CEditGrid *grid = f.ctrl<CEditGrid>(kContacts, CContactView::Grid);

        // Row 3's ID is being typed when row 3 is deleted: the ID goes with it.
        ASSERT_NE(typeIntoCell(grid, 2, CContactView::CallIdColumn, QStringLiteral("1234567"), false), nullptr);
        start(f.button(kContacts, CContactView::Delete), how);
        EXPECT_EQ(contactColumn(f.rig.doc(), false),
                  (QStringList{"Contact 1", "Contact 2", "Contact 4", "Contact 5"}));
        EXPECT_EQ(contactColumn(f.rig.doc(), true), (QStringList{"1000001", "1000002", "1000004", "1000005"}));
        EXPECT_EQ(grid->activeEditor(), nullptr);

        // Row 2's name is being typed when a contact is inserted there.
        ASSERT_NE(typeIntoCell(grid, 1, CContactView::NameColumn, QStringLiteral("Renamed"), false), nullptr);
        start(f.button(kContacts, CContactView::Insert), how);
        EXPECT_EQ(contactColumn(f.rig.doc(), false),
                  (QStringList{"Contact 1", "Contact 2", "Renamed", "Contact 4", "Contact 5"}));
        EXPECT_TRUE(f.rig.prompter.prompts.isEmpty());
        EXPECT_EQ(columnTexts(grid, CContactView::NameColumn), contactColumn(f.rig.doc(), false));

        // The encryption grid shares the editor.
        f.open(kEncrypt);
        CEditGrid *keys = f.ctrl<CEditGrid>(kEncrypt, CEncryptView::Grid);
        ASSERT_NE(typeIntoCell(keys, 0, CEncryptView::NameColumn, QStringLiteral("Typed Key"), false), nullptr);
        start(f.button(kEncrypt, CGridListForm::Add), how);
        EXPECT_EQ(CEncryptData(f.rig.doc()).GetName(1), QStringLiteral("Typed Key"));
    }
}
