#include "FormDriver.h"

#include "sections/BasicSettingData.h"
#include "sections/CBasicSettingView.h"
#include "sections/CContactView.h"
#include "sections/CRxGroupView.h"
#include "sections/ContactRules.h"
#include "sections/RxGroupData.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

constexpr int kBasic = 10;
constexpr int kContacts = 11;
constexpr int kRxGroups = 12;

struct BasicForm
{
    explicit BasicForm(const QString &model = QString()) : rig(model)
    {
        EXPECT_TRUE(rig.start());
        QApplication::setActiveWindow(rig.frame());
    }
    void open(int code = kBasic)
    {
        rig.frame()->OnNavigate(code, 1);
        settle();
    }
    template <class T>
    T *ctrl(int id) const { return rig.control<T>(kBasic, id); }
    CBasicSettingData basic() const { return CBasicSettingData(rig.doc()); }

    GuiRig rig;
};

}

// What each control stores is checked against the import in FormCatalogue;
// here, what the form shows after a correction and after an undo.
TEST(BasicSettingView, IdEntryIsCorrectedAndAnUndoneSwitchIsRedrawn)
{
    BasicForm f;
    f.open();
    auto *radioId = f.ctrl<QLineEdit>(CBasicSettingView::RadioId);
    auto *startId = f.ctrl<QLineEdit>(CBasicSettingView::StartId);
    typeAndLeave(radioId, QStringLiteral("9000000"), startId);
    EXPECT_EQ(f.basic().GetRadioId(), "9000001");
    EXPECT_EQ(radioId->text(), "9000001");
    // Letters are not taken.
    typeAndLeave(radioId, QStringLiteral("4a2"), startId);
    EXPECT_EQ(f.basic().GetRadioId(), "0000042");

    toggle(f.ctrl<QCheckBox>(CBasicSettingView::PrivateCallEnable));
    ASSERT_TRUE(f.ctrl<QCheckBox>(CBasicSettingView::PrivateCallEnable)->isChecked());
    f.rig.frame()->undoStack().undo();
    EXPECT_FALSE(f.ctrl<QCheckBox>(CBasicSettingView::PrivateCallEnable)->isChecked());
}

TEST(BasicSettingView, StartIdChangeRetypesContactsAndEmptiesTheRxGroupForm)
{
    BasicForm f;
    CContactRules rules(f.rig.doc());
    rules.add(f.rig.prompter);  // 1000002
    CRxGroupData(f.rig.doc()).SetMembers(1, {1, 2});
    const QList<int> members = CRxGroupData(f.rig.doc()).GetMembers(1);
    f.open(kContacts);
    f.open(kRxGroups);
    f.open();
    typeAndLeave(f.ctrl<QLineEdit>(CBasicSettingView::StartId), QStringLiteral("5000000"),
                 f.ctrl<QLineEdit>(CBasicSettingView::RadioId));
    auto *grid = f.rig.control<CEditGrid>(kContacts, CContactView::Grid);
    EXPECT_EQ(columnTexts(grid, CContactView::TypeColumn), QStringList(2, QStringLiteral("Private Call")));
    EXPECT_TRUE(itemTexts(f.rig.control<QListWidget>(kRxGroups, CRxGroupView::Members)).isEmpty());
    EXPECT_TRUE(itemTexts(f.rig.control<QListWidget>(kRxGroups, CRxGroupView::Available)).isEmpty());
    // The members stay stored; only the forms stop showing them.
    EXPECT_EQ(CRxGroupData(f.rig.doc()).GetMembers(1), members);
}
