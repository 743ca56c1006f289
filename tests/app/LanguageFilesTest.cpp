// Checks the shipped language files against what the program looks up in
// them: every key is present and non-empty in both languages, both files
// carry the same keys, and every drop-down list runs 0, 1, 2, ... without
// gaps and with the entries whose positions the forms store.

#include "app/IniFile.h"
#include "TestPaths.h"
#include "app/Language.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

const QStringList kLanguageFiles = {QStringLiteral("chinese.lang"), QStringLiteral("english.lang")};

QString languageFilePath(const QString &name)
{
    return sourcePath(QStringLiteral("lang/") + name);
}

// ---- The keys the program looks up -------------------------------------

// Section "String": message texts, captions, words shown inside controls,
// labels, status-bar, title and About texts.
const char *const kStringKeys[] = {
    "IDS_WARN", "IDS_ERROR", "IDS_PROMPT", "IDS_WARN_CLEAR", "IDS_WARN_LOAD", "IDS_WARN_OVERWRITE",
    "IDS_ERROR_PORTCONN", "IDS_ASK_SAVE", "IDS_ERROR_OPENFILE", "IDS_ERROR_SAVEFILE", "IDS_ERROR_OPENFORM",
    "IDS_READDATA", "IDS_WRITEDATA", "IDS_PROMPT_READ", "IDS_PROMPT_WRITE", "IDS_PROMPT_READFAIL",
    "IDS_PROMPT_WRITEFAIL", "IDS_PROMPT_READSUCC", "IDS_PROMPT_WRITESUCC", "IDS_EXIST_NAME",
    "IDS_EXIST_CALLID", "IDS_EXIST_STARTID", "IDS_PROMPT_CHANNELMEMBER", "IDS_PROMPT_GROUPLISTMEMBER",
    "IDS_NONE", "IDS_OFF", "IDS_CONTINUEEMERGENCY", "IDS_DCODE", "IDS_ENCODE", "IDS_DECODE",
    "IDS_DTMFSEQUENCE", "IDS_5TONESEQUENCE", "IDS_ALWAYSON", "IDS_ALWAYSOFF", "IDS_ALWAYSUNLOCK",
    "IDS_SENCODE", "IDS_TOPKEYSHORT", "IDS_TOPKEYLONG", "IDS_SIDEKEY1SHORT", "IDS_SIDEKEY1LONG",
    "IDS_SIDEKEY2SHORT", "IDS_SIDEKEY2LONG", "IDS_SIDEKEY3SHORT", "IDS_SIDEKEY3LONG", "IDS_MODELNAME",
    "IDS_COPYRIGHT", "IDS_AboutName", "IDS_ABOUTMODEL", "IDS_ABOUTRADIO", "IDS_AboutVersion",
    "IDS_ERROR_SAVEFILE_CAUSE", "IDS_WARN_CHANGED_ON_DISK", "IDS_WARN_NOTCODEPLUG",
};

// Commands of the menus, the tool bar and the tree's pop-up menus; each has
// a tool tip "IDS_TIP_<id>".
const int kCommandIds[] = {
    57600, 57601, 57603, 57604, 57607, 57609, 57665,                      // File
    32772, 32774, 32775, 32776, 32777, 32778, 32779, 32781, 32782, 32788,  // Edit
    32789, 32792, 32793, 32794, 32795, 32796, 32798, 32800,
    32783, 32784, 32790,                                                  // Program
    32785, 32786, 32805,                                                  // Setting
    32771, 59392, 59393,                                                  // View
    57650, 57651, 57649,                                                  // Window
    32787, 57664,                                                         // Help
    32797, 32799, 32801, 32802, 32803, 32804,                             // tree pop-ups
};

