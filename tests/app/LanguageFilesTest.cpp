// Checks the shipped language files against what the program looks up in
// them: every key is present and non-empty in both languages, both files
// carry the same keys, and every drop-down list runs 0, 1, 2, ... without
// gaps and with the entries whose positions the forms store.

#include "app/Language.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QSet>
#include <QStringDecoder>

namespace {

const QStringList kLanguageFiles = {QStringLiteral("chinese.lang"), QStringLiteral("english.lang")};

QString languageFilePath(const QString &name)
{
    return QStringLiteral(RQ381_SOURCE_DIR "/lang/") + name;
}

// ---- The keys the program looks up -------------------------------------

// Section "String": message texts, captions, words shown inside controls,
// labels, status-bar, title and About texts.
const char *const kStringKeys[] = {
    "IDS_WARN", "IDS_ERROR", "IDS_PROMPT",
    "IDS_WARN_CLEAR", "IDS_WARN_LOAD", "IDS_WARN_OVERWRITE", "IDS_ERROR_PORTCONN",
    "IDS_ASK_SAVE", "IDS_ERROR_OPENFILE", "IDS_ERROR_SAVEFILE", "IDS_ERROR_OPENFORM",
    "IDS_READDATA", "IDS_WRITEDATA", "IDS_PROMPT_READ", "IDS_PROMPT_WRITE",
    "IDS_PROMPT_READFAIL", "IDS_PROMPT_WRITEFAIL", "IDS_PROMPT_READSUCC", "IDS_PROMPT_WRITESUCC",
    "IDS_EXIST_NAME", "IDS_EXIST_CALLID", "IDS_EXIST_STARTID",
    "IDS_PROMPT_CHANNELMEMBER", "IDS_PROMPT_GROUPLISTMEMBER",
    "IDS_NONE", "IDS_OFF", "IDS_CONTINUEEMERGENCY", "IDS_DCODE", "IDS_ENCODE", "IDS_DECODE",
    "IDS_DTMFSEQUENCE", "IDS_5TONESEQUENCE",
    "IDS_ALWAYSON", "IDS_ALWAYSOFF", "IDS_ALWAYSUNLOCK", "IDS_SENCODE",
    "IDS_TOPKEYSHORT", "IDS_TOPKEYLONG", "IDS_SIDEKEY1SHORT", "IDS_SIDEKEY1LONG",
    "IDS_SIDEKEY2SHORT", "IDS_SIDEKEY2LONG", "IDS_SIDEKEY3SHORT", "IDS_SIDEKEY3LONG",
    "IDS_MODELNAME", "IDS_COPYRIGHT", "IDS_AboutName", "IDS_ABOUTMODEL", "IDS_ABOUTRADIO",
    "IDS_AboutVersion",
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

// Section "Resource": dialog captions and control texts by numeric id.
const int kResourceIds[] = {
    1, 2, 3,                                                   // OK, Cancel, Start
    100, 101, 102, 110, 121, 130, 131, 132, 133, 134, 135,     // dialog captions
    136, 137, 138, 139, 140, 141, 143, 145, 147, 152, 153, 154,
    1001, 1003, 1005, 1007, 1009, 1011, 1184, 1265, 1266,      // radio information
    1012, 1015, 1017, 1019, 1021, 1023, 1025,                  // programmable keys
    1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036,  // alert tones
    1037, 1038, 1039, 1040, 1041, 1042, 1043, 1044, 1045, 1046,
    1047, 1048, 1049, 1050, 1051, 1052, 1053, 1054, 1055, 1056,
    1057, 1058, 1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066,
    1068, 1070, 1072, 1074, 1076, 1256,
    1077, 1078, 1079, 1080, 1082, 1085, 1088, 1091, 1094,      // option features
    1257, 1271, 1272, 1273, 1274, 1275, 1278, 1376, 1379,
    1097, 1099, 1102, 1104, 1107, 1110, 1358,                  // digital emergency
    1113, 1115, 1117, 1119, 1121, 1122, 1124, 1125, 1126, 1281,  // digital basic settings
    1129, 1130, 1131, 1136, 1137, 1138, 1139, 1140, 1141,      // list form buttons
    1143, 1144, 1148,                                          // RX group lists
    1149, 1150, 1152, 1157, 1159, 1161, 1163, 1165, 1167,      // scan lists
    1169, 1171, 1173, 1176, 1178, 1179, 1180, 1181, 1182,
    1190, 1192, 1361, 1362, 1363, 1364, 1365, 1366, 1367,      // display control
    1368, 1369, 1370, 1371, 1372, 1373,
    1198, 1202, 1205, 1207, 1209, 1211, 1213, 1215, 1217,      // zones and channels
    1218, 1220, 1222, 1224, 1226, 1228, 1230, 1231, 1233,
    1234, 1236, 1238, 1240, 1241, 1242, 1243, 1244, 1247,
    1248, 1249, 1250, 1251, 1252, 1268, 1270,
    1254,                                                      // transfer prompt
    1318, 1319, 1321, 1322, 1323, 1327, 1329, 1332, 1335, 1338,  // analog emergency
    1283, 1285, 1287, 1289, 1292, 1295, 1298, 1301,            // 5-tone system
    1304, 1307, 1310, 1313, 1316,                              // DTMF system
    1801, 2000, 2005, 2007, 2012, 2013,                        // adjust dialog
};

// Section "MENU".
const char *const kMenuKeys[] = {
    "FILE", "EDIT", "PROGRAM", "SETTING", "VIEW", "WINDOW", "HELP",
    "EDIT_RADIOINFO", "EDIT_DIGITALSETTING",
    "FILE_NEW", "FILE_OPEN", "FILE_SAVE", "FILE_SAVE_AS", "FILE_PRINT", "FILE_PRINT_PREVIEW", "APP_EXIT",
    "EDIT_BASICINFO", "EDIT_KEYSETTING", "EDIT_ALERTTONE", "EDIT_OPTIONFEATURE", "EDIT_CHANNEL",
    "EDIT_SCAN", "EDIT_EMERGENCY", "EDIT_ANALOGEMERGENCY", "EDIT_DTMFSYSTEM", "EDIT_5TONESYSTEM",
    "EDIT_ENCODESEQUENCY", "EDIT_QUICKTEXT", "EDIT_DISPLAYCONTROL", "EDIT_DECODESEQUENCY",
    "EDIT_BASICSETTING", "EDIT_CONTACT", "EDIT_RXGROUP", "EDIT_ENCRYPT",
    "PROGRAM_READDATA", "PROGRAM_WRITEDATA", "PROGRAM_TESTMODE",
    "SETTING_CHINESE", "SETTING_ENGLISH", "SETTING_PORT",
    "VIEW_TREEBAR", "VIEW_TOOLBAR", "VIEW_STATUS_BAR",
    "WINDOW_CASCADE", "WINDOW_TILE_HORZ", "WINDOW_ARRANGE", "HELP_HELP", "APP_ABOUT",
    "MENU_ADD", "MENU_COPY", "MENU_PASTE", "MENU_DELETE",
};

// Menu items with an accelerator show it after a tab, the same in every language.
const struct { const char *key; const char *shortcut; } kMenuShortcuts[] = {
    {"FILE_NEW", "Ctrl+N"}, {"FILE_OPEN", "Ctrl+O"}, {"FILE_SAVE", "Ctrl+S"},
    {"PROGRAM_READDATA", "Ctrl+R"}, {"PROGRAM_WRITEDATA", "Ctrl+W"}, {"PROGRAM_TESTMODE", "Ctrl+T"},
    {"SETTING_CHINESE", "Ctrl+C"}, {"SETTING_ENGLISH", "Ctrl+E"},
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
    {"ChannelMode", 4, 4},          // 0, 1 mixed, 2 analog, 3 digital
    {"ChannelType", 2, 2},          // one bit
    {"Power", 3, 3},                // 0..2
    {"BandWidth", 4, 4},            // 2 analog, 3 otherwise
    {"AnalogBclMode", 3, 3},        // 0..2
    {"PoliteMode", 4, 4},           // 0..3
    {"TailReversal", 2, 2},         // phase bit
    {"PriorityChannelType", 1, 4},  // two bits
    {"RevertChannel", 7, 7},        // 0, 1, 3..6 offered, 2 skipped
    {"GridContacts", 4, 4},         // column titles
    {"ContactsType", 3, 3},         // group, individual, all call
    {"GridEncrypt", 3, 3},
    {"GridQuickText", 2, 2},
    {"KeyData", 28, 28},            // function codes 0..27
    {"AlertTone", 3, 3},
    {"VoiceVolumeFixed", 2, 2},
    {"AlertToneEnable", 2, 2},
    {"AnnounceLanguage", 3, 3},     // off, Chinese, English
    {"BatterySave", 4, 4},          // two bits
    {"HangUp", 1, 256},
    {"EmergencyType", 4, 4},        // 3 switches the emergency off
    {"EmergencyMode", 3, 4},        // 2 enables the cycle times
    {"EmergencyCycle", 4, 4},       // two bits, default 3
    {"5ToneSystem", 1, 256},
    {"5ToneGroupRepeat", 15, 256},  // defaults select 10 and 14
    {"EncodeSequence", 3, 3},       // column titles
    {"DecodeSequence", 4, 4},
    {"RxSignaling", 2, 2},
    {"DecodeType", 1, 256},
};

// Lists that their forms read with a 32-character buffer.
const char *const kShortEntryLists[] = {"EmergencyCycle", "5ToneSystem", "5ToneGroupRepeat"};

// ---- A plain reading of the file's structure ----------------------------
// The lookup functions hide duplicates and stray lines; this reader reports
// them so that a typo in a language file is caught here, not by a user.

struct FileLayout
{
    QStringList sections;                        // in file order
    QMap<QString, QStringList> keys;             // section -> keys in file order
    QMap<QString, QMap<QString, QString>> values;  // section -> key -> raw value
    QStringList problems;
};

FileLayout readLayout(const QString &path)
{
    FileLayout layout;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        layout.problems << QStringLiteral("cannot open ") + path;
        return layout;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(file.readAll());
    if (decoder.hasError())
        layout.problems << QStringLiteral("not valid UTF-8");
    if (text.startsWith(QChar(0xFEFF)))
        layout.problems << QStringLiteral("starts with a byte-order mark");

    QString section;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        const QString where = QStringLiteral("line %1: ").arg(i + 1);
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed();
            for (const QString &seen : std::as_const(layout.sections)) {
                if (seen.compare(section, Qt::CaseInsensitive) == 0)
                    layout.problems << where + QStringLiteral("section repeated: ") + section;
            }
            layout.sections << section;
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (section.isEmpty() || eq <= 0) {
            layout.problems << where + QStringLiteral("neither a section nor key=value: ") + line;
            continue;
        }
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        for (const QString &seen : std::as_const(layout.keys[section])) {
            if (seen.compare(key, Qt::CaseInsensitive) == 0)
                layout.problems << where + QStringLiteral("key repeated: ") + key;
        }
        layout.keys[section] << key;
        layout.values[section][key] = value;
    }
    return layout;
}

bool isTextSection(const QString &section)
{
    return section == QLatin1String("String") || section == QLatin1String("Resource")
        || section == QLatin1String("MENU");
}

QString joined(const QStringList &list)
{
    return list.join(QStringLiteral(", "));
}

} // namespace

