#include "app/AppSettings.h"
#include "app/HexConvert.h"
#include "app/IniFile.h"
#include "app/Language.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &content)
    {
        const QString path = QDir(dir.path()).filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(content);
        return path;
    }
    QByteArray read(const QString &path)
    {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    QTemporaryDir dir;
};

TEST_F(IniFileTest, NamesCompareCaseInsensitivelyAndMissingGivesDefault)
{
    const QString path = write("a.ini", "[Setup]\nModel = VK214 \nbasic=0\n; note=1\n[setup]\nmodel=later\n");
    EXPECT_EQ(IniFile::readString(path, "setup", "MODEL"), "VK214");
    EXPECT_EQ(IniFile::readString(path, "SETUP", "missing", "dflt"), "dflt");
    EXPECT_EQ(IniFile::readString(path, "nosection", "model", "x"), "x");
    EXPECT_EQ(IniFile::readString(path, "setup", "; note"), "");  // comment lines hold no keys
    EXPECT_EQ(IniFile::readString(dir.path() + "/absent.ini", "setup", "model", "d"), "d");
    EXPECT_EQ(IniFile::readInt(path, "setup", "basic", 1), 0);
    EXPECT_EQ(IniFile::readInt(path, "setup", "absent", 7), 7);
    EXPECT_EQ(IniFile::readInt(path, "setup", "model", 7), 0);  // not a number reads as 0
}

TEST_F(IniFileTest, FindTellsAnEmptyValueFromAMissingKey)
{
    const QString path = write("f.ini", "[Setup]\nempty=\nCom= 12abc\nname=abcdef\n");
    EXPECT_EQ(IniFile::find(path, "setup", "EMPTY"), QString(""));
    EXPECT_EQ(IniFile::find(path, "setup", "absent"), std::nullopt);
    EXPECT_EQ(IniFile::find(path, "other", "empty"), std::nullopt);
    EXPECT_EQ(IniFile::find(dir.path() + "/absent.ini", "setup", "empty"), std::nullopt);
    EXPECT_EQ(IniFile::find(path, "setup", "name", 4), QString("abc"));
    EXPECT_EQ(IniFile::findInt(path, "setup", "com"), 12);
    EXPECT_EQ(IniFile::findInt(path, "setup", "empty"), 0);
    EXPECT_EQ(IniFile::findInt(path, "setup", "absent"), std::nullopt);
}

TEST_F(IniFileTest, ValuesAreCutToTheBufferAndQuotesStripped)
{
    const QString path = write("b.ini", "[s]\nlong=" + QByteArray(1500, 'x') + "\nq=\"quoted value\"\n");
    EXPECT_EQ(IniFile::readString(path, "s", "long", {}, 1000).size(), 999);
    EXPECT_EQ(IniFile::readString(path, "s", "long", {}, 30).size(), 29);
    EXPECT_EQ(IniFile::readString(path, "s", "q"), "quoted value");
}

TEST_F(IniFileTest, WritingKeepsTheRestOfTheFileAndSeesChanges)
{
    const QString path = write("c.ini", "; comment\n[setup]\nmodel=RQ381\ncom=1\n\n[FreqRange]\ndata0=01360174\n");
    EXPECT_EQ(IniFile::readInt(path, "setup", "com", 0), 1);
    ASSERT_TRUE(IniFile::writeString(path, "SETUP", "COM", "3"));
    ASSERT_TRUE(IniFile::writeString(path, "setup", "language", "english"));
    ASSERT_TRUE(IniFile::writeString(path, "ports", "3", "/dev/ttyUSB0"));
    EXPECT_EQ(read(path), "; comment\n[setup]\nmodel=RQ381\nCOM=3\nlanguage=english\n\n[FreqRange]\ndata0=01360174\n\n"
                          "[ports]\n3=/dev/ttyUSB0\n");
    EXPECT_EQ(IniFile::readInt(path, "setup", "com", 0), 3);
    EXPECT_EQ(IniFile::keys(path, "ports"), QStringList{"3"});
}

