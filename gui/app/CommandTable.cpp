#include "app/CommandTable.h"

#include "app/CommandIds.h"

namespace CommandTable {

const QHash<int, QString> &menuKeys()
{
    static const QHash<int, QString> keys = {
        {Cmd::FileNew, QStringLiteral("FILE_NEW")},
        {Cmd::FileOpen, QStringLiteral("FILE_OPEN")},
        {Cmd::FileSave, QStringLiteral("FILE_SAVE")},
        {Cmd::FileSaveAs, QStringLiteral("FILE_SAVE_AS")},
        {Cmd::FilePrint, QStringLiteral("FILE_PRINT")},
        {Cmd::FilePrintPreview, QStringLiteral("FILE_PRINT_PREVIEW")},
        {Cmd::AppExit, QStringLiteral("APP_EXIT")},
        {Cmd::EditBasicInfo, QStringLiteral("EDIT_BASICINFO")},
        {Cmd::EditKeySetting, QStringLiteral("EDIT_KEYSETTING")},
        {Cmd::EditAlertTone, QStringLiteral("EDIT_ALERTTONE")},
        {Cmd::EditOptionFeature, QStringLiteral("EDIT_OPTIONFEATURE")},
        {Cmd::EditChannel, QStringLiteral("EDIT_CHANNEL")},
        {Cmd::EditScan, QStringLiteral("EDIT_SCAN")},
        {Cmd::EditEmergency, QStringLiteral("EDIT_EMERGENCY")},
        {Cmd::EditAnalogEmergency, QStringLiteral("EDIT_ANALOGEMERGENCY")},
        {Cmd::EditDtmfSystem, QStringLiteral("EDIT_DTMFSYSTEM")},
        {Cmd::Edit5ToneSystem, QStringLiteral("EDIT_5TONESYSTEM")},
        {Cmd::EditEncodeSequence, QStringLiteral("EDIT_ENCODESEQUENCY")},
        {Cmd::EditQuickText, QStringLiteral("EDIT_QUICKTEXT")},
        {Cmd::EditDisplayControl, QStringLiteral("EDIT_DISPLAYCONTROL")},
        {Cmd::EditDecodeSequence, QStringLiteral("EDIT_DECODESEQUENCY")},
        {Cmd::EditBasicSetting, QStringLiteral("EDIT_BASICSETTING")},
        {Cmd::EditContact, QStringLiteral("EDIT_CONTACT")},
        {Cmd::EditRxGroup, QStringLiteral("EDIT_RXGROUP")},
        {Cmd::EditEncrypt, QStringLiteral("EDIT_ENCRYPT")},
        {Cmd::ProgramRead, QStringLiteral("PROGRAM_READDATA")},
        {Cmd::ProgramWrite, QStringLiteral("PROGRAM_WRITEDATA")},
        {Cmd::ProgramTestMode, QStringLiteral("PROGRAM_TESTMODE")},
        {Cmd::SettingChinese, QStringLiteral("SETTING_CHINESE")},
        {Cmd::SettingEnglish, QStringLiteral("SETTING_ENGLISH")},
        {Cmd::SettingPort, QStringLiteral("SETTING_PORT")},
        {Cmd::ViewTreeBar, QStringLiteral("VIEW_TREEBAR")},
        {Cmd::ViewToolBar, QStringLiteral("VIEW_TOOLBAR")},
        {Cmd::ViewStatusBar, QStringLiteral("VIEW_STATUS_BAR")},
        {Cmd::ViewChannelTable, QStringLiteral("VIEW_CHANNELTABLE")},
        {Cmd::WindowCascade, QStringLiteral("WINDOW_CASCADE")},
        {Cmd::WindowTileHorz, QStringLiteral("WINDOW_TILE_HORZ")},
        {Cmd::WindowArrange, QStringLiteral("WINDOW_ARRANGE")},
        {Cmd::HelpHelp, QStringLiteral("HELP_HELP")},
        {Cmd::AppAbout, QStringLiteral("APP_ABOUT")},
        {Cmd::EditUndo, QStringLiteral("EDIT_UNDO")},
        {Cmd::FileImport, QStringLiteral("FILE_IMPORT")},
        {Cmd::FileExport, QStringLiteral("FILE_EXPORT")},
        {Cmd::EditRedo, QStringLiteral("EDIT_REDO")},
    };
    return keys;
}

namespace {
const MenuEntry kAddMenu[] = {{Cmd::TreeAddList, "MENU_ADD"}};
const MenuEntry kRecordMenu[] = {{Cmd::TreeCopy, "MENU_COPY"}, {Cmd::TreePaste, "MENU_PASTE"},
                                 {Cmd::TreeDelete, "MENU_DELETE"}};
const MenuEntry kZoneMenu[] = {{Cmd::TreeAddChannel, "MENU_ADD"}, {Cmd::TreeDeleteZone, "MENU_DELETE"}};
}

std::span<const MenuEntry> treeMenu(int menuId)
{
    switch (menuId) {
    case 142: return kAddMenu;
    case 144: return kRecordMenu;
    case 146: return kZoneMenu;
    default: return {};
    }
}

}
