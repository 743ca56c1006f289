#include "link/TransferPreparation.h"

#include "app/AppSettings.h"
#include "codeplug/CPcSoftwareDoc.h"

#include <algorithm>

namespace TransferPreparation {

void stampProgramTime(uint8_t *image, const QDateTime &now)
{
    const QByteArray digits = now.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
    if (digits.size() != 14)
        return;
    for (int i = 0; i < 7; ++i)
        image[kLastProgramTime + i] = uint8_t(((digits[2 * i] - '0') << 4) | (digits[2 * i + 1] - '0'));
}

void prepareCommon(uint8_t *image, const QString &model, const QDateTime &now)
{
    stampProgramTime(image, now);
    if (model == QLatin1String("RQ381")) {
        image[kRq381DisplayField] = 0;
    } else if (model == QLatin1String("TL809")) {
        image[kTl809BasicField] = 0;
        image[kTl809OptionField] &= uint8_t(~0x0C);
    }
}

void prepareWrite(CPcSoftwareDoc &doc, const QDateTime &now)
{
    uint8_t *image = doc.image();
    prepareCommon(image, doc.settings().modelName(), now);
    const uint8_t writeOnly[] = {0xFF, 0xFF, 0xFF, 0x01, 0x01};
    std::copy(std::begin(writeOnly), std::end(writeOnly), image + kWriteOnlyBytes);
    doc.WriteDefaultTable64();
}

}