// Section "Resource": dialog buttons and captions, then the control texts of
// every form and dialog by numeric id.
const int kResourceIds[] = {
    1, 2, 3, 100, 101, 102, 110, 121, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 143, 145,
    147, 152, 153, 154, 1001, 1003, 1005, 1007, 1009, 1011, 1012, 1015, 1017, 1019, 1021, 1023, 1025, 1027,
    1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037, 1038, 1039, 1040, 1041, 1042, 1043, 1044,
    1045, 1046, 1047, 1048, 1049, 1050, 1051, 1052, 1053, 1054, 1055, 1056, 1057, 1058, 1059, 1060, 1061,
    1062, 1063, 1064, 1065, 1066, 1068, 1070, 1072, 1074, 1076, 1077, 1078, 1079, 1080, 1082, 1085, 1088,
    1091, 1094, 1097, 1099, 1102, 1104, 1107, 1110, 1113, 1115, 1117, 1119, 1121, 1122, 1124, 1125, 1126,
    1129, 1130, 1131, 1136, 1137, 1138, 1139, 1140, 1141, 1143, 1144, 1148, 1149, 1150, 1152, 1157, 1159,
    1161, 1163, 1165, 1167, 1169, 1171, 1173, 1176, 1178, 1179, 1180, 1181, 1182, 1184, 1190, 1192, 1198,
    1202, 1205, 1207, 1209, 1211, 1213, 1215, 1217, 1218, 1220, 1222, 1224, 1226, 1228, 1230, 1231, 1233,
    1234, 1236, 1238, 1240, 1241, 1242, 1243, 1244, 1247, 1248, 1249, 1250, 1251, 1252, 1254, 1256, 1257,
    1265, 1266, 1268, 1270, 1271, 1272, 1273, 1274, 1275, 1278, 1281, 1283, 1285, 1287, 1289, 1292, 1295,
    1298, 1301, 1304, 1307, 1310, 1313, 1316, 1318, 1319, 1321, 1322, 1323, 1327, 1329, 1332, 1335, 1338,
    1358, 1361, 1362, 1363, 1364, 1365, 1366, 1367, 1368, 1369, 1370, 1371, 1372, 1373, 1376, 1379, 1801,
    2000, 2005, 2007, 2012, 2013,
};

// Section "MENU".
const char *const kMenuKeys[] = {
    "FILE", "EDIT", "PROGRAM", "SETTING", "VIEW", "WINDOW", "HELP", "EDIT_RADIOINFO", "EDIT_DIGITALSETTING",
    "FILE_NEW", "FILE_OPEN", "FILE_SAVE", "FILE_SAVE_AS", "FILE_PRINT", "FILE_PRINT_PREVIEW", "APP_EXIT",
    "EDIT_BASICINFO", "EDIT_KEYSETTING", "EDIT_ALERTTONE", "EDIT_OPTIONFEATURE", "EDIT_CHANNEL",
    "EDIT_SCAN", "EDIT_EMERGENCY", "EDIT_ANALOGEMERGENCY", "EDIT_DTMFSYSTEM", "EDIT_5TONESYSTEM",
    "EDIT_ENCODESEQUENCY", "EDIT_QUICKTEXT", "EDIT_DISPLAYCONTROL", "EDIT_DECODESEQUENCY",
    "EDIT_BASICSETTING", "EDIT_CONTACT", "EDIT_RXGROUP", "EDIT_ENCRYPT", "PROGRAM_READDATA",
    "PROGRAM_WRITEDATA", "PROGRAM_TESTMODE", "SETTING_CHINESE", "SETTING_ENGLISH", "SETTING_PORT",
    "VIEW_TREEBAR", "VIEW_TOOLBAR", "VIEW_STATUS_BAR", "WINDOW_CASCADE", "WINDOW_TILE_HORZ",
    "WINDOW_ARRANGE", "HELP_HELP", "APP_ABOUT", "MENU_ADD", "MENU_COPY", "MENU_PASTE", "MENU_DELETE",
};


// The tree labels: key k is section code k, 0 the root. The tree reads keys
// until the first missing one, so 21 must not exist.
constexpr int kTreeLabels = 21;

// Drop-down lists: the forms store the list position, so the number of
// entries is fixed where the stored values are (min == max).
struct ListSection
{
    const char *name;
    int minEntries;
    int maxEntries;
};
const ListSection kListSections[] = {
    {"ChannelMode", 4, 4}, {"ChannelType", 2, 2}, {"Power", 3, 3}, {"BandWidth", 4, 4},
    {"AnalogBclMode", 3, 3}, {"PoliteMode", 4, 4}, {"TailReversal", 2, 2}, {"PriorityChannelType", 1, 4},
    {"RevertChannel", 7, 7},  // 0, 1, 3..6 offered, 2 skipped
    {"GridContacts", 4, 4}, {"ContactsType", 3, 3}, {"GridEncrypt", 3, 3}, {"GridQuickText", 2, 2},
    {"KeyData", 28, 28},  // function codes 0..27
    {"AlertTone", 3, 3}, {"VoiceVolumeFixed", 2, 2}, {"AlertToneEnable", 2, 2}, {"AnnounceLanguage", 3, 3},
    {"BatterySave", 4, 4}, {"HangUp", 1, 256}, {"EmergencyType", 4, 4}, {"EmergencyMode", 3, 4},
    {"EmergencyCycle", 4, 4}, {"5ToneSystem", 1, 256},
    {"5ToneGroupRepeat", 15, 256},  // defaults select 10 and 14
    {"EncodeSequence", 3, 3}, {"DecodeSequence", 4, 4}, {"RxSignaling", 2, 2}, {"DecodeType", 1, 256},
};

