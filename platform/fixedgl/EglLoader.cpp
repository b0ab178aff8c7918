// Fills the ES 2.0 table from eglGetProcAddress, which gives the entry points
// of whichever ES context is current when they are called.
#include "EglLoader.h"

#include <EGL/egl.h>

namespace fixedgl {

namespace {

template <typename Function> bool Load(Function &slot, const char *name, std::string *error) {
  slot = reinterpret_cast<Function>(eglGetProcAddress(name));
  if (!slot)
    *error = std::string("eglGetProcAddress finds no ") + name;
  return slot != nullptr;
}

} // namespace

bool LoadEs2FunctionsFromEgl(Es2Functions *f, std::string *error) {
#define ES2_FUNCTION(returnType, name, parameters)                                                 \
  if (!Load(f->name, "gl" #name, error))                                                           \
    return false;
#include "Es2FunctionList.h"
#undef ES2_FUNCTION
  return true;
}

} // namespace fixedgl
