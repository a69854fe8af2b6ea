#include "Art.h"

#include <QtCore/qglobal.h>

static void registerArt() { Q_INIT_RESOURCE(art); }

namespace korven {

void initArtResources() {
    static const bool done = (registerArt(), true);
    Q_UNUSED(done);
}

} // namespace korven
