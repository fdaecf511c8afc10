#include "app/resources.h"

#include <QtGlobal>

static void registerDuredirResources()
{
    Q_INIT_RESOURCE(duredir);
}

namespace app {

void initResources()
{
    static const bool done = (registerDuredirResources(), true);
    Q_UNUSED(done);
}

} // namespace app
