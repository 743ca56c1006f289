#include "GuiRig.h"

#include "app/SectionTable.h"
#include "sections/CPcSoftwareView.h"

#include <gtest/gtest.h>

// Every visible input of every form a model offers is named for a screen
// reader, by its label in the current language, also in forms that were
// open while the language changed.
TEST(AccessibleNames, EveryInputOfEveryFormIsNamedInBothLanguages)
{
    for (const char *model : {"RQ381", "VK214", "TL809"}) {
        GuiRig rig(QString::fromLatin1(model));
        ASSERT_TRUE(rig.start());
        for (const char *language : {"english", "chinese"}) {
            rig.frame()->SwitchLanguage(QString::fromLatin1(language));
            for (int code = 1; code <= SectionTable::kSectionCount; ++code) {
                if (!SectionTable::hasForm(code) || !SectionTable::offeredForModel(code, QString::fromLatin1(model)))
                    continue;
                rig.frame()->OnNavigate(code, 0);
                settle();
                CSectionForm *form = rig.frame()->openForm(code);
                ASSERT_NE(form, nullptr) << model << " " << code;
                EXPECT_EQ(unnamedInputs(form), QStringList()) << model << " " << language << " " << code;
            }
        }
        EXPECT_EQ(accessibleNameOf(rig.control<QLineEdit>(1, CPcSoftwareView::SerialNumber)), QStringLiteral("序列号"));
    }
}
