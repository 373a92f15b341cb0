#include "resources/ImageResourcesInit.h"

#include <QtGlobal>

#include <mutex>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterSvpImages() { Q_INIT_RESOURCE(svp_images); }

void InitImageResources()
{
    static std::once_flag once;
    std::call_once(once, RegisterSvpImages);
}
