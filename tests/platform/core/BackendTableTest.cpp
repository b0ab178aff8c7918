// The backend's table as the core checks it before starting the backend, and
// the failure reason a backend keeps.
#include "PlatformFixture.h"

#include <Backend.h>
#include <PlatformControl.h>
#include <headless/EglErrors.h>

#include <EGL/egl.h>

#include <string>

using platform::core::activeBackend;
using platform::core::Backend;
using BackendTableTest = PlatformTest;

// The headless table leaves every optional entry out; taking away any one
// required entry is named as the one missing.
TEST_F(BackendTableTest, EachMissingRequiredEntryIsNamed) {
  EXPECT_EQ(nullptr, platform::core::MissingBackendEntry(activeBackend));
  const struct {
    const char *entry;
    void (*remove)(Backend &table);
  } cases[] = {
      {"name", [](Backend &t) { t.name = nullptr; }},
      {"start", [](Backend &t) { t.start = nullptr; }},
      {"createSurface", [](Backend &t) { t.createSurface = nullptr; }},
      {"destroySurface", [](Backend &t) { t.destroySurface = nullptr; }},
      {"clientSize", [](Backend &t) { t.clientSize = nullptr; }},
      {"createContext", [](Backend &t) { t.createContext = nullptr; }},
      {"makeCurrent", [](Backend &t) { t.makeCurrent = nullptr; }},
      {"deleteContext", [](Backend &t) { t.deleteContext = nullptr; }},
      {"swap", [](Backend &t) { t.swap = nullptr; }},
      {"desktopMode", [](Backend &t) { t.desktopMode = nullptr; }},
      {"displayModes", [](Backend &t) { t.displayModes = nullptr; }},
      {"messageBox", [](Backend &t) { t.messageBox = nullptr; }},
  };
  for (const auto &c : cases) {
    Backend table = activeBackend;
    c.remove(table);
    const char *missing = platform::core::MissingBackendEntry(table);
    ASSERT_NE(nullptr, missing) << c.entry;
    EXPECT_EQ(std::string(c.entry), missing);
  }
}

// A real EGL error by its name; the reason is kept, each report passes the
// call hook, and standard error gets it once.
TEST_F(BackendTableTest, AFailureReasonIsKeptLoggedAndWrittenOnce) {
  EXPECT_EQ(EGL_NO_CONTEXT, eglCreateContext(EGL_NO_DISPLAY, nullptr, EGL_NO_CONTEXT, nullptr));
  const std::string reason = platform::headless::EglFailure("eglCreateContext");
  EXPECT_EQ("eglCreateContext: EGL_BAD_DISPLAY", reason);

  testing::internal::CaptureStderr();
  platform::core::SetBackendFailure(reason.c_str());
  platform::core::SetBackendFailure(reason.c_str());
  EXPECT_EQ("headless backend: " + reason + "\n", testing::internal::GetCapturedStderr());
  ASSERT_NE(nullptr, platform::core::BackendFailure());
  EXPECT_EQ(reason, platform::core::BackendFailure());
  const std::vector<control::PlatformCall> &log = control::CallLog();
  ASSERT_EQ(2u, log.size());
  for (const control::PlatformCall &call : log) {
    EXPECT_EQ("SetBackendFailure", call.name);
    EXPECT_EQ("\"" + reason + "\"", call.arguments);
  }
}
