#include "widgets/CNumberEdit.h"
#include "widgets/EditLimit.h"

#include <QApplication>
#include <QClipboard>
#include <QWheelEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

CNumberEdit::Rule rule(int lo, int hi, int step, bool wrap, bool special = false, bool tenths = false)
{
    return {lo, hi, step, wrap, special, 0, QStringLiteral("Off"), tenths};
}

// A form with a numeric field and a second field to move the focus to.
struct EditForm
{
    EditForm()
    {
        auto *layout = new QVBoxLayout(&form);
        edit = new CNumberEdit(&form);
        other = new QLineEdit(&form);
        layout->addWidget(edit);
        layout->addWidget(other);
        form.setFocusPolicy(Qt::ClickFocus);
        form.show();
        QApplication::setActiveWindow(&form);
        edit->setFocus();
        QApplication::processEvents();
    }
    QString text() const { return edit->text(); }
    QWidget form;
    CNumberEdit *edit;
    QLineEdit *other;
};

}

TEST(NumberEditRule, StepsWrapsSnapsAndStaysInTheRange)
{
    const auto r = rule(5, 600, 5, true, true);
    EXPECT_EQ(CNumberEdit::stepValue(r, QStringLiteral("600"), 1), 0);   // past the top: the special value
    EXPECT_EQ(CNumberEdit::stepValue(r, QStringLiteral("Off"), 1), 5);   // special shown: wraps to the bottom
    EXPECT_EQ(CNumberEdit::stepValue(r, QStringLiteral("5"), -1), 0);
    EXPECT_EQ(CNumberEdit::stepValue(r, QStringLiteral("17"), 0), 15);   // commit snaps down to the raster
    EXPECT_EQ(CNumberEdit::stepValue(r, QStringLiteral("1000"), 0), 600);
    EXPECT_EQ(CNumberEdit::stepValue(r, QStringLiteral("2"), 0), 5);
    EXPECT_EQ(CNumberEdit::stepValue(r, QString(), 0), 0);               // cleared: the special value

    const auto r2 = rule(5, 50, 1, false);
    EXPECT_EQ(CNumberEdit::stepValue(r2, QStringLiteral("50"), 1), 50);
    EXPECT_EQ(CNumberEdit::stepValue(r2, QStringLiteral("0"), 1), 5);  // a typed value below the range steps into it
    EXPECT_EQ(CNumberEdit::stepValue(rule(5, 50, 1, true), QStringLiteral("50"), 1), 5);
    // A limit off the raster is still a value of its own, and neither a
    // commit nor a step goes below it.
    const auto offRaster = rule(7, 100, 10, true);
    EXPECT_EQ(CNumberEdit::stepValue(offRaster, QStringLiteral("8"), 0), 7);
    EXPECT_EQ(CNumberEdit::stepValue(offRaster, QStringLiteral("17"), -1), 7);
    EXPECT_EQ(CNumberEdit::stepValue(offRaster, QStringLiteral("7"), 1), 10);
    // Absurdly long input does not overflow.
    EXPECT_EQ(CNumberEdit::stepValue(r2, QStringLiteral("99999999999999999999999"), 0), 50);

    // Tenths read the typed units exactly.
    const auto t = rule(1, 255, 1, true, false, true);
    EXPECT_EQ(CNumberEdit::stepValue(t, QStringLiteral("2.3"), 0), 23);  // no binary rounding to 22
    EXPECT_EQ(CNumberEdit::stepValue(t, QStringLiteral("3"), -1), 29);
    EXPECT_EQ(CNumberEdit::stepValue(t, QStringLiteral("25.5"), 1), 1);  // 256 is past the top: wraps
    // A step of 5 tenths rounds the typed value to the nearest half unit.
    EXPECT_EQ(CNumberEdit::stepValue(rule(5, 50, 5, true, false, true), QStringLiteral("2.3"), 0), 25);
    // Committing holds the snapped value, not the typed one, against the top:
    // 25.7 is 259 tenths, snapped to 256, which is below 258.
    EXPECT_EQ(CNumberEdit::stepValue(rule(1, 258, 4, true, false, true), QStringLiteral("25.7"), 0), 256);
}

TEST(NumberEditWidget, ShowsValuesTenthsAndTheSpecialText)
{
    CNumberEdit edit;
    edit.Configure(5, 600, 3, 5, true);
    edit.SetSpecial(0, QStringLiteral("Continuous"));
    edit.Show(0, true);
    EXPECT_EQ(edit.text(), QStringLiteral("Continuous"));  // longer than the typing limit, still shown whole
    edit.Configure(1, 255, 4, 1, true);
    edit.ShowTenths(25, false);
    EXPECT_EQ(edit.text(), QStringLiteral("2.5"));
    EXPECT_EQ(edit.Step(1), 26);
    EXPECT_EQ(edit.text(), QStringLiteral("2.6"));
}

