#pragma once

// The desktop program started headless over a private configuration folder,
// with every message recorded instead of shown.

#include "TestSupport.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CPcSoftwareApp.h"
#include "app/TranslateDialog.h"
#include "codeplug/CPcSoftwareDoc.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QAbstractSpinBox>
#include <QListWidget>
#include <QMenuBar>
#include <QScrollBar>
#include <QTableWidget>
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

// What a screen reader says for a control: its accessible name, which a
// buddy label or its own text gives it.
inline QString accessibleNameOf(QWidget *widget)
{
    if (!widget)
        return QString();
    if (!widget->accessibleName().isEmpty())
        return widget->accessibleName();
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// The visible input controls of a form or dialog that have no accessible
// name, each as "class #ctrlId".
inline QStringList unnamedInputs(const QWidget *root)
{
    QStringList unnamed;
    const auto widgets = root->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        const bool input = qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w)
                           || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QAbstractButton *>(w)
                           || qobject_cast<QListWidget *>(w) || qobject_cast<QTableWidget *>(w)
                           || qobject_cast<QScrollBar *>(w);
        // Parts of composite widgets (the line edit of a spin box or combo
        // box, a view's own scroll bars and corner) are named by their owner.
        QWidget *parent = w->parentWidget();
        const bool inner = qobject_cast<QAbstractSpinBox *>(parent) || qobject_cast<QComboBox *>(parent)
                           || qobject_cast<QAbstractScrollArea *>(parent ? parent->parentWidget() : nullptr);
        if (!input || inner || w->isHidden() || !w->isVisibleTo(const_cast<QWidget *>(root)))
            continue;
        if (accessibleNameOf(w).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 #%2").arg(QLatin1String(w->metaObject()->className())).arg(ctrlId(w));
    }
    return unnamed;
}
