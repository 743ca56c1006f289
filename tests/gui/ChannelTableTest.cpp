#include "FormDriver.h"

#include "app/CommandIds.h"
#include "app/CodeplugEditor.h"
#include "sections/AnalogEmergencyData.h"
#include "sections/CChannelView.h"
#include "sections/ChannelEditSelectedDialog.h"
#include "sections/ChannelData.h"
#include "sections/ChannelTableModel.h"
#include "sections/ChannelTableView.h"
#include "sections/EmergencyData.h"
#include "sections/ListMaintenance.h"
#include "sections/ScanData.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QMimeData>
#include <QSortFilterProxyModel>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

constexpr int kChannels = 6;
constexpr int kDigital = 3;

// A codeplug of three full zones (48 channels) with the table open.
struct TableRig
{
    explicit TableRig(const QString &language = QStringLiteral("english")) : rig(QStringLiteral("VK214"), language)
    {
        started = rig.start();
        CListMaintenance lists(rig.doc());
        while (lists.zoneCount() < 3 && lists.canAddZone())
            lists.addZone();
        for (int zone = 1; zone <= 3; ++zone) {
            while (lists.canAddChannel(zone))
                lists.addChannel(zone);
        }
        // Every channel in the first mixed mode: analog and digital cells open.
        const Fields::Field *mode = Fields::findField(*Fields::recordSchema(QStringLiteral("zones.channels")), QStringLiteral("mode"));
        for (int zone = 1; zone <= 3; ++zone) {
            for (int channel = 1; channel <= lists.channelCount(zone); ++channel)
                Fields::setNumber(*mode, rig.doc(), {zone, channel}, 0);
        }
        rig.frame()->action(Cmd::ViewChannelTable)->trigger();
        settle();
        QApplication::setActiveWindow(rig.frame());
    }
    ChannelTableView *view() const
    {
        CChildFrame *frame = rig.frame()->channelTableFrame();
        return frame ? qobject_cast<ChannelTableView *>(frame->form()) : nullptr;
    }
    ChannelTableModel *model() const { return view()->model(); }
    ChannelTable *table() const { return view()->table(); }
    int column(const char *key) const { return model()->columnOf(QLatin1String(key)); }
    QModelIndex cell(int row, const char *key) const { return model()->index(row, column(key)); }
    // The same cell as the table shows it (through its sort and filter).
    QModelIndex shown(int row, const char *key) const { return view()->proxy()->mapFromSource(cell(row, key)); }
    ChannelRef channel(int row) const { return model()->channelAt(row); }
    // Selects the rows [first, first + count) and makes `key` the current column.
    void selectRows(int first, int count, const char *key) const
    {
        QItemSelection selection;
        for (int row = first; row < first + count; ++row)
            selection.select(shown(row, "name").siblingAtColumn(0), shown(row, "name").siblingAtColumn(model()->columnCount() - 1));
        table()->setCurrentIndex(shown(first, key));
        table()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    void setMode(int row, int mode) const
    {
        ASSERT_TRUE(model()->setData(cell(row, "mode"), mode));
    }
    QUndoStack &stack() const { return rig.frame()->undoStack(); }
    QString undoText() const { return rig.app->editor().undoText(rig.doc().settings().language()); }
    QString name(int row) const { return CChannelData(rig.doc()).GetChannelName(channel(row).zone, channel(row).channel); }
    // Presses a key on the table as the user does.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        table()->setFocus();
        // With the key's text given, keys without one (Insert, Delete) go too.
        QTest::sendKeyEvent(QTest::Click, table(), Qt::Key(key), QString(), modifiers);
        settle();
    }

    GuiRig rig;
    bool started = false;
};

}