TEST(NumberEditWidget, TypedAndPastedTextPassTheModesFilter)
{
    EditForm f;
    f.edit->Configure(0, 999999, 6, 1, true);
    f.edit->Show(0, false);
    f.edit->setEditText(QString());
    QTest::keyClicks(f.edit, QStringLiteral("1a.2-x3"));
    EXPECT_EQ(f.text(), QStringLiteral("123"));
    f.edit->Show(12, false);
    QApplication::clipboard()->setText(QStringLiteral("3x-4.5"));
    QTest::keyClick(f.edit, Qt::Key_End);
    QTest::keySequence(f.edit, QKeySequence::Paste);
    EXPECT_EQ(f.text(), QStringLiteral("12345"));

    f.edit->ShowTenths(0, false);
    f.edit->setEditText(QString());
    QTest::keyClicks(f.edit, QStringLiteral("1.2.5"));
    EXPECT_EQ(f.text(), QStringLiteral("1.25"));  // a second point is dropped

    // One decimal point at most, wherever the pasted one lands.
    f.edit->Configure(0, 0, 10, 1, true);
    f.edit->ShowText(QStringLiteral("434.1"));
    QApplication::clipboard()->setText(QStringLiteral("2.5"));
    QTest::keyClick(f.edit, Qt::Key_End);
    QTest::keySequence(f.edit, QKeySequence::Paste);
    EXPECT_EQ(f.text(), QStringLiteral("434.125"));

    int cursor = 5;
    EXPECT_EQ(CNumberEdit::filterInsertion(QStringLiteral("12"), QStringLiteral("1a.b2"), CNumberEdit::CharMode::Hex,
                                           &cursor),
              QStringLiteral("1ab2"));
    EXPECT_EQ(cursor, 4);
}

TEST(NumberEditWidget, ATextFieldKeepsItsTextAndReportsItWhenLeft)
{
    EditForm f;
    f.edit->Configure(0, 0, 10, 1, true);
    f.edit->ShowText(QStringLiteral("434.12500"));
    QSignalSpy values(f.edit, &CNumberEdit::valueCommitted);
    QSignalSpy texts(f.edit, &CNumberEdit::textCommitted);
    f.edit->stepUp();
    EXPECT_EQ(f.text(), QStringLiteral("434.12500"));
    f.edit->selectAll();
    QTest::keyClicks(f.edit, QStringLiteral("999"));
    QTest::keyClick(f.edit, Qt::Key_Escape);  // hands the focus to the form
    QApplication::processEvents();
    EXPECT_TRUE(values.isEmpty());
    ASSERT_EQ(texts.size(), 1);
    EXPECT_EQ(texts.first().at(0).toString(), QStringLiteral("999"));
}

TEST(NumberEditWidget, CommitsOnEveryStepAndWhenTheFocusLeavesButNeverOnTheWheel)
{
    EditForm f;
    f.edit->Configure(5, 600, 3, 5, true);
    f.edit->SetSpecial(0, QStringLiteral("Off"));
    f.edit->Show(600, true);
    QSignalSpy committed(f.edit, &CNumberEdit::valueCommitted);

    QWheelEvent wheel(QPointF(5, 5), f.edit->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.edit, &wheel);
    EXPECT_EQ(f.text(), QStringLiteral("600"));
    EXPECT_TRUE(committed.isEmpty());

    f.edit->stepUp();
    ASSERT_EQ(committed.size(), 1);
    EXPECT_EQ(committed.takeFirst().at(0).toInt(), 0);
    EXPECT_EQ(f.text(), QStringLiteral("Off"));

    f.edit->setEditText(QString());
    QTest::keyClicks(f.edit, QStringLiteral("17"));
    f.other->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(committed.size(), 1);
    EXPECT_EQ(committed.takeFirst().at(0).toInt(), 15);
    EXPECT_EQ(f.text(), QStringLiteral("15"));

    // Enter hands the focus to the form, which commits as well.
    f.edit->setFocus();
    QApplication::processEvents();
    f.edit->setEditText(QStringLiteral("1000"));
    QTest::keyClick(f.edit, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(f.edit->hasFocus());
    ASSERT_EQ(committed.size(), 1);
    EXPECT_EQ(committed.takeFirst().at(0).toInt(), 600);
}

TEST(TextEditLimit, TypingStopsAtTheLimitButLongerShownTextsStay)
{
    QWidget form;
    auto *edit = new CTextEdit(&form);
    edit->setEditLimit(4);
    form.show();
    QApplication::setActiveWindow(&form);
    edit->setFocus();
    edit->setText(QStringLiteral("V01.19"));
    EXPECT_EQ(edit->text(), QStringLiteral("V01.19"));
    QTest::keyClicks(edit, QStringLiteral("9"));
    EXPECT_EQ(edit->text(), QStringLiteral("V01.19"));
    QTest::keyClick(edit, Qt::Key_Backspace);  // deleting is always allowed
    EXPECT_EQ(edit->text(), QStringLiteral("V01.1"));
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("012034"));
    EXPECT_EQ(edit->text(), QStringLiteral("0120"));
}
