#include "app/CMainFrame.h"
#include "app/CChildFrame.h"
#include "app/CPcSoftwareApp.h"
#include "app/CommandLineHelp.h"
#include "sections/CSectionForm.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// Writes the frame of one section form, opened as the tree opens it, to a PNG.
int takeFormScreenshot(CPcSoftwareApp &app, const QString &formName, const QString &file)
{
    // The channel table is no section of its own; View > Channel Table opens it.
    const bool table = formName == QLatin1String("channel-table");
    const int code = SectionTable::codeForName(formName);
    if (!table && (code == 0 || !SectionTable::hasForm(code))) {
        qWarning("No form named '%s'.", qPrintable(formName));
        return 1;
    }
    CMainFrame *frame = app.mainFrame();
    frame->setWindowState(Qt::WindowNoState);
    frame->resize(1600, 1000);
    frame->show();
    if (!table)
        frame->OnNavigate(code, 0);
    CChildFrame *child = table ? frame->OpenChannelTable() : app.openFrame(code);
    if (!child) {
        qWarning("The form '%s' could not be opened.", qPrintable(formName));
        return 1;
    }
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    child->showMaximized();
    child->showNormal();
    child->resize(child->sizeHint().expandedTo(child->minimumSizeHint()));
    // Showing the frame anew hands the focus to its first field; the table
    // keeps it, as when it opens.
    if (table)
        child->form()->setFocus();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    if (!child->grab().save(file, "PNG")) {
        qWarning("Cannot write the screenshot to %s", qPrintable(file));
        return 1;
    }
    return 0;
}

// A screenshot run has nobody to answer: the library's prompts are answered
// by the prompter, and any other modal box that still opens is answered with
// its default button. Should the run hang anyway, it ends with a message.
void answerModalBoxesAutomatically(QApplication &application)
{
    auto *watch = new QTimer(&application);
    QObject::connect(watch, &QTimer::timeout, [] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(box->windowTitle()), qPrintable(box->text()));
            if (QPushButton *button = box->defaultButton())
                button->click();
            else
                box->done(QMessageBox::Ok);
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->reject();
        }
    });
    watch->start(100);
    constexpr int kScreenshotDeadlineMs = 60000;
    QTimer::singleShot(kScreenshotDeadlineMs, &application, [] {
        std::fprintf(stderr, "rq381cps: the screenshot was not taken within %d s; giving up\n",
                     kScreenshotDeadlineMs / 1000);
        std::_Exit(1);
    });
}

// Lays the window out at a fixed size and writes it to a PNG: a look at the
// program without a display.
int takeScreenshot(CPcSoftwareApp &app, const QString &file)
{
    CMainFrame *frame = app.mainFrame();
    frame->setWindowState(Qt::WindowNoState);
    frame->resize(1280, 800);
    frame->show();
    if (QTreeWidgetItem *channels = frame->treeBar()->staticItem(6)) {
        channels->setExpanded(true);
        for (int i = 0; i < channels->childCount(); ++i)
            channels->child(i)->setExpanded(true);
    }
    if (QTreeWidgetItem *basic = frame->treeBar()->staticItem(1))
        frame->treeBar()->tree()->setCurrentItem(basic);
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    frame->UpdateStatusPanes();
    if (!frame->grab().save(file, "PNG")) {
        qWarning("Cannot write the screenshot to %s", qPrintable(file));
        return 1;
    }
    return 0;
}

// The command line of the desktop program.
struct CommandLine
{
    CommandLine()
    {
        parser.setApplicationDescription(QStringLiteral("RQ381 programming software: edit a codeplug, "
                                                        "read and write the radio."));
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(config);
        parser.addOption(screenshot);
        parser.addOption(form);
        parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A .dat codeplug to open."),
                                     QStringLiteral("[file]"));
    }

    // The exit status when the line asks for help or the version (or is
    // wrong and reportErrors is set); nothing when the program should start.
    std::optional<int> answer(const QStringList &arguments, bool reportErrors)
    {
        const bool parsed = parser.parse(arguments);
        if (parsed && parser.isSet(help)) {
            std::fputs(qPrintable(helpWithProgramName(parser, QStringLiteral("rq381cps"))), stdout);
            return 0;
        }
        if (parsed && parser.isSet(version)) {
            std::printf("rq381cps %s\n", RQ381_VERSION);
            return 0;
        }
        if (!parsed && reportErrors) {
            std::fprintf(stderr, "rq381cps: %s (see rq381cps --help)\n", qPrintable(parser.errorText()));
            return 2;
        }
        return std::nullopt;
    }

    QCommandLineParser parser;
    const QCommandLineOption help{QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this text.")};
    const QCommandLineOption version{QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version.")};
    const QCommandLineOption config{QStringLiteral("config"),
                                    QStringLiteral("Folder of setting.ini and the language files (default: "
                                                   "~/.config/rq381, the program's folder, then the installed "
                                                   "defaults)."),
                                    QStringLiteral("DIR")};
    const QCommandLineOption screenshot{QStringLiteral("screenshot"),
                                        QStringLiteral("Write a picture of the main window and quit."),
                                        QStringLiteral("FILE")};
    const QCommandLineOption form{QStringLiteral("form"),
                                  QStringLiteral("With --screenshot: picture this section form (channels, "
                                                 "contacts, ...)."),
                                  QStringLiteral("NAME")};
};

}

int main(int argc, char *argv[])
{
    // --help and --version are answered before the windowing system starts,
    // so they work without a display. Qt's own options (-platform ...) are
    // not known yet: a line this parse rejects is parsed again below.
    {
        QCoreApplication probe(argc, argv);
        CommandLine line;
        if (const auto status = line.answer(probe.arguments(), false))
            return *status;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("rq381cps"));
    QApplication::setApplicationVersion(QStringLiteral(RQ381_VERSION));

    CommandLine line;
    if (const auto status = line.answer(application.arguments(), true))
        return *status;
    QCommandLineParser &parser = line.parser;
    const QCommandLineOption &configOption = line.config;
    const QCommandLineOption &screenshotOption = line.screenshot;
    const QCommandLineOption &formOption = line.form;

    StartupOptions options;
    options.configDir = parser.value(configOption);
    const QStringList files = parser.positionalArguments();
    options.fileToOpen = files.isEmpty() ? QString() : files.first();
    const QString screenshot = parser.value(screenshotOption);
    options.showWindow = screenshot.isEmpty();
    options.answerPromptsWithDefault = !screenshot.isEmpty();
    if (!screenshot.isEmpty())
        answerModalBoxesAutomatically(application);

    CPcSoftwareApp app(options);
    if (!app.InitInstance())
        return 1;
    if (!screenshot.isEmpty() && parser.isSet(formOption))
        return takeFormScreenshot(app, parser.value(formOption), screenshot);
    if (!screenshot.isEmpty())
        return takeScreenshot(app, screenshot);
    // The last window closed ends the program only after the save question.
    return application.exec();
}