TEST(LanguageFilesTest, EveryKeyTheProgramLooksUpHasATextInBothLanguages)
{
    for (const QString &name : kLanguageFiles) {
        SCOPED_TRACE(name.toStdString());
        const Language language(languageFilePath(name));
        QStringList missing;

        for (const char *key : kStringKeys) {
            if (language.GetLangString(QLatin1String(key)).isEmpty())
                missing << QStringLiteral("String/") + QLatin1String(key);
        }
        for (int id : kCommandIds) {
            const QString key = QStringLiteral("IDS_TIP_%1").arg(id);
            if (language.GetLangString(key).isEmpty())
                missing << QStringLiteral("String/") + key;
        }
        for (int id : kResourceIds) {
            if (language.GetLangItem(QStringLiteral("Resource"), id).isEmpty())
                missing << QStringLiteral("Resource/%1").arg(id);
        }
        for (const char *key : kMenuKeys) {
            if (language.GetLangText(QStringLiteral("MENU"), QLatin1String(key)).isEmpty())
                missing << QStringLiteral("MENU/") + QLatin1String(key);
        }
        for (int k = 0; k < kTreeLabels; ++k) {
            if (language.GetLangItem(QStringLiteral("TreeMainMenu"), k).isEmpty())
                missing << QStringLiteral("TreeMainMenu/%1").arg(k);
        }
        for (const ListSection &list : kListSections) {
            if (language.GetLangList(QLatin1String(list.name)).isEmpty())
                missing << QLatin1String(list.name);
        }
        EXPECT_TRUE(missing.isEmpty()) << "missing: " << joined(missing).toStdString();
    }
}