TEST(ChannelTable, OpensFromTheViewMenuWithOneRowPerChannelAndTheFormsLabels)
{
    TableRig t;
    ASSERT_TRUE(t.started);
    ASSERT_NE(t.view(), nullptr);
    EXPECT_EQ(t.model()->rowCount(), 48);
    EXPECT_EQ(t.channel(17).zone, 2);
    EXPECT_EQ(t.channel(17).channel, 2);
    EXPECT_EQ(t.model()->headerData(ChannelTableModel::ZoneColumn, Qt::Horizontal).toString(), QStringLiteral("Zone Name"));
    EXPECT_EQ(t.model()->headerData(t.column("power"), Qt::Horizontal).toString(), QStringLiteral("Power"));
    // The form does not offer the decode sequence; neither does the table.
    EXPECT_EQ(t.column("decode_sequence"), -1);
    EXPECT_LT(t.column("name"), t.column("rx_frequency"));
    EXPECT_LT(t.column("rx_tone"), t.column("polite_mode"));
    EXPECT_FALSE(t.table()->accessibleName().isEmpty());
    // Keys go to the table, not to the filter above it.
    EXPECT_EQ(QApplication::focusWidget(), t.table());
    // A second View > Channel Table brings the same window forward.
    CChildFrame *first = t.rig.frame()->channelTableFrame();
    t.rig.frame()->action(Cmd::ViewChannelTable)->trigger();
    EXPECT_EQ(t.rig.frame()->channelTableFrame(), first);
    // A new codeplug: the table shows its channels, as the forms do.
    t.rig.app->OnFileNew();
    settle();
    CChannelData data(t.rig.doc());
    int channels = 0;
    for (int zone = 1; zone <= data.CountZones(); ++zone)
        channels += data.CountChannels(zone);
    EXPECT_NE(channels, 48);
    EXPECT_EQ(t.model()->rowCount(), channels);
}

TEST(ChannelTable, CtrlEnterOnACellOutsideAnEditorSpreadsThatCellsValue)
{
    TableRig t;
    ASSERT_TRUE(t.started);
    ASSERT_TRUE(t.model()->setData(t.cell(0, "beat_shift"), Qt::Checked, Qt::CheckStateRole));
    t.selectRows(0, 20, "beat_shift");
    t.table()->setFocus();
    QTest::keyClick(t.table(), Qt::Key_Enter, Qt::ControlModifier);
    CChannelData data(t.rig.doc());
    EXPECT_TRUE(data.GetBeatShift(2, 4));
    EXPECT_FALSE(data.GetBeatShift(2, 5));
    EXPECT_TRUE(t.rig.app->editor().undoText(t.rig.doc().settings().language()).contains(QStringLiteral("on 20 channels")));
}

