#include "codeplug/NewCodeplug.h"

#include "app/AppSettings.h"
#include "codeplug/CPcSoftwareDoc.h"
#include "codeplug/FreqRangeCheck.h"

namespace NewCodeplug {

namespace {

QString entry(const AppSettings &settings, int n)
{
    return settings.setting(QStringLiteral("FreqRange"), QStringLiteral("data%1").arg(n), 32);
}

// The default codeplug of the range over an erased image.
void build(CPcSoftwareDoc &doc, int range)
{
    doc.currentImage().fill(0xFF);
    doc.LoadFreqRange(range);
}

}

QString rangeProblem(const AppSettings &settings, int range)
{
    if (range < 0 || range >= FreqRangeCheck::kEntryCount)
        return QStringLiteral("the frequency range must be a number from 0 to %1, not %2").arg(FreqRangeCheck::kEntryCount - 1).arg(range);
    if (settings.modelName() == QLatin1String("RQ381S") && range != kStartRange)
        return QStringLiteral("the model RQ381S is built for frequency range %1 only").arg(kStartRange);
    if (entry(settings, range).isEmpty())
        return QStringLiteral("setting.ini [FreqRange] has no frequency range %1 (no entry data%1)").arg(range);
    if (const QString problem = FreqRangeCheck::entryProblem(settings, range); !problem.isEmpty())
        return problem;
    // The range list, and the band a codeplug finds for its range, end at the first missing entry.
    for (int n = 0; n < range; ++n) {
        if (entry(settings, n).isEmpty())
            return QStringLiteral("setting.ini [FreqRange] has no entry data%1, so frequency range %2 is not offered").arg(n).arg(range);
    }
    return QString();
}

QString make(CPcSoftwareDoc &doc, int range)
{
    const QString problem = rangeProblem(doc.settings(), range);
    if (problem.isEmpty()) {
        doc.DeleteContents();
        build(doc, range);
    }
    return problem;
}

QString replaceImage(CPcSoftwareDoc &doc, int range)
{
    const QString problem = rangeProblem(doc.settings(), range);
    if (problem.isEmpty())
        build(doc, range);
    return problem;
}

QString makeAnyway(CPcSoftwareDoc &doc, int range)
{
    doc.DeleteContents();
    build(doc, range);
    return rangeProblem(doc.settings(), range);
}

}