TEST(LanguageFilesTest, BothLanguagesHaveTheSameSectionsAndKeys)
{
    const FileLayout chinese = readLayout(languageFilePath(kLanguageFiles[0]));
    const FileLayout english = readLayout(languageFilePath(kLanguageFiles[1]));
    EXPECT_TRUE(chinese.problems.isEmpty()) << joined(chinese.problems).toStdString();
    EXPECT_TRUE(english.problems.isEmpty()) << joined(english.problems).toStdString();

    ASSERT_EQ(chinese.sections, english.sections);
    for (const QString &section : chinese.sections) {
        SCOPED_TRACE(section.toStdString());
        const QStringList zh = chinese.keys.value(section);
        const QStringList en = english.keys.value(section);
        const QSet<QString> zhKeys(zh.begin(), zh.end());
        const QSet<QString> enKeys(en.begin(), en.end());
        EXPECT_TRUE((zhKeys - enKeys).isEmpty()) << "only Chinese: " << joined((zhKeys - enKeys).values()).toStdString();
        EXPECT_TRUE((enKeys - zhKeys).isEmpty()) << "only English: " << joined((enKeys - zhKeys).values()).toStdString();
    }
}

TEST(LanguageFilesTest, ListsRunFromZeroWithoutGapsAndHoldTheEntriesTheFormsStore)
{
    QSet<QString> knownLists;
    for (const ListSection &list : kListSections)
        knownLists << QLatin1String(list.name);
    knownLists << QStringLiteral("TreeMainMenu");

    for (const QString &name : kLanguageFiles) {
        SCOPED_TRACE(name.toStdString());
        const FileLayout layout = readLayout(languageFilePath(name));
        const Language language(languageFilePath(name));

        for (const QString &section : layout.sections) {
            if (isTextSection(section))
                continue;
            SCOPED_TRACE(section.toStdString());
            // A section that no form reads is a misspelt or stale list.
            EXPECT_TRUE(knownLists.contains(section));
            // Keys exactly "0", "1", ... in order, so the lookup sees every entry.
            const QStringList keys = layout.keys.value(section);
            for (int n = 0; n < keys.size(); ++n)
                EXPECT_EQ(keys[n], QString::number(n));
            EXPECT_EQ(language.GetLangList(section).size(), keys.size());
        }

        for (const ListSection &list : kListSections) {
            SCOPED_TRACE(list.name);
            const qsizetype count = language.GetLangList(QLatin1String(list.name)).size();
            EXPECT_GE(count, list.minEntries);
            EXPECT_LE(count, list.maxEntries);
        }
        for (const char *list : kShortEntryLists) {
            for (const QString &entry : language.GetLangList(QLatin1String(list)))
                EXPECT_LE(entry.size(), 31) << list << ": " << entry.toStdString();
        }

        EXPECT_EQ(language.GetLangList(QStringLiteral("TreeMainMenu")).size(), kTreeLabels);
        EXPECT_TRUE(language.GetLangItem(QStringLiteral("TreeMainMenu"), kTreeLabels).isEmpty());
    }
}