TEST_F(IniFileTest, AnotherProgramsQuickRewriteOfTheSameSizeIsSeen)
{
    // Rewritten within the time stamp's resolution, size unchanged: only
    // the bytes tell the two versions apart.
    const QString path = write("d.ini", "[FreqRange]\ndata6=04000470\n");
    EXPECT_EQ(IniFile::readString(path, "FreqRange", "data6"), "04000470");
    for (const char *value : {"GGGGGGGG", "00000000", "04700400"}) {
        write("d.ini", QByteArray("[FreqRange]\ndata6=") + value + "\n");
        EXPECT_EQ(IniFile::readString(path, "FreqRange", "data6"), QString::fromLatin1(value));
    }
}

TEST_F(IniFileTest, LanguageLookupsHandleEscapesOnlyInStringAndText)
{
    const QString path = write("l.lang", "[String]\nIDS_X=one\\ntwo\\tthree\n[MENU]\nFILE_NEW=New\\tCtrl+N\n"
                                         "[Power]\n0=Low\n1=High\n3=Gap\n");
    const Language lang(path);
    EXPECT_EQ(lang.GetLangString("ids_x"), "one\ntwo\tthree");
    EXPECT_EQ(lang.GetLangText("menu", "FILE_NEW"), "New\tCtrl+N");
    EXPECT_EQ(lang.GetLangItem("String", 0), "");
    EXPECT_EQ(lang.GetLangList("Power"), (QStringList{"Low", "High"}));  // stops at the missing key 2
    EXPECT_EQ(lang.GetLangString("IDS_MISSING"), "");
    EXPECT_EQ(Language(dir.path() + "/none.lang").GetLangString("IDS_X"), "");
    const QString raw = write("r.lang", "[Resource]\n5=a\\nb\n");
    EXPECT_EQ(Language(raw).GetLangItem("Resource", 5), "a\\nb");
}

TEST(AppSettingsTest, ModelDecidesZoneSlotsAndLocaleDecidesLanguage)
{
    EXPECT_EQ(AppSettings::zoneSlotCountFor("VK214"), 16);
    EXPECT_EQ(AppSettings::zoneSlotCountFor("TL809"), 16);
    EXPECT_EQ(AppSettings::zoneSlotCountFor("RQ381"), 2);
    EXPECT_EQ(AppSettings::zoneSlotCountFor("vk214"), 2);  // exact comparison
    EXPECT_EQ(AppSettings::zoneSlotCountFor(""), 2);
    EXPECT_EQ(AppSettings::languageForLocale("zh_CN"), "chinese");
    EXPECT_EQ(AppSettings::languageForLocale("zh_TW"), "english");
    EXPECT_EQ(AppSettings::languageForLocale("en_US"), "english");

    QTemporaryDir dir;
    QFile file(dir.filePath("setting.ini"));
    file.open(QIODevice::WriteOnly);
    file.write("[setup]\nmodel=TL809\nlanguage=chinese\n");
    file.close();
    AppSettings settings(dir.path());
    settings.load();
    EXPECT_EQ(settings.modelName(), "TL809");
    EXPECT_EQ(settings.zoneSlotCount(), 16);
    EXPECT_EQ(settings.language().path(), dir.filePath("chinese.lang"));
    EXPECT_TRUE(settings.calibrationInChinese());
    EXPECT_TRUE(settings.basicEditingEnabled());
}

TEST(HexConvertTest, PacksAndExpandsInPlace)
{
    QByteArray buffer("04000470");
    HexConvert(buffer, 0, 8);
    EXPECT_EQ(buffer.left(4), QByteArray("\x04\x00\x04\x70", 4));
    HexConvert(buffer, 1, 4);
    EXPECT_EQ(buffer, "04000470");
    EXPECT_EQ(HexPack("aBcF", 2), QByteArray("\xAB\xCF", 2));  // (c - 55) & 15 for letters
    EXPECT_EQ(HexPack("0", 2).size(), 2);  // short input never reads past it
}

}
