// EGL's error codes by name, for the backend's failure reason.
#ifndef QUELLOR_HEADLESS_EGL_ERRORS_H
#define QUELLOR_HEADLESS_EGL_ERRORS_H

#include <string>

namespace platform::headless {

// What failed and why: "eglCreateContext: EGL_BAD_CONFIG", from eglGetError
// (which it clears). An unknown code is given in hex.
std::string EglFailure(const char *what);

} // namespace platform::headless

#endif
