// Filling the ES 2.0 table in the browser, from emscripten's WebGL calls.
#ifndef QUELLOR_FIXEDGL_WEBGL_LOADER_H
#define QUELLOR_FIXEDGL_WEBGL_LOADER_H

#include "Es2Functions.h"

namespace fixedgl {

// Points every entry of the table at emscripten's WebGL 1 call of the same
// name, which draws on the WebGL context current when it is called.
void LoadEs2FunctionsFromWebGl(Es2Functions *functions);

} // namespace fixedgl

#endif
