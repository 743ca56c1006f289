#include "codeplug/StoredModel.h"

#include "app/AppSettings.h"
#include "codeplug/CPcSoftwareDoc.h"

namespace StoredModel {

QString known(const CPcSoftwareDoc &doc)
{
    const QString model = doc.GetModel();
    return AppSettings::isKnownModel(model) ? model : QString();
}

bool differs(const CPcSoftwareDoc &doc)
{
    const QString model = known(doc);
    return !model.isEmpty() && model != doc.settings().modelName();
}

QString follow(CPcSoftwareDoc &doc)
{
    AppSettings &settings = doc.settings();
    if (settings.modelOverridden() || !differs(doc))
        return QString();
    const QString before = settings.modelName();
    settings.setModelName(known(doc));
    // The band of a single-range model depends on the model.
    doc.UpdateBandLimits();
    return before;
}

}
