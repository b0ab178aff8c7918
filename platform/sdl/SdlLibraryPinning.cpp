// Keeps the shared libraries loaded at run time mapped until the process ends,
// in builds with AddressSanitizer only. A helper of the backend's table, called
// before each SDL call that may unload one; not an entry of the table itself.
//
// SDL and the OpenGL stack beneath it load libraries with dlopen (libGL and
// libGLX, the GLX vendor library, the Mesa driver, D-Bus) and close them
// again when the video subsystem quits, some drivers also with the last
// OpenGL window. LeakSanitizer runs after all that at exit. A block that such
// a library keeps for the life of the process, pointed to only from the
// library's own variables, then looks leaked (those variables are gone), and
// its allocation is reported from an "<unknown module>" that no suppression by
// library name can match. Marking every loaded object RTLD_NODELETE keeps its
// code and variables mapped: such blocks stay reachable, and any real leak in
// a library is reported with the library's name.
//
// Other builds have no leak report to make readable, so they leave loading
// and unloading to the libraries, as those were written to be used.
#include "os/Sanitizers.h"
#include "sdl/SdlBackend.h"

#ifdef QUELLOR_ADDRESS_SANITIZER
#include <dlfcn.h>
#include <link.h>

#include <string>
#include <vector>

namespace {

int CollectName(dl_phdr_info *info, size_t, void *data) {
  // The program itself has an empty name and never unloads.
  if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0')
    static_cast<std::vector<std::string> *>(data)->push_back(info->dlpi_name);
  return 0;
}

} // namespace
#endif

void platform::sdl::KeepLibrariesMapped() {
#ifdef QUELLOR_ADDRESS_SANITIZER
  // The names are gathered first and opened after the walk: dlopen inside the
  // walk's callback would run under the loader lock the walk holds.
  std::vector<std::string> names;
  dl_iterate_phdr(CollectName, &names);
  for (const std::string &name : names) {
    // RTLD_NOLOAD only finds an object already loaded; RTLD_NODELETE stays on
    // it for good, so closing the handle again leaves it mapped.
    if (void *handle = dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE))
      dlclose(handle);
  }
#endif
}
