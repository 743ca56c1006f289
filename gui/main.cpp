#include "app/CMainFrame.h"
#include "app/CChildFrame.h"
#include "app/CPcSoftwareApp.h"
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

namespace {

// Writes the frame of one section form, opened as the tree opens it, to a PNG.
int takeFormScreenshot(CPcSoftwareApp &app, const QString &formName, const QString &file)
{
    const int code = SectionTable::codeForName(formName);
    if (code == 0 || !SectionTable::hasForm(code)) {
        qWarning("No form named '%s'.", qPrintable(formName));
        return 1;
    }
    CMainFrame *frame = app.mainFrame();
    frame->setWindowState(Qt::WindowNoState);
    frame->resize(1600, 1000);
    frame->show();
    frame->OnNavigate(code, 0);
    CChildFrame *child = app.openFrame(code);
    if (!child) {
        qWarning("The form '%s' could not be opened.", qPrintable(formName));
        return 1;
    }
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    child->showMaximized();
    child->showNormal();
    child->resize(child->sizeHint().expandedTo(child->minimumSizeHint()));
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

}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("rq381cps"));
    QApplication::setApplicationVersion(QStringLiteral(RQ381_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("RQ381 programming software"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption configOption(QStringLiteral("config"),
                                          QStringLiteral("Folder of setting.ini and the language files."),
                                          QStringLiteral("DIR"));
    const QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                              QStringLiteral("Write a picture of the main window and quit."),
                                              QStringLiteral("FILE"));
    const QCommandLineOption formOption(QStringLiteral("form"),
                                        QStringLiteral("With --screenshot: picture this section form (channels, contacts, ...)."),
                                        QStringLiteral("NAME"));
    parser.addOption(configOption);
    parser.addOption(screenshotOption);
    parser.addOption(formOption);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A .dat codeplug to open."), QStringLiteral("[file]"));
    parser.process(application);

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
