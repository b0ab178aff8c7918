// quellor-fixedgl-frames: quellor-snapshot's frames drawn by the unchanged
// scene code through quellor_fixedgl on OpenGL ES 2.0, for comparison with
// Mesa's fixed-function pictures. It takes quellor-snapshot's command line
// and sets the scene up as the program does on window creation, pressing
// space the way the window procedure records a key-down. It also prints how
// long the first frame took (the ES driver compiles the shaders on first use)
// and the mean time of the others: RenderFrame and glFinish, without the
// frame's 2 ms pause, which the headless backend only records.
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "AppState.h"
#include "Es2Surface.h"
#include "PngWriter.h"
#include "RenderFrame.h"
#include "RenderState.h"
#include "SceneResources.h"
#include "SnapshotCommandLine.h"

namespace {

const int kWidth = 640;
const int kHeight = 480;

int Fail(const std::string &message) {
  std::fprintf(stderr, "quellor-fixedgl-frames: %s\n", message.c_str());
  return 1;
}

snapshot::Picture ReadPicture() {
  snapshot::Picture picture;
  picture.width = kWidth;
  picture.height = kHeight;
  picture.pixels.resize(static_cast<size_t>(kWidth) * kHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, picture.pixels.data());
  return picture;
}

int RenderFrames(const snapshot::SnapshotOptions &options) {
  appState = AppState();
  appState.isFullscreen = 0;
  ResizeViewport(kWidth, kHeight);
  InitRenderState();
  if (!LoadSceneResources())
    return Fail("tex1.bmp, tex2.bmp and tex3.bmp must be readable bitmaps");

  std::chrono::duration<double> first{0}, rest{0};
  for (int frame = 1; frame <= options.frames; ++frame) {
    for (int pressAt : options.spaceAt) {
      if (pressAt == frame)
        appState.KeyState[kSpaceKey] = 1;
    }
    const auto start = std::chrono::steady_clock::now();
    RenderFrame();
    glFinish();
    (frame == 1 ? first : rest) += std::chrono::steady_clock::now() - start;
    std::string error;
    if (snapshot::IsSnapshotFrame(options, frame) &&
        !snapshot::WritePicturePng(snapshot::SnapshotFileName(options, frame), ReadPicture(),
                                   &error))
      return Fail(error);
  }
  std::printf("first frame %.1f ms", first.count() * 1000.0);
  if (options.frames > 1)
    std::printf(", then %.3f ms a frame", rest.count() * 1000.0 / (options.frames - 1));
  std::printf("\n");
  if (glGetError() != GL_NO_ERROR)
    return Fail("the scene's calls raised an OpenGL error");
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  snapshot::SnapshotOptions options;
  std::string error;
  const snapshot::SnapshotStart start =
      snapshot::StartFromCommandLine(argc, argv, &options, &error);
  if (start == snapshot::SnapshotStart::kHelpShown)
    return 0;
  if (start != snapshot::SnapshotStart::kRender)
    return Fail(error);
  if (!OpenEs2Surface(kWidth, kHeight, kBits565, &error))
    return Fail(error);
  const int status = RenderFrames(options);
  CloseEs2Surface();
  return status;
}
