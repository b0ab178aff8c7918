#include "os/ResourceCounts.h"

namespace platform {

ResourceCounts liveResources = {};

} // namespace platform
