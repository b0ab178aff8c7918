// The shader program that draws everything, and the one that presents the
// back buffer.
#ifndef QUELLOR_FIXEDGL_SHADERS_H
#define QUELLOR_FIXEDGL_SHADERS_H

#include "State.h"

#include <string>

namespace fixedgl {

// Vertex attribute indices, bound before linking.
const GLuint kPositionAttribute = 0;
const GLuint kNormalAttribute = 1;
const GLuint kTexCoordAttribute = 2;

// Compiles and links the program and finds its uniforms. Returns the program,
// or 0 with the compiler's or linker's log in *error.
GLuint BuildProgram(const Es2Functions &es2, ProgramLocations *locations, std::string *error);

// The program that copies the back buffer's colour texture to the screen.
GLuint BuildPresentProgram(const Es2Functions &es2, PresentLocations *locations,
                           std::string *error);

} // namespace fixedgl

#endif
