// Fills the ES 2.0 table with emscripten's WebGL calls. They are reached by
// their emscripten_gl names: the plain gl names are the library's own OpenGL
// 1.1 calls, and emscripten's legacy OpenGL emulation is not linked.
#include "WebGlLoader.h"

extern "C" {
#define ES2_FUNCTION(returnType, name, parameters) returnType emscripten_gl##name parameters;
#include "Es2FunctionList.h"
#undef ES2_FUNCTION
}

namespace fixedgl {

void LoadEs2FunctionsFromWebGl(Es2Functions *f) {
#define ES2_FUNCTION(returnType, name, parameters) f->name = emscripten_gl##name;
#include "Es2FunctionList.h"
#undef ES2_FUNCTION
}

} // namespace fixedgl
