#include "sections/NumberFieldForm.h"

#include "app/Language.h"
#include "app/TranslateDialog.h"
#include "widgets/CNumberEdit.h"

#include <QGridLayout>
#include <QLabel>

namespace NumberFieldForm {

void build(QWidget &form, std::vector<NumberField> &fields, const Store &store, QGridLayout *grid, int row)
{
    if (!grid) {
        grid = new QGridLayout(&form);
        grid->setContentsMargins(16, 16, 16, 16);
        grid->setHorizontalSpacing(12);
        grid->setVerticalSpacing(8);
        grid->setColumnStretch(2, 1);
        grid->setRowStretch(int(fields.size()), 1);
    }
    for (NumberField &field : fields) {
        auto *caption = new QLabel(QString::fromUtf8(field.label), &form);
        setCtrlId(caption, field.captionId());
        field.labelWidget = caption;
        field.edit = new CNumberEdit(&form);
        setCtrlId(field.edit, field.id);
        field.edit->setMinimumWidth(110);
        caption->setBuddy(field.edit);
        grid->addWidget(caption, row, 0);
        grid->addWidget(field.edit, row, 1);
        ++row;
        // The undo step is named by the label.
        const int id = field.captionId();
        const std::function<void(int)> write = field.write;
        QObject::connect(field.edit, &CNumberEdit::valueCommitted, &form,
                         [store, id, write](int value) { store(id, [&] { write(value); }); });
    }
}

void showField(NumberField &field, const Language &language)
{
    field.edit->Configure(field.minimum, field.maximum, field.charLimit, field.step, true);
    if (field.hasSpecial)
        field.edit->SetSpecial(0, language.GetLangString(field.specialKey));
    if (field.tenths)
        field.edit->ShowTenths(field.read(), field.hasSpecial);
    else
        field.edit->Show(field.read(), field.hasSpecial);
}

void show(std::vector<NumberField> &fields, const Language &language)
{
    for (NumberField &field : fields)
        showField(field, language);
}

}
