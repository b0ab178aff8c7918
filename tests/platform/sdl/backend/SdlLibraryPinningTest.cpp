// Libraries loaded at run time stay mapped once the backend has kept them, in
// builds with AddressSanitizer, so that leak reports at exit can name them.
#include "Sanitizers.h"
#include "SdlBackend.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

#ifdef QUELLOR_ADDRESS_SANITIZER
bool Loaded(const char *path) {
  void *handle = dlopen(path, RTLD_LAZY | RTLD_NOLOAD);
  if (handle == nullptr)
    return false;
  dlclose(handle);
  return true;
}
#endif

TEST(LibraryPinning, KeptLibrariesOutliveTheirLastClose) {
#ifndef QUELLOR_ADDRESS_SANITIZER
  GTEST_SKIP() << "libraries are kept mapped in AddressSanitizer builds only";
#else
  // Unkept, the library goes with its last close; that is what keeping it
  // must prevent, and shows the check below can see a library go.
  void *handle = dlopen(QUELLOR_LOADABLE_MODULE, RTLD_LAZY);
  ASSERT_NE(handle, nullptr) << dlerror();
  dlclose(handle);
  ASSERT_FALSE(Loaded(QUELLOR_LOADABLE_MODULE));

  handle = dlopen(QUELLOR_LOADABLE_MODULE, RTLD_LAZY);
  ASSERT_NE(handle, nullptr) << dlerror();
  platform::sdl::KeepLibrariesMapped();
  dlclose(handle);
  EXPECT_TRUE(Loaded(QUELLOR_LOADABLE_MODULE));
#endif
}

} // namespace
