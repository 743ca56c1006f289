#include "sections/CKeySettingView.h"

#include "app/AppSettings.h"
#include "app/Language.h"
#include "app/TranslateDialog.h"
#include "sections/FormFields.h"
#include "sections/KeySettingData.h"
#include "sections/FieldBinder.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace {

// In the order of the lists 1016, 1018, ..., 1026.
const char *const kBuiltInLabels[CKeySettingView::kKeyCount] = {
    "顶键(短按)", "顶键(长按)", "侧键1(短按)", "侧键1(长按)", "侧键2(短按)", "侧键2(长按)",
};

}

int CKeySettingView::slotOfList(int listIndex)
{
    return listIndex / 2 + (listIndex % 2 ? 3 : 0);
}

QString CKeySettingView::labelKey(int listIndex, const QString &model)
{
    static const char *const keys[] = {"IDS_TOPKEYSHORT",   "IDS_TOPKEYLONG",   "IDS_SIDEKEY1SHORT",
                                       "IDS_SIDEKEY1LONG",  "IDS_SIDEKEY2SHORT", "IDS_SIDEKEY2LONG",
                                       "IDS_SIDEKEY3SHORT", "IDS_SIDEKEY3LONG"};
    const int shift = model == QLatin1String("TL809") ? 2 : 0;
    return QString::fromLatin1(keys[listIndex + shift]);
}

CKeySettingView::CKeySettingView(const FormContext &context, QWidget *parent)
    : CSectionForm(context, 3, kDialogId, parent),
      m_fields(std::make_unique<FieldBinder>(QStringLiteral("programmable_keys"), *this, doc(), prompter(),
                                             [this](int nameId, const std::function<void()> &change) {
                                                 storeField(nameId, change);
                                                 Reload();
                                             }))
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    // Short and long press of one key side by side.
    for (int i = 0; i < kKeyCount; ++i) {
        const int id = TopKeyShort + 2 * i;
        QLabel *caption = makeLabel(id - 1, QString::fromUtf8(kBuiltInLabels[i]));
        auto *list = new QComboBox(this);
        setCtrlId(list, id);
        caption->setBuddy(list);
        list->setMinimumContentsLength(16);
        grid->addWidget(caption, i / 2, (i % 2) * 2);
        grid->addWidget(list, i / 2, (i % 2) * 2 + 1);
        m_lists[i] = list;
        m_labels[i] = caption;
        connect(list, &QComboBox::activated, this, [this, i](int position) { onChosen(i, position); });
    }

    m_fields->numberRows(*this, *grid, 3, {{LongPressTime, "长按键时间[毫秒]", QStringLiteral("long_press_time_ms"), LongPressLabel}});
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(4, 1);
}

CKeySettingView::~CKeySettingView() = default;

// The lists hold only the functions the model offers, so a key's function
// is stored by its place in the list.
void CKeySettingView::onChosen(int listIndex, int position)
{
    const int slot = slotOfList(listIndex);
    // Choosing the entry already shown keeps the stored code, which may be
    // one this model does not offer.
    if (position == CKeySettingData(doc()).GetKeySlot(slot))
        return;
    runEdit(labelKey(listIndex, settings().modelName()),
            [&] { CKeySettingData(doc()).SetKeySlot(slot, position); }, Redraw::OtherForms);
    Reload();
}

void CKeySettingView::Reload()
{
    const CKeySettingData data(doc());
    m_fields->show(language());

    // The model's functions in code order, up to the first code without a text.
    QStringList functions;
    for (int code = 0; code <= CKeySettingData::kMaxFunctionCode; ++code) {
        if (!data.IsFunctionAvailable(0, code))
            continue;
        const QString text = language().GetLangItem(QStringLiteral("KeyData"), code);
        if (text.isEmpty())
            break;
        functions << text;
    }
    for (int i = 0; i < kKeyCount; ++i)
        FormFields::fillItems(m_lists[i], functions, data.GetKeySlot(slotOfList(i)));

    const QString model = settings().modelName();
    for (int i = 0; i < kKeyCount; ++i) {
        const QString text = language().GetLangString(labelKey(i, model));
        if (!text.isEmpty())
            m_labels[i]->setText(text);
    }
    NameControlsFromLabels(this);
}
