#pragma once

// The desktop program started headless over a private configuration folder,
// with every message recorded instead of shown.

#include "TestSupport.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CPcSoftwareApp.h"
#include "app/TranslateDialog.h"
#include "codeplug/CPcSoftwareDoc.h"

#include <QApplication>
#include <QMenuBar>
#include <memory>

struct GuiRig
{
    // language: written as [setup] language before start-up.
    explicit GuiRig(const QString &model = QString(), const QString &language = QStringLiteral("english"))
        : config(model)
    {
        config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("language"), language);
    }

    bool start(const QString &file = QString())
    {
        StartupOptions options;
        options.configDir = config.dir();
        options.fileToOpen = file;
        options.showWindow = true;
        app = std::make_unique<CPcSoftwareApp>(options, &prompter);
        app->chooseOpenFile = [this](QWidget *) { return nextOpenFile; };
        app->chooseSaveFile = [this](QWidget *, const QString &) {
            ++saveDialogs;
            return nextSaveFile;
        };
        const bool ok = app->InitInstance();
        QApplication::processEvents();
        return ok;
    }

    CMainFrame *frame() const { return app->mainFrame(); }
    CPcSoftwareDoc &doc() const { return app->document(); }
    template <class T = QWidget>
    T *control(int code, int id) const
    {
        CChildFrame *f = app->openFrame(code);
        return f ? findCtrl<T>(f->form(), id) : nullptr;
    }
    // Closes the main window as the user does; true when it closed.
    bool closeWindow() const
    {
        return frame()->close();
    }

    TestConfig config;
    RecordingPrompter prompter;
    std::unique_ptr<CPcSoftwareApp> app;
    QString nextOpenFile;
    QString nextSaveFile;
    int saveDialogs = 0;
};

// Lets queued navigation requests and timers run.
inline void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}
