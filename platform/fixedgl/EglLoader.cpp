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
  return Load(f->AttachShader, "glAttachShader", error) &&
         Load(f->BindAttribLocation, "glBindAttribLocation", error) &&
         Load(f->BindBuffer, "glBindBuffer", error) &&
         Load(f->BindFramebuffer, "glBindFramebuffer", error) &&
         Load(f->BindRenderbuffer, "glBindRenderbuffer", error) &&
         Load(f->BindTexture, "glBindTexture", error) &&
         Load(f->BufferData, "glBufferData", error) &&
         Load(f->CheckFramebufferStatus, "glCheckFramebufferStatus", error) &&
         Load(f->Clear, "glClear", error) && Load(f->ClearColor, "glClearColor", error) &&
         Load(f->ClearDepthf, "glClearDepthf", error) &&
         Load(f->CompileShader, "glCompileShader", error) &&
         Load(f->CreateProgram, "glCreateProgram", error) &&
         Load(f->CreateShader, "glCreateShader", error) &&
         Load(f->DeleteBuffers, "glDeleteBuffers", error) &&
         Load(f->DeleteFramebuffers, "glDeleteFramebuffers", error) &&
         Load(f->DeleteProgram, "glDeleteProgram", error) &&
         Load(f->DeleteRenderbuffers, "glDeleteRenderbuffers", error) &&
         Load(f->DeleteShader, "glDeleteShader", error) &&
         Load(f->DeleteTextures, "glDeleteTextures", error) &&
         Load(f->DepthFunc, "glDepthFunc", error) && Load(f->Disable, "glDisable", error) &&
         Load(f->DisableVertexAttribArray, "glDisableVertexAttribArray", error) &&
         Load(f->DrawArrays, "glDrawArrays", error) && Load(f->Enable, "glEnable", error) &&
         Load(f->EnableVertexAttribArray, "glEnableVertexAttribArray", error) &&
         Load(f->Finish, "glFinish", error) && Load(f->Flush, "glFlush", error) &&
         Load(f->FramebufferRenderbuffer, "glFramebufferRenderbuffer", error) &&
         Load(f->FramebufferTexture2D, "glFramebufferTexture2D", error) &&
         Load(f->GenBuffers, "glGenBuffers", error) &&
         Load(f->GenFramebuffers, "glGenFramebuffers", error) &&
         Load(f->GenRenderbuffers, "glGenRenderbuffers", error) &&
         Load(f->GenTextures, "glGenTextures", error) && Load(f->GetError, "glGetError", error) &&
         Load(f->GetIntegerv, "glGetIntegerv", error) &&
         Load(f->GetProgramInfoLog, "glGetProgramInfoLog", error) &&
         Load(f->GetProgramiv, "glGetProgramiv", error) &&
         Load(f->GetShaderInfoLog, "glGetShaderInfoLog", error) &&
         Load(f->GetShaderiv, "glGetShaderiv", error) &&
         Load(f->GetUniformLocation, "glGetUniformLocation", error) &&
         Load(f->LinkProgram, "glLinkProgram", error) &&
         Load(f->PixelStorei, "glPixelStorei", error) &&
         Load(f->ReadPixels, "glReadPixels", error) &&
         Load(f->RenderbufferStorage, "glRenderbufferStorage", error) &&
         Load(f->ShaderSource, "glShaderSource", error) &&
         Load(f->TexImage2D, "glTexImage2D", error) &&
         Load(f->TexParameteri, "glTexParameteri", error) &&
         Load(f->Uniform1i, "glUniform1i", error) && Load(f->Uniform3fv, "glUniform3fv", error) &&
         Load(f->Uniform4fv, "glUniform4fv", error) &&
         Load(f->UniformMatrix3fv, "glUniformMatrix3fv", error) &&
         Load(f->UniformMatrix4fv, "glUniformMatrix4fv", error) &&
         Load(f->UseProgram, "glUseProgram", error) &&
         Load(f->VertexAttribPointer, "glVertexAttribPointer", error) &&
         Load(f->Viewport, "glViewport", error);
}

} // namespace fixedgl
