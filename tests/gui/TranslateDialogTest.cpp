#include "TestSupport.h"

#include "app/TranslateDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

TEST(TranslateDialog, RelabelsControlsByIdAndKeepsBuiltInTextsForMissingKeys)
{
    TestConfig config;
    config.writeFile(QStringLiteral("test.lang"),
                     "[Resource]\n500=Caption\n10=Label text\n11=Check text\n12=Typed data\n");
    Language language(QDir(config.dir()).filePath(QStringLiteral("test.lang")));

    QWidget dialog;
    dialog.setWindowTitle(QStringLiteral("Template"));
    auto *label = new QLabel(QStringLiteral("标签"), &dialog);
    auto *check = new QCheckBox(QStringLiteral("选择"), &dialog);
    auto *edit = new QLineEdit(QStringLiteral("1234"), &dialog);
    auto *keep = new QLabel(QStringLiteral("保留"), &dialog);
    setCtrlId(label, 10);
    setCtrlId(check, 11);
    setCtrlId(edit, 12);
    setCtrlId(keep, 13);

    TranslateDialog(&dialog, 500, language);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Caption"));
    EXPECT_EQ(label->text(), QStringLiteral("Label text"));
    EXPECT_EQ(check->text(), QStringLiteral("Check text"));
    EXPECT_EQ(edit->text(), QStringLiteral("1234"));  // data is not a label
    EXPECT_EQ(keep->text(), QStringLiteral("保留"));
    EXPECT_EQ(findCtrl<QLineEdit>(&dialog, 12), edit);
    EXPECT_EQ(ctrlId(&dialog), -1);

    // The caption follows the file even when it has no text for it.
    TranslateDialog(&dialog, 501, language);
    EXPECT_EQ(dialog.windowTitle(), QString());
}
