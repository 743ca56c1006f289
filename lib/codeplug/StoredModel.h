#pragma once

#include <QString>

class CPcSoftwareDoc;

// The model a codeplug names in its radio information, against the model
// the program runs as. The zone-slot count and every model-dependent rule
// follow the settings' model, so a file of another model read as this one
// hides zones or offers the wrong sections.
namespace StoredModel {

// The model the image names when it is one this program knows; else empty.
QString known(const CPcSoftwareDoc &doc);

// Whether the image names a known model other than the settings' model.
bool differs(const CPcSoftwareDoc &doc);

// Makes the settings' model the one the image names, unless the model was
// fixed for this run or the image names none this program knows. Returns
// the model given up (empty when nothing changed).
QString follow(CPcSoftwareDoc &doc);

}
