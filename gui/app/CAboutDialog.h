#pragma once

#include <QDialog>

class AppSettings;

// The About box: program name, model, version and copyright from the
// language file.
class CAboutDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kDialogId = 100;
    enum Control { ProgramName = 1900, ModelLine = 1901, VersionLine = 1902, CopyrightLine = 1903 };

    CAboutDialog(const AppSettings &settings, QWidget *parent = nullptr);
};
