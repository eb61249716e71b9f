#include "render/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a function in the global namespace, so it must be
// used outside any namespace.
static void registerImageResources()
{
    Q_INIT_RESOURCE(images);
}

void initResources()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    registerImageResources();
}
