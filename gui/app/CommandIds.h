#pragma once

// The numeric ids of the main window's commands. They key the tool tips
// ("IDS_TIP_<id>") and name the actions, so tests and the language file
// agree on them.
namespace Cmd {
// File
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FilePrint = 57607;
constexpr int FilePrintPreview = 57609;
constexpr int FileImport = 32820;     // the YAML codeplug and the CSV files
constexpr int FileExport = 32821;
constexpr int FileMruFirst = 57616;  // the recent files follow one by one
constexpr int AppExit = 57665;
// Edit: open a section form
constexpr int EditBasicInfo = 32772;
constexpr int EditKeySetting = 32774;
constexpr int EditAlertTone = 32775;
constexpr int EditOptionFeature = 32776;
constexpr int EditChannel = 32777;
constexpr int EditScan = 32778;
constexpr int EditEmergency = 32779;
constexpr int EditBasicSetting = 32781;
constexpr int EditContact = 32782;
constexpr int EditRxGroup = 32788;
constexpr int EditEncrypt = 32789;
constexpr int EditAnalogEmergency = 32792;
constexpr int EditDtmfSystem = 32793;
constexpr int Edit5ToneSystem = 32794;
constexpr int EditEncodeSequence = 32795;
constexpr int EditQuickText = 32796;
constexpr int EditDisplayControl = 32798;
constexpr int EditDecodeSequence = 32800;
// Program
constexpr int ProgramRead = 32783;
constexpr int ProgramWrite = 32784;
constexpr int ProgramTestMode = 32790;
constexpr int ProgramUnused = 32791;  // Ctrl+P: no handler
// Setting
constexpr int SettingChinese = 32785;
constexpr int SettingEnglish = 32786;
constexpr int SettingPort = 32805;
// View
constexpr int ViewTreeBar = 32771;
constexpr int ViewToolBar = 59392;
constexpr int ViewStatusBar = 59393;
constexpr int ViewChannelTable = 32806;
// Window
constexpr int WindowArrange = 57649;
constexpr int WindowCascade = 57650;
constexpr int WindowTileHorz = 57651;
constexpr int NextPane = 57680;
constexpr int PrevPane = 57681;
// Help
constexpr int HelpHelp = 32787;
constexpr int AppAbout = 57664;
// Edit keys of the text fields
constexpr int EditCopy = 57634;
constexpr int EditCut = 57635;
constexpr int EditPaste = 57637;
constexpr int EditUndo = 57643;   // Edit > Undo: the text field's own undo, else the codeplug's
constexpr int EditRedo = 57644;
// Tree pop-up menus
constexpr int TreeAddList = 32797;      // menu 142: add a zone, scan list or RX group list
constexpr int TreeCopy = 32799;         // menu 144
constexpr int TreePaste = 32801;        // menu 144
constexpr int TreeDelete = 32802;       // menu 144
constexpr int TreeAddChannel = 32803;   // menu 146
constexpr int TreeDeleteZone = 32804;   // menu 146
}

// Navigation request: the message number and how its parameter carries the
// section code (low 16 bits) and the record index (high 16 bits).
namespace Navigation {
constexpr int kMessage = 0x400 + 1000;
constexpr unsigned pack(int code, int index) { return unsigned(code & 0xFFFF) | (unsigned(index & 0xFFFF) << 16); }
constexpr int codeOf(unsigned param) { return int(param & 0xFFFF); }
constexpr int indexOf(unsigned param) { return int(param >> 16); }
}
