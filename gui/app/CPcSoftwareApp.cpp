#include "app/CPcSoftwareApp.h"

#include "app/CAboutDialog.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CodeplugEditor.h"
#include "app/FilePaths.h"
#include "app/FileStamp.h"
#include "app/MessageBoxPrompter.h"
#include "app/UserState.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/DataFile.h"
#include "codeplug/StoredModel.h"
#include "codeplug/FreqRangeCheck.h"
#include "sections/CSectionForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>

CPcSoftwareApp::CPcSoftwareApp(const StartupOptions &options, Prompter *prompter)
    : m_options(options), m_settings(options.configDir)
{
    if (prompter) {
        m_prompter = prompter;
    } else {
        m_ownPrompter = std::make_unique<CMessageBoxPrompter>(m_settings);
        m_ownPrompter->setAnswerWithDefault(options.answerPromptsWithDefault);
        m_prompter = m_ownPrompter.get();
    }
    // The dialogs start in the folder of the last codeplug chosen.
    chooseOpenFile = [this](QWidget *parent) {
        const QString path =
            QFileDialog::getOpenFileName(parent, QString(), UserState::lastFolder(), QLatin1String(kFileFilter));
        UserState::rememberFolderOf(path, &m_settings);
        return path;
    };
    chooseSaveFile = [this](QWidget *parent, const QString &suggestion) {
        const QString folder = UserState::lastFolder();
        // The replace question is asked once the extension is added (OnFileSaveAs).
        const QString path = QFileDialog::getSaveFileName(
            parent, QString(), folder.isEmpty() ? suggestion : QDir(folder).filePath(suggestion),
            QLatin1String(kFileFilter), nullptr, QFileDialog::DontConfirmOverwrite);
        UserState::rememberFolderOf(path, &m_settings);
        return path;
    };
}

CPcSoftwareApp::~CPcSoftwareApp()
{
    if (m_qtTranslator)
        QCoreApplication::removeTranslator(m_qtTranslator.get());
    // The frames go with the main window, before the document they show.
    m_mainFrame.reset();
    m_editor.reset();
}

bool CPcSoftwareApp::InitInstance()
{
    if (!m_settings.settingsFileExists()) {
        // No language file is known yet: the message is the program's own.
        m_prompter->ask(Prompt{{}, {}, Prompt::Icon::Error, Prompt::Buttons::Ok,
                               QStringLiteral("Can not find the file setting.ini!")});
        return false;
    }
    // Language (from the settings or the locale) and model name.
    m_settings.load();
    ApplyLanguage();
    warnAboutUnusableRanges();
    m_firstNew = true;
    m_doc = std::make_unique<CPcSoftwareDoc>(m_settings);
    m_editor = std::make_unique<CodeplugEditor>(*m_doc);

    m_mainFrame = std::make_unique<CMainFrame>(*this);
    // A port search in the transfer worker may write a setting: the message
    // waits for the interface thread, and is dropped with the window.
    m_settings.setWriteFailureHandler([this](const QString &file, const QString &reason) {
        QMetaObject::invokeMethod(
            m_mainFrame.get(),
            [this, file, reason] {
                askWith(QStringLiteral("IDS_SETTINGS_NOT_SAVED"), QStringList{file, reason},
                        QStringLiteral("IDS_WARN"), Prompt::Icon::Warning, Prompt::Buttons::Ok);
            },
            Qt::QueuedConnection);
    });
    if (m_ownPrompter)
        m_ownPrompter->setParentWidget(m_mainFrame.get());

    if (m_options.fileToOpen.isEmpty())
        OnFileNew();
    else
        OpenDocumentFile(m_options.fileToOpen);

    m_settings.mcuVersion = QStringLiteral("V01.00");
    m_settings.dataVersion = QStringLiteral("D01.00");

    if (m_options.showWindow) {
        m_mainFrame->restoreUserGeometry();
        m_mainFrame->show();
    }
    m_mainFrame->RefreshAllTexts();
    return true;
}

CChildFrame *CPcSoftwareApp::openFrame(int code) const
{
    return (code >= 1 && code <= SectionTable::kSectionCount) ? m_openFrames[code - 1].data() : nullptr;
}

void CPcSoftwareApp::setOpenFrame(int code, CChildFrame *frame)
{
    if (code >= 1 && code <= SectionTable::kSectionCount)
        m_openFrames[code - 1] = frame;
}

void CPcSoftwareApp::createDocumentFrame()
{
    if (!openFrame(SectionTable::BasicInfo))
        m_mainFrame->createFrame(SectionTable::BasicInfo, 0);
    m_mainFrame->UpdateTitle();
}

void CPcSoftwareApp::closeAllFrames()
{
    for (auto &frame : m_openFrames) {
        if (frame)
            frame->destroyFrame();
        frame = nullptr;
    }
    if (m_mainFrame && m_mainFrame->channelTableFrame())
        m_mainFrame->channelTableFrame()->destroyFrame();
}