TEST(ChannelTable, EnterStoresAndGoesDownTabGoesRightAsInASpreadsheet)
{
    TableRig t;
    ASSERT_TRUE(t.started);
    t.table()->setCurrentIndex(t.shown(0, "name"));
    t.press(Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Typed"));
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    EXPECT_EQ(t.name(0), QStringLiteral("Typed"));
    EXPECT_EQ(t.table()->currentIndex(), t.shown(1, "name"));
    t.press(Qt::Key_Return);  // outside an editor: down again
    EXPECT_EQ(t.table()->currentIndex(), t.shown(2, "name"));

    t.press(Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    settle();
    EXPECT_EQ(t.table()->currentIndex().row(), t.shown(2, "name").row());
    EXPECT_GT(t.table()->currentIndex().column(), t.shown(2, "name").column());
}

TEST(ChannelTable, HeadersAndUndoNamesFollowTheLanguage)
{
    TableRig t(QStringLiteral("chinese"));
    ASSERT_TRUE(t.started);
    EXPECT_EQ(t.model()->headerData(t.column("power"), Qt::Horizontal).toString(), QStringLiteral("功率"));
    t.selectRows(0, 4, "power");
    t.view()->applyToSelectedRows(0);
    const QString undo = t.rig.app->editor().undoText(t.rig.doc().settings().language());
    EXPECT_TRUE(undo.contains(QStringLiteral("设置4个信道的功率"))) << undo.toStdString();
}

TEST(ChannelTable, CellStoresGoThroughTheFieldRulesAsOneStepEach)
{
    TableRig t;
    ASSERT_TRUE(t.started);
    t.rig.prompter.prompts.clear();
    CChannelData data(t.rig.doc());
    const int before = t.stack().count();

    // A list cell shows the form's entry and stores its position.
    ASSERT_TRUE(t.model()->setData(t.cell(3, "power"), 0));
    EXPECT_EQ(data.GetPower(1, 4), 0);
    EXPECT_EQ(t.cell(3, "power").data().toString(), QStringLiteral("Low"));
    EXPECT_EQ(t.stack().count(), before + 1);
    EXPECT_TRUE(t.rig.app->editor().undoText(t.rig.doc().settings().language()).contains(QStringLiteral("Power")));

    // A refused text keeps the old value and tells the field's message.
    const QString rx = data.GetFrequency(1, 4, CChannelData::Direction::Receive);
    const QByteArray image = imageOf(t.rig.doc());
    EXPECT_FALSE(t.model()->setData(t.cell(3, "rx_frequency"), QStringLiteral("abc")));
    EXPECT_EQ(imageOf(t.rig.doc()), image);
    EXPECT_EQ(t.rig.prompter.keys(), QStringList{QStringLiteral("IDS_FIELD_FREQUENCY")});
    EXPECT_EQ(t.stack().count(), before + 1);

    // A value past the band is corrected to the band's edge and kept.
    ASSERT_TRUE(t.model()->setData(t.cell(3, "rx_frequency"), QStringLiteral("999")));
    EXPECT_NE(data.GetFrequency(1, 4, CChannelData::Direction::Receive), rx);
    EXPECT_EQ(t.cell(3, "rx_frequency").data().toString(), data.GetFrequency(1, 4, CChannelData::Direction::Receive));

    // A digital channel's analog cells cannot be edited, and a store into
    // one is refused without touching the image.
    t.setMode(5, kDigital);
    EXPECT_FALSE(t.model()->flags(t.cell(5, "bcl_mode")) & Qt::ItemIsEditable);
    EXPECT_TRUE(t.model()->flags(t.cell(5, "contact")) & Qt::ItemIsEditable);
    EXPECT_TRUE(t.model()->flags(t.cell(4, "bcl_mode")) & Qt::ItemIsEditable);
    const QByteArray digital = imageOf(t.rig.doc());
    EXPECT_FALSE(t.model()->setData(t.cell(5, "bcl_mode"), 0));
    EXPECT_EQ(imageOf(t.rig.doc()), digital);
    EXPECT_EQ(t.rig.prompter.keys().last(), QStringLiteral("IDS_TABLE_MODE_UNUSED"));

    // A channel that broke its mode's rules is mended by the step that
    // changes it, as the form mends a channel it shows; undo takes both back.
    data.SetTone(1, 7, CChannelData::Direction::Receive, QString());  // a mixed mode needs a tone
    const QByteArray broken = imageOf(t.rig.doc());
    ASSERT_TRUE(t.model()->setData(t.cell(6, "power"), 0));
    EXPECT_EQ(data.GetTone(1, 7, CChannelData::Direction::Receive), QStringLiteral("67.0"));
    EXPECT_EQ(data.GetPower(1, 7), 0);
    t.stack().undo();
    EXPECT_EQ(imageOf(t.rig.doc()), broken);

    // The bandwidth follows the mode: never edited, shown as stored.
    EXPECT_FALSE(t.model()->flags(t.cell(4, "bandwidth")) & Qt::ItemIsEditable);
    data.SetBandwidth(1, 5, 0);
    EXPECT_EQ(t.cell(4, "bandwidth").data().toString(), t.model()->data(t.cell(4, "bandwidth"), ChannelTableModel::EntriesRole).toStringList().value(0));
}

TEST(ChannelTable, CtrlEnterSetsFortyChannelsAsOneStepListingThoseThatRefuse)
{
    TableRig t;
    ASSERT_TRUE(t.started);
    for (int row : {2, 17, 30})
        t.setMode(row, kDigital);
    CChannelData data(t.rig.doc());
    const int old = data.GetBclMode(1, 1);
    const int wanted = (old + 1) % 3;
    const auto before = imageCopy(t.rig);
    const int steps = t.stack().count();
    t.rig.prompter.prompts.clear();

    // Select rows 0..39, edit the BCL cell of the first and press Ctrl+Enter.
    t.selectRows(0, 40, "bcl_mode");
    t.table()->edit(t.shown(0, "bcl_mode"));
    auto *box = qobject_cast<QComboBox *>(t.table()->indexWidget(t.shown(0, "bcl_mode")));
    ASSERT_NE(box, nullptr);
    box->setCurrentIndex(wanted);
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    settle();

    EXPECT_EQ(t.stack().count(), steps + 1);
    for (int row = 0; row < 48; ++row) {
        const ChannelRef ref = t.channel(row);
        const bool refused = row == 2 || row == 17 || row == 30;
        const int expected = row < 40 && !refused ? wanted : old;
        EXPECT_EQ(data.GetBclMode(ref.zone, ref.channel), expected) << "row " << row;
    }
    // One message lists the three channels that kept their value.
    ASSERT_EQ(t.rig.prompter.prompts.size(), 1);
    const QString message = t.rig.prompter.prompts[0].literalText;
    EXPECT_TRUE(message.startsWith(QStringLiteral("3 channels kept their value:"))) << message.toStdString();
    EXPECT_EQ(message.count(QLatin1Char('\n')), 3);
    EXPECT_TRUE(t.rig.app->editor().undoText(t.rig.doc().settings().language())
                    .contains(QStringLiteral("Set Busy Channel Lockout on 37 channels")));

    // Undo restores every byte; redo brings the 37 back; the table follows both.
    t.rig.frame()->Undo();
    settle();
    EXPECT_TRUE(*before == t.rig.doc().currentImage());
    EXPECT_EQ(t.cell(0, "bcl_mode").data(Qt::EditRole).toInt(), old);
    t.rig.frame()->Redo();
    settle();
    EXPECT_EQ(t.cell(0, "bcl_mode").data(Qt::EditRole).toInt(), wanted);
    t.rig.frame()->Undo();
    EXPECT_TRUE(*before == t.rig.doc().currentImage());
}

TEST(ChannelTable, ABulkModeChangeBringsEachChannelItsCompulsoryTones)
{
    TableRig t;
    ASSERT_TRUE(t.started);
    // Analog first, so every tone may be none; then the mixed mode needs one.
    t.selectRows(0, 4, "mode");
    t.view()->applyToSelectedRows(2);
    const auto result = t.model()->setOnRows({0, 1, 2, 3}, t.column("rx_tone"), QStringLiteral("None"));
    EXPECT_EQ(result.taken, 4);
    EXPECT_EQ(t.cell(1, "rx_tone").data().toString(), QStringLiteral("None"));
    t.view()->applyToSelectedRows(0);
    CChannelData data(t.rig.doc());
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(data.GetChannelMode(1, row + 1), 0);
        EXPECT_NE(t.cell(row, "rx_tone").data().toString(), QStringLiteral("None")) << row;
    }
}

TEST(ChannelTable, TheTableAndTheChannelFormShowTheSameBytesAfterEachStep)
{
    TableRig t;
    ASSERT_TRUE(t.started);
    t.rig.frame()->OnNavigate(kChannels, 0);
    settle();
    auto *form = qobject_cast<CChannelView *>(t.rig.frame()->openForm(kChannels));
    ASSERT_NE(form, nullptr);
    auto *power = findCtrl<QComboBox>(form, CChannelView::Power);
    auto *name = findCtrl<QLineEdit>(form, CChannelView::ChannelName);

    // A step in the table shows in the open form.
    t.selectRows(0, 3, "power");
    t.view()->applyToSelectedRows(0);
    EXPECT_EQ(power->currentIndex(), 0);
    ASSERT_TRUE(t.model()->setData(t.cell(0, "name"), QStringLiteral("Base")));
    EXPECT_EQ(name->text(), QStringLiteral("Base"));

    // A step in the form shows in the table.
    choose(power, 2);
    settle();
    EXPECT_EQ(t.cell(0, "power").data(Qt::EditRole).toInt(), 2);

    // Undo refreshes both.
    t.rig.frame()->Undo();
    settle();
    EXPECT_EQ(power->currentIndex(), 0);
    EXPECT_EQ(t.cell(0, "power").data(Qt::EditRole).toInt(), 0);
}

TEST(ChannelTable, CtrlCCopiesTheSelectedCellsAsTabSeparatedValueTexts)
{
    TableRig t;
    ASSERT_TRUE(t.started);
    ASSERT_TRUE(t.model()->setData(t.cell(16, "name"), QStringLiteral("Gate")));
    ASSERT_TRUE(t.model()->setData(t.cell(16, "power"), 0));
    ASSERT_TRUE(t.model()->setData(t.cell(17, "auto_scan"), Qt::Checked, Qt::CheckStateRole));

    auto *selection = t.table()->selectionModel();
    selection->clear();
    for (int row : {16, 17}) {
        for (const char *key : {"name", "power", "auto_scan"})
            selection->select(t.shown(row, key), QItemSelectionModel::Select);
    }
    t.table()->setFocus();
    QTest::keyClick(t.table(), Qt::Key_C, Qt::ControlModifier);

    CChannelData data(t.rig.doc());
    const QString expected = QStringLiteral("name\tpower\tauto_scan\n"
                                            "Gate\tlow\tfalse\n"
                                            "%1\t%2\ttrue\n")
                                 .arg(data.GetChannelName(2, 2), data.GetPower(2, 2) == 2 ? QStringLiteral("high")
                                                                 : data.GetPower(2, 2) == 1 ? QStringLiteral("middle")
                                                                                             : QStringLiteral("low"));
    EXPECT_EQ(QApplication::clipboard()->text(), expected);
    // Ctrl+C in the table copies; it does not switch the language.
    EXPECT_TRUE(t.rig.doc().settings().language().path().contains(QStringLiteral("english")));
}

TEST(ChannelTable, CtrlVPastesASpreadsheetBlockAsOneStepAndAsksBeforeGoingPastTheSelection)
{
    TableRig t;
    ASSERT_TRUE(t.started);
    const auto before = imageCopy(t.rig);
    // Ten rows of five columns as a spreadsheet copies them: no header, a
    // line break at the end, a capitalised choice and an impossible colour
    // code in the last row.
    QString block;
    for (int row = 0; row < 10; ++row) {
        block += QStringLiteral("%1\tlow\tdirect\t%2\t%3\r\n")
                     .arg(QStringLiteral("Gate %1").arg(row), row % 2 ? QStringLiteral("TRUE") : QStringLiteral("false"))
                     .arg(row == 9 ? 99 : row);
    }
    // A header row of field keys sends each column to its field.
    QStringList keys{QStringLiteral("name"), QStringLiteral("power"), QStringLiteral("channel_type"), QStringLiteral("auto_scan"),
                     QStringLiteral("tx_colour_code")};
    QApplication::clipboard()->setText(keys.join(u'\t') + QLatin1Char('\n') + block);

    // Four rows selected, ten copied: the answer No fills only the four.
    t.selectRows(4, 4, "name");
    t.rig.prompter.answers = {PromptAnswer::No};
    t.table()->setFocus();
    QTest::keyClick(t.table(), Qt::Key_V, Qt::ControlModifier);
    CChannelData data(t.rig.doc());
    EXPECT_EQ(data.GetChannelName(1, 5), QStringLiteral("Gate 0"));
    EXPECT_EQ(data.GetChannelName(1, 8), QStringLiteral("Gate 3"));
    EXPECT_NE(data.GetChannelName(1, 9), QStringLiteral("Gate 4"));
    EXPECT_EQ(t.stack().count(), 1);
    EXPECT_TRUE(undoAllRestores(t.rig, *before));

    // The answer Yes fills all ten; the impossible colour code is listed
    // and keeps its value, every other cell takes its own, in one step.
    settle();
    t.rig.prompter.prompts.clear();
    t.rig.prompter.answers = {PromptAnswer::Yes};
    t.selectRows(4, 4, "name");
    t.table()->setFocus();
    QTest::keyClick(t.table(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(t.stack().count(), 1);
    EXPECT_EQ(t.rig.app->editor().undoText(t.rig.doc().settings().language()), QStringLiteral("&Undo Paste 49 Cells"));
    for (int row = 0; row < 10; ++row) {
        const ChannelRef ref = t.channel(4 + row);
        EXPECT_EQ(data.GetChannelName(ref.zone, ref.channel), QStringLiteral("Gate %1").arg(row)) << row;
        EXPECT_EQ(data.GetPower(ref.zone, ref.channel), 0) << row;
        EXPECT_EQ(data.GetChannelType(ref.zone, ref.channel), 0) << row;
        EXPECT_EQ(data.GetAutoScan(ref.zone, ref.channel), row % 2 == 1) << row;
        if (row < 9) {
            EXPECT_EQ(data.GetTxColourCode(ref.zone, ref.channel), row) << row;
        }
    }
    ASSERT_EQ(t.rig.prompter.prompts.size(), 2);  // the question, then the refusal
    EXPECT_TRUE(t.rig.prompter.prompts[1].literalText.contains(QStringLiteral("tx_colour_code"))) << t.rig.prompter.prompts[1].literalText.toStdString();
    EXPECT_TRUE(undoAllRestores(t.rig, *before));

    // The table's own copy pastes back to the same bytes.
    settle();
    t.selectRows(4, 10, "name");
    const QString copied = t.view()->copySelection();
    const auto copiedImage = imageCopy(t.rig);
    t.selectRows(20, 1, "name");
    t.view()->paste(copied);
    t.rig.frame()->Undo();
    EXPECT_TRUE(t.rig.doc().currentImage() == *copiedImage);
}

namespace {
int scanMembersAt(int list) { return 0x4638 + 88 * list + 24; }
constexpr int kDigitalReply = 0x4C14;
constexpr int kAnalogReply = 0x7144;
}

TEST(ChannelTable, DraggedRowsMoveWithinTheirZoneAndEveryReferenceFollows)
{
    TableRig t;
    ASSERT_TRUE(t.started);
    CScanData(t.rig.doc()).SetMembers(1, {{1, 2}, {1, 5}, {2, 3}});
    CScanData(t.rig.doc()).SetPriorityChannel1(1, {1, 2});
    CEmergencyData digital(t.rig.doc());
    digital.SetReplyChannelRef({1, 5});
    digital.SetReplyChannelSet(true);
    CAnalogEmergencyData(t.rig.doc()).SetReplyChannelRef({1, 2});
    ASSERT_TRUE(t.model()->setData(t.cell(1, "name"), QStringLiteral("Mover")));
    t.rig.frame()->OnNavigate(kChannels, 0);
    settle();
    auto *form = qobject_cast<CChannelView *>(t.rig.frame()->openForm(kChannels));
    ASSERT_NE(form, nullptr);
    const auto before = imageCopy(t.rig);
    const int steps = t.stack().count();

    // Row 1 (zone 1, channel 2) dropped in the gap after row 4, as the
    // table's drop handler hands it on (a drop that no drag of the table
    // started is ignored by the view, so the test hands it on itself).
    t.selectRows(1, 1, "name");
    std::unique_ptr<QMimeData> drag(t.view()->proxy()->mimeData({t.shown(1, "name")}));
    ASSERT_TRUE(t.view()->proxy()->canDropMimeData(drag.get(), Qt::MoveAction, 5, 0, {}));
    ASSERT_TRUE(t.view()->proxy()->dropMimeData(drag.get(), Qt::MoveAction, 5, 0, {}));
    settle();
    EXPECT_EQ(t.name(4), QStringLiteral("Mover"));
    EXPECT_EQ(bytesAt(t.rig.doc().image(), scanMembersAt(1), 6), QStringLiteral("01 05 01 04 02 03"));
    EXPECT_EQ(CScanData(t.rig.doc()).GetPriorityChannel1(1), (ChannelRef{1, 5}));
    EXPECT_EQ(bytesAt(t.rig.doc().image(), kDigitalReply, 2) + " " + bytesAt(t.rig.doc().image(), kAnalogReply, 2),
              QStringLiteral("01 04 01 05"));
    EXPECT_TRUE(digital.GetReplyChannelSet());
    EXPECT_EQ(t.stack().count(), steps + 1);
    EXPECT_EQ(t.undoText(), QStringLiteral("&Undo Move Channel"));
    // The selection follows the row; the tree and the open form show the new order.
    EXPECT_EQ(t.view()->selectedRows(), QList<int>{4});
    EXPECT_EQ(t.rig.frame()->treeBar()->itemFor(TreeNode::channelNode(1, 5))->text(0), QStringLiteral("Mover"));
    form->ShowRecord(CChannelData::RecordIndexOf(1, 5));
    EXPECT_EQ(findCtrl<QLineEdit>(form, CChannelView::ChannelName)->text(), QStringLiteral("Mover"));

    // Across zones the drop is not offered, and refused if it comes.
    const auto moved = imageCopy(t.rig);
    EXPECT_FALSE(t.view()->proxy()->canDropMimeData(drag.get(), Qt::MoveAction, 20, 0, {}));
    t.rig.prompter.prompts.clear();
    EXPECT_FALSE(t.model()->moveRowsTo({4}, 20).changed);
    EXPECT_EQ(t.rig.prompter.keys(), QStringList{QStringLiteral("IDS_TABLE_MOVE_ACROSS_ZONES")});
    EXPECT_TRUE(*moved == t.rig.doc().currentImage());

    // Ctrl+Up and Ctrl+Down move the selected row one place, one step each.
    t.press(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(t.name(3), QStringLiteral("Mover"));
    EXPECT_EQ(bytesAt(t.rig.doc().image(), kAnalogReply, 2), QStringLiteral("01 04"));
    t.press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(t.name(4), QStringLiteral("Mover"));
    EXPECT_EQ(t.stack().count(), steps + 3);

    // Undo takes every move back to the exact bytes.
    for (int i = 0; i < 3; ++i)
        t.rig.frame()->Undo();
    settle();
    EXPECT_TRUE(*before == t.rig.doc().currentImage());
    EXPECT_EQ(t.cell(1, "name").data().toString(), QStringLiteral("Mover"));
}

TEST(ChannelTable, InsertAndDeleteRowsRunTheListMaintenanceAndKeepEveryZone)
{
    TableRig t;
    ASSERT_TRUE(t.started);
    const auto before = imageCopy(t.rig);
    t.rig.prompter.prompts.clear();

    // A full zone takes no new channel.
    t.selectRows(3, 1, "name");
    t.press(Qt::Key_Insert);
    EXPECT_EQ(t.rig.prompter.keys(), QStringList{QStringLiteral("IDS_TABLE_ZONE_FULL")});
    EXPECT_TRUE(*before == t.rig.doc().currentImage());

    // Delete takes whole rows only; then channel 4 goes, 5.. move up.
    const QString fifth = t.name(4);
    t.table()->setCurrentIndex(t.shown(3, "power"));
    t.press(Qt::Key_Delete);
    EXPECT_EQ(t.model()->rowCount(), 48);
    t.press(Qt::Key_Space, Qt::ShiftModifier);
    t.press(Qt::Key_Delete);
    EXPECT_EQ(t.model()->rowCount(), 47);
    EXPECT_EQ(t.name(3), fifth);
    EXPECT_EQ(t.undoText(), QStringLiteral("&Undo Delete Channel"));

    // Insert puts a new channel at the current row's place and selects it.
    t.press(Qt::Key_Insert);
    EXPECT_EQ(t.model()->rowCount(), 48);
    EXPECT_EQ(t.name(3), QStringLiteral("Channel 4"));
    EXPECT_EQ(t.name(4), fifth);
    EXPECT_EQ(t.view()->selectedRows(), QList<int>{3});
    EXPECT_EQ(t.undoText(), QStringLiteral("&Undo Insert Channel"));

    // Deleting every channel of a zone is refused as a whole.
    const auto kept = imageCopy(t.rig);
    t.rig.prompter.prompts.clear();
    t.selectRows(32, 16, "name");
    t.press(Qt::Key_Delete);
    EXPECT_EQ(t.rig.prompter.keys(), QStringList{QStringLiteral("IDS_TABLE_ONLY_CHANNEL")});
    EXPECT_TRUE(*kept == t.rig.doc().currentImage());
    EXPECT_EQ(t.model()->rowCount(), 48);

    EXPECT_TRUE(undoAllRestores(t.rig, *before));
    settle();
    EXPECT_EQ(t.model()->rowCount(), 48);
}

TEST(ChannelTable, EditSelectedSetsTheTickedFieldsOnFortyChannelsAsOneStep)
{
    TableRig t;
    ASSERT_TRUE(t.started);
    for (int row : {2, 17, 30})
        t.setMode(row, kDigital);
    CChannelData data(t.rig.doc());
    const int bcl = (data.GetBclMode(1, 1) + 1) % 3;
    const auto before = imageCopy(t.rig);
    const int steps = t.stack().count();
    t.rig.prompter.prompts.clear();

    t.selectRows(0, 40, "name");
    std::unique_ptr<ChannelEditSelectedDialog> dialog(t.view()->makeEditDialog());
    EXPECT_EQ(unnamedInputs(dialog.get()), QStringList());
    // Changing an editor ticks its field; untouched fields stay unticked.
    qobject_cast<QComboBox *>(dialog->editorFor(t.column("power")))->setCurrentIndex(0);
    qobject_cast<QComboBox *>(dialog->editorFor(t.column("bcl_mode")))->setCurrentIndex(bcl);
    qobject_cast<QCheckBox *>(dialog->editorFor(t.column("auto_scan")))->setChecked(true);
    EXPECT_TRUE(dialog->tickFor(t.column("power"))->isChecked());
    EXPECT_FALSE(dialog->tickFor(t.column("rx_frequency"))->isChecked());
    EXPECT_EQ(dialog->tickFor(t.column("name")), nullptr);  // one name cannot go to 40 channels
    EXPECT_EQ(dialog->values().size(), 3);
    t.view()->applyEdits(*dialog);

    EXPECT_EQ(t.stack().count(), steps + 1);
    EXPECT_EQ(t.undoText(), QStringLiteral("&Undo Set 3 fields on 40 channels"));
    for (int row = 0; row < 48; ++row) {
        const ChannelRef ref = t.channel(row);
        const bool digitalRow = row == 2 || row == 17 || row == 30;
        EXPECT_EQ(data.GetPower(ref.zone, ref.channel), row < 40 ? 0 : 2) << row;
        EXPECT_EQ(data.GetAutoScan(ref.zone, ref.channel), row < 40) << row;
        EXPECT_EQ(data.GetBclMode(ref.zone, ref.channel) == bcl, row < 40 && !digitalRow) << row;
    }
    // The three digital channels' BCL refusals in one message.
    ASSERT_EQ(t.rig.prompter.prompts.size(), 1);
    const QString message = t.rig.prompter.prompts[0].literalText;
    EXPECT_TRUE(message.startsWith(QStringLiteral("3 values were not taken:"))) << message.toStdString();
    EXPECT_EQ(message.count(QStringLiteral("Busy Channel Lockout")), 3);

    t.rig.frame()->Undo();
    EXPECT_TRUE(*before == t.rig.doc().currentImage());
}

TEST(ChannelTable, SortingAndFilteringReorderTheViewOnlyAndEditsFindTheirChannels)
{
    TableRig t;
    ASSERT_TRUE(t.started);
    for (int row : {5, 20, 33})
        ASSERT_TRUE(t.model()->setData(t.cell(row, "power"), 0));
    const auto before = imageCopy(t.rig);
    const int steps = t.stack().count();

    // A click on the power header: the three low-power channels come first.
    t.table()->horizontalHeader()->setSortIndicator(t.column("power"), Qt::AscendingOrder);
    EXPECT_TRUE(t.view()->isReordered());
    EXPECT_EQ((QList<int>{t.view()->sourceRow(0), t.view()->sourceRow(1), t.view()->sourceRow(2)}), (QList<int>{5, 20, 33}));
    EXPECT_TRUE(*before == t.rig.doc().currentImage());

    // Ctrl+Enter on the first three rows shown reaches those channels only.
    auto *selection = t.table()->selectionModel();
    const int beat = t.column("beat_shift");
    t.table()->setCurrentIndex(t.view()->proxy()->index(0, beat));
    selection->select(QItemSelection(t.view()->proxy()->index(0, beat), t.view()->proxy()->index(2, beat)),
                      QItemSelectionModel::ClearAndSelect);
    t.view()->applyToSelectedRows(true);
    CChannelData data(t.rig.doc());
    for (int row = 0; row < 48; ++row)
        EXPECT_EQ(data.GetBeatShift(t.channel(row).zone, t.channel(row).channel), row == 5 || row == 20 || row == 33) << row;

    // Rows do not move while sorted: the move is refused with its reason
    // and nothing can be dragged.
    t.rig.prompter.prompts.clear();
    const auto sorted = imageCopy(t.rig);
    t.press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(t.rig.prompter.keys(), QStringList{QStringLiteral("IDS_TABLE_MOVE_SORTED")});
    EXPECT_TRUE(*sorted == t.rig.doc().currentImage());
    EXPECT_FALSE(t.table()->dragEnabled());

    // Tones sort by their frequency, the DCS codes after them.
    ASSERT_TRUE(t.model()->setData(t.cell(0, "rx_tone"), QStringLiteral("100.0")));
    ASSERT_TRUE(t.model()->setData(t.cell(2, "rx_tone"), QStringLiteral("D023N")));
    t.table()->horizontalHeader()->setSortIndicator(t.column("rx_tone"), Qt::AscendingOrder);
    EXPECT_EQ((QList<int>{t.view()->sourceRow(45), t.view()->sourceRow(46), t.view()->sourceRow(47)}), (QList<int>{47, 0, 2}));

    // The filter line hides rows; back in codeplug order rows move again.
    t.view()->command(ChannelTableView::Command::CodeplugOrder)->trigger();
    t.view()->filterEdit()->setText(QStringLiteral("Zone 2"));
    EXPECT_EQ(t.view()->proxy()->rowCount(), 16);
    EXPECT_EQ(t.view()->sourceRow(0), 16);
    EXPECT_FALSE(t.table()->dragEnabled());
    t.view()->filterEdit()->clear();
    EXPECT_FALSE(t.view()->isReordered());
    EXPECT_TRUE(t.table()->dragEnabled());
    EXPECT_EQ(t.stack().count(), steps + 3);
    EXPECT_EQ(unnamedInputs(t.view()), QStringList());
}
