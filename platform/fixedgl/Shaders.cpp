// The GLSL ES 1.00 program that stands in for the fixed-function pipeline:
// per-vertex transformation and lighting, and texturing with GL_MODULATE.
//
// The vertex shader lights in eye space. The caller packs the enabled lights
// first and gives their count; per light it passes the eye-space position,
// the light's ambient and diffuse colours already multiplied by the
// material's, and the attenuation factors. The normal is carried by the
// inverse transpose of the modelview matrix and is not renormalised, so a
// scaled normal scales the diffuse term. There is no specular term: the
// material's specular colour is black, so it adds nothing. With lighting off
// the base colour is the current colour and no light is passed. Alpha is 1
// either way: it is the alpha of the current colour or of the material's
// diffuse colour, and neither can be changed.
#include "Shaders.h"

#include <vector>

namespace fixedgl {

namespace {

const char kVertexShader[] = R"(
precision highp float;
attribute vec3 a_position;
attribute vec3 a_normal;
attribute vec2 a_texCoord;
uniform mat4 u_modelview;
uniform mat4 u_projection;
uniform mat3 u_normalMatrix;
uniform mat4 u_textureMatrix;
uniform vec3 u_baseColour;
uniform int u_lightCount;
uniform vec4 u_lightPosition[8];
uniform vec3 u_lightAmbient[8];
uniform vec3 u_lightDiffuse[8];
uniform vec3 u_lightAttenuation[8];
varying vec4 v_colour;
varying vec4 v_texCoord;

void main() {
  vec4 eye = u_modelview * vec4(a_position, 1.0);
  vec3 normal = u_normalMatrix * a_normal;
  vec3 colour = u_baseColour;
  for (int i = 0; i < 8; ++i) {
    if (i >= u_lightCount)
      break;
    vec4 light = u_lightPosition[i];
    vec3 toLight;
    float attenuation = 1.0;
    if (light.w != 0.0) {
      vec3 offset = light.xyz / light.w - eye.xyz / eye.w;
      float range = length(offset);
      toLight = offset / range;
      vec3 k = u_lightAttenuation[i];
      attenuation = 1.0 / (k.x + k.y * range + k.z * range * range);
    } else {
      toLight = normalize(light.xyz);
    }
    colour += attenuation *
              (u_lightAmbient[i] + max(dot(normal, toLight), 0.0) * u_lightDiffuse[i]);
  }
  v_colour = vec4(clamp(colour, 0.0, 1.0), 1.0);
  v_texCoord = u_textureMatrix * vec4(a_texCoord, 0.0, 1.0);
  gl_Position = u_projection * eye;
}
)";

// Texture coordinates reach 5 and more on the floor; at medium precision a
// coordinate that large would lose sub-texel steps, so they are interpolated
// at high precision where the fragment shader has it.
const char kFragmentShader[] = R"(
precision mediump float;
#ifdef GL_FRAGMENT_PRECISION_HIGH
varying highp vec4 v_texCoord;
#else
varying vec4 v_texCoord;
#endif
varying vec4 v_colour;
uniform bool u_texturing;
uniform sampler2D u_sampler;

void main() {
  vec4 colour = v_colour;
  if (u_texturing)
    colour *= texture2DProj(u_sampler, v_texCoord.xyw);
  gl_FragColor = colour;
}
)";

// Copies the back buffer's texture to the screen pixel for pixel: one
// triangle covers the viewport, and each fragment reads the texel under it.
const char kPresentVertexShader[] = R"(
attribute vec3 a_position;
void main() {
  gl_Position = vec4(a_position.xy, 0.0, 1.0);
}
)";

const char kPresentFragmentShader[] = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D u_sampler;
uniform vec4 u_size; // width and height, then 1 and 1
void main() {
  gl_FragColor = vec4(texture2D(u_sampler, gl_FragCoord.xy / u_size.xy).rgb, 1.0);
}
)";

GLuint CompileShader(const Es2Functions &es2, GLenum type, const char *source, std::string *error) {
  GLuint shader = es2.CreateShader(type);
  es2.ShaderSource(shader, 1, &source, nullptr);
  es2.CompileShader(shader);
  GLint compiled = 0;
  es2.GetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled)
    return shader;
  std::vector<GLchar> log(4096);
  es2.GetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
  *error = std::string(type == GL_VERTEX_SHADER ? "vertex" : "fragment") +
           " shader does not compile: " + log.data();
  es2.DeleteShader(shader);
  return 0;
}

// Compiles and links the two shaders, with the attributes at their fixed
// indices. Returns the program, or 0 with the compiler's or linker's log.
GLuint LinkShaders(const Es2Functions &es2, const char *vertexSource, const char *fragmentSource,
                   std::string *error) {
  GLuint vertexShader = CompileShader(es2, GL_VERTEX_SHADER, vertexSource, error);
  if (!vertexShader)
    return 0;
  GLuint fragmentShader = CompileShader(es2, GL_FRAGMENT_SHADER, fragmentSource, error);
  if (!fragmentShader) {
    es2.DeleteShader(vertexShader);
    return 0;
  }
  GLuint program = es2.CreateProgram();
  es2.AttachShader(program, vertexShader);
  es2.AttachShader(program, fragmentShader);
  es2.BindAttribLocation(program, kPositionAttribute, "a_position");
  es2.BindAttribLocation(program, kNormalAttribute, "a_normal");
  es2.BindAttribLocation(program, kTexCoordAttribute, "a_texCoord");
  es2.LinkProgram(program);
  // The program keeps the shaders it was linked from.
  es2.DeleteShader(vertexShader);
  es2.DeleteShader(fragmentShader);
  GLint linked = 0;
  es2.GetProgramiv(program, GL_LINK_STATUS, &linked);
  if (!linked) {
    std::vector<GLchar> log(4096);
    es2.GetProgramInfoLog(program, static_cast<GLsizei>(log.size()), nullptr, log.data());
    *error = std::string("shader program does not link: ") + log.data();
    es2.DeleteProgram(program);
    return 0;
  }
  return program;
}

} // namespace

GLuint BuildProgram(const Es2Functions &es2, ProgramLocations *locations, std::string *error) {
  GLuint program = LinkShaders(es2, kVertexShader, kFragmentShader, error);
  if (!program)
    return 0;

  auto find = [&](const char *name) { return es2.GetUniformLocation(program, name); };
  locations->modelview = find("u_modelview");
  locations->projection = find("u_projection");
  locations->normalMatrix = find("u_normalMatrix");
  locations->textureMatrix = find("u_textureMatrix");
  locations->baseColour = find("u_baseColour");
  locations->lightCount = find("u_lightCount");
  locations->lightPosition = find("u_lightPosition");
  locations->lightAmbient = find("u_lightAmbient");
  locations->lightDiffuse = find("u_lightDiffuse");
  locations->lightAttenuation = find("u_lightAttenuation");
  locations->texturing = find("u_texturing");
  locations->sampler = find("u_sampler");
  return program;
}

GLuint BuildPresentProgram(const Es2Functions &es2, PresentLocations *locations,
                           std::string *error) {
  GLuint program = LinkShaders(es2, kPresentVertexShader, kPresentFragmentShader, error);
  if (!program)
    return 0;
  locations->sampler = es2.GetUniformLocation(program, "u_sampler");
  locations->size = es2.GetUniformLocation(program, "u_size");
  return program;
}

} // namespace fixedgl