// Lists that their forms read with a 32-character buffer.
const char *const kShortEntryLists[] = {"EmergencyCycle", "5ToneSystem", "5ToneGroupRepeat"};

QString joined(const QStringList &list)
{
    return list.join(QStringLiteral(", "));
}

// Every section the program reads: the text sections, the tree and the lists.
QStringList allSections()
{
    QStringList sections = {QStringLiteral("String"), QStringLiteral("Resource"), QStringLiteral("MENU"),
                            QStringLiteral("TreeMainMenu")};
    for (const ListSection &list : kListSections)
        sections << QLatin1String(list.name);
    return sections;
}

} // namespace

TEST(LanguageFilesTest, EveryKeyTheProgramLooksUpHasATextInBothLanguages)
{
    for (const QString &name : kLanguageFiles) {
        SCOPED_TRACE(name.toStdString());
        const Language language(languageFilePath(name));
        QStringList missing;
        const auto need = [&](const QString &section, const QString &key) {
            if (language.GetLangText(section, key).isEmpty())
                missing << section + QLatin1Char('/') + key;
        };
        for (const char *key : kStringKeys)
            need(QStringLiteral("String"), QLatin1String(key));
        for (int id : kCommandIds)
            need(QStringLiteral("String"), QStringLiteral("IDS_TIP_%1").arg(id));
        for (int id : kResourceIds)
            need(QStringLiteral("Resource"), QString::number(id));
        for (const char *key : kMenuKeys)
            need(QStringLiteral("MENU"), QLatin1String(key));
        for (int k = 0; k < kTreeLabels; ++k)
            need(QStringLiteral("TreeMainMenu"), QString::number(k));
        for (const ListSection &list : kListSections)
            need(QLatin1String(list.name), QStringLiteral("0"));
        EXPECT_TRUE(missing.isEmpty()) << "missing: " << joined(missing).toStdString();
    }
}

TEST(LanguageFilesTest, BothLanguagesHaveTheSameKeys)
{
    for (const QString &section : allSections()) {
        SCOPED_TRACE(section.toStdString());
        const QStringList zh = IniFile::keys(languageFilePath(kLanguageFiles[0]), section);
        const QStringList en = IniFile::keys(languageFilePath(kLanguageFiles[1]), section);
        const QSet<QString> zhKeys(zh.begin(), zh.end());
        const QSet<QString> enKeys(en.begin(), en.end());
        EXPECT_TRUE((zhKeys - enKeys).isEmpty()) << "only Chinese: " << joined((zhKeys - enKeys).values()).toStdString();
        EXPECT_TRUE((enKeys - zhKeys).isEmpty()) << "only English: " << joined((enKeys - zhKeys).values()).toStdString();
    }
}

TEST(LanguageFilesTest, ListsRunFromZeroWithoutGapsAndHoldTheEntriesTheFormsStore)
{
    for (const QString &name : kLanguageFiles) {
        SCOPED_TRACE(name.toStdString());
        const Language language(languageFilePath(name));
        for (const ListSection &list : kListSections) {
            SCOPED_TRACE(list.name);
            // Keys exactly "0", "1", ... so the lookup sees every entry.
            const QStringList keys = IniFile::keys(languageFilePath(name), QLatin1String(list.name));
            EXPECT_EQ(language.GetLangList(QLatin1String(list.name)).size(), keys.size());
            const qsizetype count = keys.size();
            EXPECT_GE(count, list.minEntries);
            EXPECT_LE(count, list.maxEntries);
        }
        for (const char *list : kShortEntryLists) {
            for (const QString &entry : language.GetLangList(QLatin1String(list)))
                EXPECT_LE(entry.size(), 31) << list << ": " << entry.toStdString();
        }
        EXPECT_EQ(language.GetLangList(QStringLiteral("TreeMainMenu")).size(), kTreeLabels);
        EXPECT_TRUE(language.GetLangItem(QStringLiteral("TreeMainMenu"), kTreeLabels).isEmpty());

        // The file name or title goes where "%1" stands.
        for (const char *key : {"IDS_ASK_SAVE", "IDS_ERROR_OPENFILE", "IDS_ERROR_SAVEFILE"})
            EXPECT_EQ(language.GetLangString(QLatin1String(key)).count(QLatin1String("%1")), 1) << key;
    }
}
