// A codeplug read from the simulated radio survives its own YAML export and
// import byte for byte.

#include "LinkRig.h"

#include "text/YamlCodeplug.h"

TEST(TextRoundTrip, CodeplugReadFromTheRadio)
{
    LinkRig rig;
    ASSERT_TRUE(rig.started);
    ASSERT_EQ(rig.run(TransferDirection::Read), TransferStatus::ReadDone);
    CPcSoftwareDoc &doc = *rig.document.doc;
    const QByteArray yaml = YamlCodeplug::exportText(doc);

    CPcSoftwareDoc copy(doc.settings());
    copy.currentImage() = doc.currentImage();
    copy.UpdateBandLimits();
    const YamlCodeplug::ImportReport report = YamlCodeplug::importText(yaml, copy);
    ASSERT_TRUE(report.ok()) << report.errors.first().toString().toStdString();
    const auto [a, b] = std::mismatch(copy.currentImage().begin(), copy.currentImage().end(), doc.currentImage().begin());
    EXPECT_EQ(a, copy.currentImage().end()) << "first difference at 0x" << std::hex << (a - copy.currentImage().begin());
}
