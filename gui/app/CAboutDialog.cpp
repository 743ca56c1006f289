#include "app/CAboutDialog.h"

#include "app/AppSettings.h"
#include "app/TranslateDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

CAboutDialog::CAboutDialog(const AppSettings &settings, QWidget *parent) : QDialog(parent)
{
    auto *grid = new QGridLayout(this);
    auto *icon = new QLabel(this);
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    grid->addWidget(icon, 0, 0, 4, 1, Qt::AlignTop);

    auto addLine = [this, grid](int control, int row) {
        auto *label = new QLabel(this);
        setCtrlId(label, control);
        grid->addWidget(label, row, 1);
        return label;
    };
    QLabel *name = addLine(ProgramName, 0);
    QLabel *model = addLine(ModelLine, 1);
    QLabel *version = addLine(VersionLine, 2);
    QLabel *copyright = addLine(CopyrightLine, 3);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    setCtrlId(buttons->button(QDialogButtonBox::Ok), 1);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    grid->addWidget(buttons, 4, 0, 1, 2);

    const Language &language = settings.language();
    TranslateDialog(this, kDialogId, language);
    const QString modelName = settings.modelName();
    name->setText(language.GetLangString(QStringLiteral("IDS_AboutName")) + QStringLiteral(" ") + modelName
                  + QStringLiteral(" ") + language.GetLangString(QStringLiteral("IDS_MODELNAME")));
    model->setText(language.GetLangString(QStringLiteral("IDS_ABOUTMODEL")) + QStringLiteral(" ") + modelName
                   + QStringLiteral(" ") + language.GetLangString(QStringLiteral("IDS_ABOUTRADIO")));
    copyright->setText(language.GetLangString(QStringLiteral("IDS_COPYRIGHT")));
    version->setText(language.GetLangString(QStringLiteral("IDS_AboutVersion")));
}
