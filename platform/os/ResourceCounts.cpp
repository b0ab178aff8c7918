#include "ResourceCounts.h"

namespace platform {

ResourceCounts liveResources = {};

} // namespace platform
