#include "os/ExitStatus.h"

namespace platform {

int ProcessExitStatus(int result) { return result >= 0 && result <= 255 ? result : 255; }

} // namespace platform
