// Filling the ES 2.0 table natively, from EGL.
#ifndef QUELLOR_FIXEDGL_EGL_LOADER_H
#define QUELLOR_FIXEDGL_EGL_LOADER_H

#include "Es2Functions.h"

#include <string>

namespace fixedgl {

// Looks every entry of the table up with eglGetProcAddress. Returns false,
// naming the first call that is missing in *error, when one cannot be found.
bool LoadEs2FunctionsFromEgl(Es2Functions *functions, std::string *error);

} // namespace fixedgl

#endif