TEST(LanguageFilesTest, TextsSuitTheWayTheProgramShowsThem)
{
    QStringList versionTails;
    for (const QString &name : kLanguageFiles) {
        SCOPED_TRACE(name.toStdString());
        const FileLayout layout = readLayout(languageFilePath(name));
        const Language language(languageFilePath(name));

        for (auto section = layout.values.cbegin(); section != layout.values.cend(); ++section) {
            for (auto entry = section->cbegin(); entry != section->cend(); ++entry) {
                const std::string where = (section.key() + QLatin1Char('/') + entry.key()).toStdString();
                // Longer values would be cut by the lookup.
                EXPECT_LT(entry.value().size(), Language::kValueBufferSize) << where;
                // Items, labels and control texts are read without escape handling.
                if (!isTextSection(section.key()) || section.key() == QLatin1String("Resource")) {
                    EXPECT_FALSE(entry.value().contains(QLatin1Char('\\'))) << where;
                }
            }
        }

        // Menu items: the accelerator after a tab; top-level menus carry none.
        for (const auto &item : kMenuShortcuts) {
            const QString text = language.GetLangText(QStringLiteral("MENU"), QLatin1String(item.key));
            EXPECT_TRUE(text.endsWith(QLatin1Char('\t') + QLatin1String(item.shortcut))) << item.key;
            EXPECT_EQ(text.count(QLatin1Char('\t')), 1) << item.key;
        }
        for (const char *top : {"FILE", "EDIT", "PROGRAM", "SETTING", "VIEW", "WINDOW", "HELP"})
            EXPECT_FALSE(language.GetLangText(QStringLiteral("MENU"), QLatin1String(top)).contains(QLatin1Char('\t')));

        // Texts that stand in for values: the tone parser must read the
        // "none" text as no tone (not a number, not a DCS code), and a numeric
        // field must not take its special word for a typed number.
        const QString none = language.GetLangString(QStringLiteral("IDS_NONE"));
        ASSERT_FALSE(none.isEmpty());
        EXPECT_FALSE(none[0].isDigit() || none[0].toUpper() == QLatin1Char('D')) << none.toStdString();
        for (const char *key : {"IDS_OFF", "IDS_CONTINUEEMERGENCY", "IDS_DCODE"}) {
            const QString word = language.GetLangString(QLatin1String(key));
            ASSERT_FALSE(word.isEmpty()) << key;
            EXPECT_FALSE(word[0].isDigit()) << key;
        }

        // The window title shows the last five characters of the version text.
        versionTails << language.GetLangString(QStringLiteral("IDS_AboutVersion")).right(5);

        // The file name or title goes where "%1" stands.
        for (const char *key : {"IDS_ASK_SAVE", "IDS_ERROR_OPENFILE", "IDS_ERROR_SAVEFILE"})
            EXPECT_EQ(language.GetLangString(QLatin1String(key)).count(QLatin1String("%1")), 1) << key;
    }
    ASSERT_EQ(versionTails.size(), 2);
    EXPECT_EQ(versionTails[0], versionTails[1]);
}
