#pragma once

#include <QString>

// The source tree and the folder the programs are built into. They live in
// one generated source, so that the other test sources do not depend on
// where the tree is and a second checkout compiles them from the cache.
QString sourcePath(const QString &relative);
QString binPath(const QString &relative);
