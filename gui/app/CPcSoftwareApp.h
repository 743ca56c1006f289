#pragma once

#include "app/AppSettings.h"
#include "app/Prompter.h"
#include "app/RecentFileList.h"
#include "app/SectionTable.h"

#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>

class CChildFrame;
class CMainFrame;
class CodeplugEditor;
class CMessageBoxPrompter;
class CPcSoftwareDoc;
class QTranslator;
class QWidget;

// How the program was started.
struct StartupOptions
{
    QString configDir;       // folder of setting.ini and the .lang files; empty: the standard places
    QString fileToOpen;      // a .dat file from the command line
    bool showWindow = true;  // tests may keep the window hidden
    bool answerPromptsWithDefault = false;  // no user to answer: a screenshot run
};

// The application object: start-up, the one document, the open-frame table
// of the section forms, the File commands and the recent-file list.
class CPcSoftwareApp
{
public:
    // prompter: where messages go; null shows message boxes.
    explicit CPcSoftwareApp(const StartupOptions &options, Prompter *prompter = nullptr);
    ~CPcSoftwareApp();
    CPcSoftwareApp(const CPcSoftwareApp &) = delete;
    CPcSoftwareApp &operator=(const CPcSoftwareApp &) = delete;

    // Start-up in its fixed order. False when the program must end: the
    // settings file is missing (after its message) or no window could be made.
    bool InitInstance();

    AppSettings &settings() { return m_settings; }
    CPcSoftwareDoc &document() { return *m_doc; }
    // The edit path every change of the codeplug takes, with its undo stack.
    CodeplugEditor &editor() { return *m_editor; }
    CMainFrame *mainFrame() const { return m_mainFrame.get(); }
    Prompter &prompter() { return *m_prompter; }
    bool firstNew() const { return m_firstNew; }
    RecentFileList &recentFiles() { return m_recentFiles; }

    // The open-frame table: the frame of each section code 1..20, or null.
    CChildFrame *openFrame(int code) const;
    void setOpenFrame(int code, CChildFrame *frame);

    // File New: the first time builds the document and its radio-information
    // frame; afterwards re-initialises the document after asking.
    void OnFileNew();
    // File Open: asks for a file and opens it, then refreshes all texts.
    void OnFileOpen();
    // Opens a data file in place of the current codeplug. A file that cannot
    // be read leaves a new default codeplug and returns false. A file of
    // another program or model leaves the blank codeplug untitled, so that
    // Save cannot overwrite the foreign file.
    bool OpenDocumentFile(const QString &path);
    // File Save / Save As; false when nothing was saved.
    bool OnFileSave();
    bool OnFileSaveAs();
    // The save question when the codeplug differs from its baseline: false
    // when the user cancels (or the save failed).
    bool SaveModified();
    void OnAppAbout();
    // After the language was chosen: the built-in texts when its file is
    // missing (said once), and Qt's own texts (buttons, file dialogs) in it.
    void ApplyLanguage();

    // File dialogs; tests replace them. chooseSaveFile returns the name as
    // typed: Save As adds the extension and asks before replacing a file.
    std::function<QString(QWidget *parent)> chooseOpenFile;
    std::function<QString(QWidget *parent, const QString &suggestion)> chooseSaveFile;

    static constexpr const char *kFileFilter = "CPSc(*.dat)";
    static constexpr const char *kDefaultTitle = "default1";

private:
    void createDocumentFrame();
    void closeAllFrames();
    bool saveTo(const QString &path);
    // Asks with the language text of textKey, its "%1" replaced by argument.
    PromptAnswer askWith(const QString &textKey, const QString &argument, const QString &captionKey,
                         Prompt::Icon icon, Prompt::Buttons buttons = Prompt::Buttons::Ok);
    // The same with "%1", "%2", ... replaced by the arguments in turn.
    PromptAnswer askWith(const QString &textKey, const QStringList &arguments, const QString &captionKey,
                         Prompt::Icon icon, Prompt::Buttons buttons = Prompt::Buttons::Ok);
    // Names the [FreqRange] entries of setting.ini that are no usable band.
    void warnAboutUnusableRanges();

    StartupOptions m_options;
    AppSettings m_settings;
    std::unique_ptr<CMessageBoxPrompter> m_ownPrompter;
    Prompter *m_prompter;
    std::unique_ptr<CPcSoftwareDoc> m_doc;
    std::unique_ptr<CodeplugEditor> m_editor;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::array<QPointer<CChildFrame>, SectionTable::kSectionCount> m_openFrames;
    bool m_firstNew = true;
    RecentFileList m_recentFiles;
    std::unique_ptr<QTranslator> m_qtTranslator;
    bool m_toldMissingLanguage = false;
};
