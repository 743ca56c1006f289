#include "FormDriver.h"

#include "app/CommandIds.h"
#include "sections/CEncryptView.h"
#include "sections/CQuickTextView.h"
#include "sections/ChannelData.h"
#include "sections/EncryptData.h"
#include "sections/EncryptRules.h"
#include "sections/ListMaintenance.h"
#include "sections/QuickTextData.h"

#include <QPushButton>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

constexpr int kEncrypt = 13;
constexpr int kQuickTexts = 18;

struct GridRig
{
    explicit GridRig(const QString &model = QString()) : rig(model)
    {
        EXPECT_TRUE(rig.start());
        QApplication::setActiveWindow(rig.frame());
    }
    CEditGrid *open(int code, int gridId)
    {
        rig.frame()->OnNavigate(code, 0);
        settle();
        return rig.control<CEditGrid>(code, gridId);
    }
    void click(int code, int id) const { QTest::mouseClick(rig.control<QPushButton>(code, id), Qt::LeftButton); }
    QByteArray image() const { return imageOf(rig.doc()); }

    GuiRig rig;
};

}

TEST(EncryptView, KeyEntryAndReferencesFollowingDelete)
{
    GridRig f;
    CEncryptRules rules(f.rig.doc());
    rules.add();
    rules.add();
    CListMaintenance(f.rig.doc()).addChannel(1);
    CListMaintenance(f.rig.doc()).addChannel(1);
    CChannelData channels(f.rig.doc());
    for (int c = 1; c <= 3; ++c)
        channels.SetEncrypt(1, c, c);
    CEditGrid *grid = f.open(kEncrypt, CEncryptView::Grid);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(columnTexts(grid, CEncryptView::KeyColumn), (QStringList{"39017264", "00000002", "00000003"}));

    typeIntoCell(grid, 1, CEncryptView::KeyColumn, QStringLiteral("12x3"));
    EXPECT_EQ(grid->cellText(1, 1), "00000123");
    typeIntoCell(grid, 1, CEncryptView::KeyColumn, QStringLiteral("00000000"));
    EXPECT_EQ(grid->cellText(1, 1), "39017264");
    // A short key of zeros is no key either.
    typeIntoCell(grid, 2, CEncryptView::KeyColumn, QStringLiteral("0"));
    EXPECT_EQ(CEncryptData(f.rig.doc()).GetKey(3), "39017264");
    typeIntoCell(grid, 2, CEncryptView::NameColumn, QStringLiteral("Encrypt 1"));
    EXPECT_EQ(f.rig.prompter.keys(), QStringList{"IDS_EXIST_NAME"});

    const QByteArray before = f.image();
    clickCell(grid, 1, CEncryptView::KeyColumn);
    QTest::keyClick(grid->activeEditor(), Qt::Key_Escape);
    f.click(kEncrypt, CEncryptView::Delete);
    EXPECT_EQ(columnTexts(grid, CEncryptView::NameColumn), (QStringList{"Encrypt 1", "Encrypt 3"}));
    EXPECT_EQ(channels.GetEncrypt(1, 3), 2);
    f.rig.frame()->undoStack().undo();
    EXPECT_EQ(f.image(), before);
    EXPECT_EQ(grid->rowCount(), 3);
}

TEST(QuickTextView, OfferedOnTwoModelsWithOneToTwentyFiveRows)
{
    GridRig plain;
    EXPECT_FALSE(plain.rig.frame()->action(Cmd::EditQuickText)->isEnabled());

    GridRig f(QStringLiteral("VK214"));
    f.rig.doc().image()[CQuickTextData::kCountOffset] = 0xFF;
    CEditGrid *grid = f.open(kQuickTexts, CQuickTextView::Grid);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), 1);
    // A text typed over an unset count is one the radio offers.
    typeIntoCell(grid, 0, 0, QStringLiteral("Twenty characters!!!"));
    EXPECT_EQ(grid->cellText(0, 0), "Twenty character");
    EXPECT_EQ(CQuickTextData(f.rig.doc()).GetCount(), 1);

    f.click(kQuickTexts, CQuickTextView::Add);
    typeIntoCell(grid, 1, 0, QStringLiteral("Two"));
    f.click(kQuickTexts, CQuickTextView::Add);
    typeIntoCell(grid, 2, 0, QStringLiteral("Three"));
    clickCell(grid, 1, 0);
    QTest::keyClick(grid->activeEditor(), Qt::Key_Escape);
    f.click(kQuickTexts, CQuickTextView::Delete);
    EXPECT_EQ(columnTexts(grid, 0), (QStringList{"Twenty character", "Three"}));
    EXPECT_EQ(CQuickTextData(f.rig.doc()).GetText(3), "");
    EXPECT_EQ(grid->currentRow(), 1);

    for (int n = 3; n <= 25; ++n)
        f.click(kQuickTexts, CQuickTextView::Add);
    EXPECT_EQ(grid->rowCount(), 25);
    EXPECT_FALSE(f.rig.control<QPushButton>(kQuickTexts, CQuickTextView::Add)->isEnabled());
    EXPECT_FALSE(f.rig.control<QPushButton>(kQuickTexts, CQuickTextView::Insert)->isEnabled());
}
