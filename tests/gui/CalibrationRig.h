#pragma once

// A simulated radio on a pseudo-terminal for the calibration dialogs: port 1
// of a private configuration names it, ports 2..16 name devices that do not
// exist, so the link-up's port scan never touches a real serial port.

#include "RadioSimulator.h"
#include "TestSupport.h"
#include "app/TranslateDialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTableWidget>
#include <gtest/gtest.h>
#include <memory>

struct CalibrationRig
{
    explicit CalibrationRig(const SimOptions &options = SimOptions(), const QString &language = QStringLiteral("english"))
        : options(options)
    {
        config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("language"), language);
        config.reload();
    }

    void startRadio(const RadioState &initial = RadioState())
    {
        sim = std::make_unique<RadioSimulator>(options, initial);
        QString error;
        ASSERT_TRUE(sim->start(&error)) << error.toStdString();
        for (int n = 1; n <= 16; ++n) {
            const QString device = n == 1 ? sim->devicePath()
                                          : QDir(config.dir()).filePath(QStringLiteral("absent%1").arg(n));
            config.settings().writeSetting(QStringLiteral("ports"), QString::number(n), device);
        }
        config.settings().writeSetting(QStringLiteral("setup"), QStringLiteral("com"), QStringLiteral("1"));
    }

    QStringList radioEvents() { return sim->inspect([](RadioState &state) { return state.events; }); }

    // The visible input controls a screen reader would announce without a name.
    static QStringList unnamedControls(QWidget *root)
    {
        QStringList unnamed;
        for (QWidget *w : root->findChildren<QWidget *>()) {
            const bool input = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w)
                || qobject_cast<QComboBox *>(w) || qobject_cast<QScrollBar *>(w)
                || qobject_cast<QListWidget *>(w) || qobject_cast<QTableWidget *>(w);
            // Parts of composite widgets (a table's corner, a view's own
            // scroll bars, a combo box's list) are named by their owner.
            if (!input || !w->isVisibleTo(root) || !w->isEnabled() || qobject_cast<QComboBox *>(w->parentWidget())
                || qobject_cast<QAbstractScrollArea *>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
                continue;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(w);
            if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << QStringLiteral("%1 #%2").arg(QString::fromLatin1(w->metaObject()->className()))
                               .arg(w->property("ctrlId").toInt());
        }
        return unnamed;
    }

    SimOptions options;
    TestConfig config;
    RecordingPrompter prompter;
    std::unique_ptr<RadioSimulator> sim;
};