void CPcSoftwareApp::OnFileNew()
{
    if (m_firstNew) {
        m_doc->OnNewDocument(m_firstNew, *m_prompter);
        m_doc->setTitle(QLatin1String(kDefaultTitle));
        m_doc->setFilePath(QString());
        createDocumentFrame();
        m_editor->clear();
        return;
    }
    // The user may decline the question; only a new codeplug ends the
    // undo history of the old one.
    const auto before = std::make_unique<Image>(m_doc->currentImage());
    m_doc->OnNewDocument(m_firstNew, *m_prompter);
    if (*before != m_doc->currentImage())
        m_editor->clear();
    m_mainFrame->RebuildRecordNodes();
    m_mainFrame->UpdateAllViews();
    m_mainFrame->UpdateTitle();
}

void CPcSoftwareApp::OnFileOpen()
{
    if (!SaveModified())
        return;
    const QString path = chooseOpenFile ? chooseOpenFile(m_mainFrame.get()) : QString();
    if (path.isEmpty())
        return;
    OpenDocumentFile(path);
    m_mainFrame->RefreshAllTexts();
}

bool CPcSoftwareApp::OpenDocumentFile(const QString &path)
{
    // The steps of the codeplug being closed cannot apply to another one.
    m_editor->clear();
    closeAllFrames();
    m_doc->DeleteContents();
    const DataFile::LoadResult result = DataFile::load(*m_doc, path);
    if (result == DataFile::LoadResult::ReadError) {
        askWith(QStringLiteral("IDS_ERROR_OPENFILE"), QDir::toNativeSeparators(path), QStringLiteral("IDS_ERROR"),
                Prompt::Icon::Error);
        m_firstNew = true;
        OnFileNew();
        return false;
    }
    if (result == DataFile::LoadResult::HeaderMismatch || result == DataFile::LoadResult::NotCodeplug) {
        // Not a codeplug of this program: the blank codeplug stays untitled,
        // so a Save cannot overwrite the foreign file. An empty or random
        // file is no codeplug at all, which "model mismatch" would not say.
        if (result == DataFile::LoadResult::HeaderMismatch)
            m_prompter->tell(QStringLiteral("IDS_WARN_LOAD"), QString(), Prompt::Icon::Error);
        else
            askWith(QStringLiteral("IDS_WARN_NOTCODEPLUG"), QDir::toNativeSeparators(path), QStringLiteral("IDS_ERROR"),
                    Prompt::Icon::Error);
        m_doc->setDiskStamp(FileStamp());
        m_doc->setTitle(QLatin1String(kDefaultTitle));
        m_doc->setFilePath(QString());
    } else {
        // Closing the codeplug unchanged must not ask to save it.
        m_doc->TakeBaseline();
        m_doc->setFilePath(QFileInfo(path).absoluteFilePath());
        m_doc->setTitle(QFileInfo(path).fileName());
        m_recentFiles.add(path);
        if (m_doc->loadedFromOddSizedFile())
            askWith(QStringLiteral("IDS_WARN_FILESIZE"),
                    {QDir::toNativeSeparators(path), QString::number(m_doc->loadedFileSize()),
                     QString::number(DataFile::kFileSize)},
                    QStringLiteral("IDS_WARN"), Prompt::Icon::Warning);
        // The program keeps the model of setting.ini; a file of another
        // model then shows too few (or too many) zone slots.
        if (StoredModel::differs(*m_doc))
            askWith(QStringLiteral("IDS_WARN_MODEL_DIFFERS"),
                    {QDir::toNativeSeparators(path), StoredModel::known(*m_doc), m_settings.modelName(),
                     QString::number(m_settings.zoneSlotCount())},
                    QStringLiteral("IDS_WARN"), Prompt::Icon::Warning);
    }
    // The document now exists: a later New re-initialises it and asks first,
    // or edits made since the file was opened would go without a question.
    m_firstNew = false;
    createDocumentFrame();
    return true;
}

void CPcSoftwareApp::warnAboutUnusableRanges()
{
    QStringList entries;
    for (int n : FreqRangeCheck::unusableEntries(m_settings))
        entries << FreqRangeCheck::entryText(m_settings, n);
    if (!entries.isEmpty())
        askWith(QStringLiteral("IDS_WARN_FREQRANGE"), {entries.join(QStringLiteral(", "))}, QStringLiteral("IDS_WARN"),
                Prompt::Icon::Warning);
}

