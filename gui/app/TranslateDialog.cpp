#include "app/TranslateDialog.h"

#include "app/Language.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QVariant>

namespace {
const char kCtrlIdProperty[] = "ctrlId";
}

void setCtrlId(QWidget *widget, int id)
{
    if (widget)
        widget->setProperty(kCtrlIdProperty, id);
}

int ctrlId(const QWidget *widget)
{
    if (!widget)
        return -1;
    bool ok = false;
    const int id = widget->property(kCtrlIdProperty).toInt(&ok);
    return ok ? id : -1;
}

void TranslateControls(QWidget *window, const Language &language)
{
    if (!window)
        return;
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *child : children) {
        const int id = ctrlId(child);
        if (id < 0)
            continue;
        const QString text = language.GetLangItem(QStringLiteral("Resource"), id);
        if (text.isEmpty())
            continue;
        if (auto *label = qobject_cast<QLabel *>(child))
            label->setText(text);
        else if (auto *button = qobject_cast<QAbstractButton *>(child))
            button->setText(text);
        else if (auto *group = qobject_cast<QGroupBox *>(child))
            group->setTitle(text);
    }
    NameControlsFromLabels(window);
}

QString LabelTextForName(const QString &labelText)
{
    QString name = labelText;
    // A mnemonic marker is not part of what a screen reader says.
    name.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    name.replace(QStringLiteral("&&"), QStringLiteral("&"));
    name = name.simplified();
    while (name.endsWith(QLatin1Char(':')) || name.endsWith(QChar(0xFF1A)))
        name.chop(1);
    return name.trimmed();
}

void NameControlsFromLabels(QWidget *root)
{
    if (!root)
        return;
    const auto labels = root->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (QWidget *buddy = label->buddy())
            buddy->setAccessibleName(LabelTextForName(label->text()));
    }
}

void TranslateDialog(QWidget *window, int dialogId, const Language &language)
{
    if (!window)
        return;
    window->setWindowTitle(language.GetLangItem(QStringLiteral("Resource"), dialogId));
    TranslateControls(window, language);
}
