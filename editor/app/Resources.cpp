// Registration of the built-in resources.
#include "app/Resources.h"

#include <QtGlobal>

static void registerKelvaneResources() {
    Q_INIT_RESOURCE(kelvane);
}

namespace kelvane {

void loadResources() {
    static const bool loaded = [] {
        registerKelvaneResources();
        return true;
    }();
    Q_UNUSED(loaded);
}

} // namespace kelvane