bool CPcSoftwareApp::saveTo(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    // Another program (or a command line edit) changed the file since it was
    // opened or saved here: saving now would silently drop that change.
    if (m_doc->diskStamp().exists && !m_doc->filePath().isEmpty() && FilePaths::sameFile(path, m_doc->filePath())
        && FileStamp::of(path) != m_doc->diskStamp()
        && askWith(QStringLiteral("IDS_WARN_CHANGED_ON_DISK"), shown, QStringLiteral("IDS_WARN"), Prompt::Icon::Warning,
                   Prompt::Buttons::YesNo)
               != PromptAnswer::Yes)
        return false;
    if (QString error; !DataFile::save(*m_doc, path, &error)) {
        // The title keeps its "*": nothing was saved.
        askWith(QStringLiteral("IDS_ERROR_SAVEFILE_CAUSE"), {shown, error}, QStringLiteral("IDS_ERROR"),
                Prompt::Icon::Error);
        return false;
    }
    m_doc->setDiskStamp(FileStamp::of(path));
    m_doc->TakeBaseline();
    m_doc->setFilePath(QFileInfo(path).absoluteFilePath());
    m_doc->setTitle(QFileInfo(path).fileName());
    m_recentFiles.add(path);
    m_mainFrame->UpdateTitle();
    return true;
}

bool CPcSoftwareApp::OnFileSave()
{
    if (m_doc->filePath().isEmpty())
        return OnFileSaveAs();
    return saveTo(m_doc->filePath());
}

bool CPcSoftwareApp::OnFileSaveAs()
{
    const QString typed = chooseSaveFile ? chooseSaveFile(m_mainFrame.get(), m_doc->title()) : QString();
    if (typed.isEmpty())
        return false;
    // The dialog does not confirm: the question must be about the file that
    // is written, which may carry the extension the user did not type.
    const FilePaths::SaveTarget target = FilePaths::saveTarget(typed, QStringLiteral("dat"), FilePaths::Extension::IfNone);
    const QString shown = QDir::toNativeSeparators(target.path);
    switch (target.kind) {
    case FilePaths::SaveTarget::Kind::Refused:
        askWith(QStringLiteral("IDS_ERROR_NOTAFILE"), shown, QStringLiteral("IDS_ERROR"), Prompt::Icon::Error);
        return false;
    case FilePaths::SaveTarget::Kind::Existing:
        if (askWith(QStringLiteral("IDS_ASK_REPLACE"), shown, QStringLiteral("IDS_WARN"), Prompt::Icon::Warning,
                    Prompt::Buttons::YesNo) != PromptAnswer::Yes)
            return false;
        break;
    case FilePaths::SaveTarget::Kind::New:
        break;
    }
    return saveTo(target.path);
}

bool CPcSoftwareApp::SaveModified()
{
    if (!m_doc || !m_doc->IsModified())
        return true;
    // The caption stays the program's name, as the framework's question has it.
    switch (askWith(QStringLiteral("IDS_ASK_SAVE"), m_doc->title(), QString(), Prompt::Icon::Warning,
                    Prompt::Buttons::YesNoCancel)) {
    case PromptAnswer::Yes: return OnFileSave();
    case PromptAnswer::No: return true;
    default: break;
    }
    return false;
}

void CPcSoftwareApp::ApplyLanguage()
{
    const QString name = m_settings.languageName();
    if (!m_settings.languageFileExists()) {
        const QString builtIn = QStringLiteral(":/lang/%1.lang").arg(name);
        m_settings.setLanguagePath(QFileInfo(builtIn).isFile() ? builtIn : QStringLiteral(":/lang/english.lang"));
        if (!m_toldMissingLanguage) {
            m_toldMissingLanguage = true;
            // The file that would give this message its words is the one missing.
            const QString file = QDir::toNativeSeparators(m_settings.languageFilePath(name));
            m_prompter->ask(Prompt{{}, {}, Prompt::Icon::Warning, Prompt::Buttons::Ok,
                                   QStringLiteral("The language file %1 is missing: the built-in texts are shown.\n"
                                                  "语言文件 %1 不存在，将显示程序内置的文字。").arg(file),
                                   QStringLiteral("RQ381")});
        }
    }
    // Qt's own buttons and dialogs follow the program's language.
    if (m_qtTranslator) {
        QCoreApplication::removeTranslator(m_qtTranslator.get());
        m_qtTranslator.reset();
    }
    if (name == QLatin1String("chinese")) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(translator.get());
            m_qtTranslator = std::move(translator);
        }
    }
}

void CPcSoftwareApp::OnAppAbout()
{
    CAboutDialog dialog(m_settings, m_mainFrame.get());
    dialog.exec();
}

PromptAnswer CPcSoftwareApp::askWith(const QString &textKey, const QString &argument, const QString &captionKey,
                                     Prompt::Icon icon, Prompt::Buttons buttons)
{
    return askWith(textKey, QStringList{argument}, captionKey, icon, buttons);
}

PromptAnswer CPcSoftwareApp::askWith(const QString &textKey, const QStringList &arguments, const QString &captionKey,
                                     Prompt::Icon icon, Prompt::Buttons buttons)
{
    QString text = m_settings.language().GetLangString(textKey);
    for (int i = 0; i < arguments.size(); ++i)
        text.replace(QStringLiteral("%%1").arg(i + 1), arguments.at(i));
    return m_prompter->ask(Prompt{{}, captionKey, icon, buttons, text});
}
