// Textures on a quad that fills the 64x64 surface, so that each texel of a
// 2x2 texture covers a 32x32 square: modulation, unpack alignment, the sizes
// and filters a texture needs to be used, repetition and names.
#include "FixedGlTest.h"

#include <sys/resource.h>

#include <fstream>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// An allocation the process has no room for fails as it does without the
// sanitizer, which would otherwise end the process.
extern "C" const char *__asan_default_options() { return "allocator_may_return_null=1"; }
#endif

namespace {

const Rgb kRed = {255, 0, 0}, kGreen = {0, 255, 0}, kBlue = {0, 0, 255}, kWhite = {255, 255, 255};

// Texel (0, 0), (1, 0), (0, 1), (1, 1) of a 2x2 texture drawn full-screen.
Rgb Texel(int s, int t) { return PixelAt(16 + 32 * s, 16 + 32 * t); }

GLuint MakeTexture(GLsizei width, GLsizei height, const std::vector<unsigned char> &bytes,
                   GLint alignment, GLint filter = GL_NEAREST) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  return name;
}

void DrawFullScreen() { DrawQuad(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f); }

// The address space the process has mapped, in bytes.
rlim_t MappedBytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmSize:", 0) == 0)
      return std::stoull(line.substr(7)) * 1024; // in kB
  }
  return 0;
}

// While it lives, the process can map only `room` bytes more, as in a
// container whose memory is nearly used up.
class AddressSpaceLimit {
public:
  explicit AddressSpaceLimit(rlim_t room) {
    getrlimit(RLIMIT_AS, &before_);
    rlimit tight = before_;
    tight.rlim_cur = MappedBytes() + room;
    limited_ = tight.rlim_cur > room && setrlimit(RLIMIT_AS, &tight) == 0;
  }
  ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &before_); }
  bool limited() const { return limited_; }

private:
  rlimit before_;
  bool limited_ = false;
};

// Red, green / blue, white; rows of 6 bytes, padded to 8 for alignment 4.
const std::vector<unsigned char> kTightRows = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
const std::vector<unsigned char> kPaddedRows = {255, 0, 0, 0,   255, 0,   77,
                                                77,  0, 0, 255, 255, 255, 255};

class TextureTest : public FixedGlTest {
protected:
  void SetUp() override {
    FixedGlTest::SetUp();
    glEnable(GL_TEXTURE_2D);
  }
};

TEST_F(TextureTest, ModulatesTheFragmentColour) {
  MakeTexture(2, 2, kTightRows, 1);
  DrawFullScreen();
  EXPECT_TRUE(Near(Texel(0, 0), kRed));
  EXPECT_TRUE(Near(Texel(1, 0), kGreen));
  EXPECT_TRUE(Near(Texel(0, 1), kBlue));
  EXPECT_TRUE(Near(Texel(1, 1), kWhite));

  // Lit by light 0 the colour is 0.84, and the texels are scaled by it.
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  DrawFullScreen();
  const int lit = Channel(0.84);
  EXPECT_TRUE(Near(Texel(0, 0), {lit, 0, 0}));
  EXPECT_TRUE(Near(Texel(1, 1), {lit, lit, lit}));

  glDisable(GL_TEXTURE_2D);
  DrawFullScreen();
  EXPECT_TRUE(Near(Texel(0, 0), {lit, lit, lit}));
}

TEST_F(TextureTest, RowsAreReadWithTheUnpackAlignment) {
  MakeTexture(2, 2, kPaddedRows, 4);
  DrawFullScreen();
  EXPECT_TRUE(Near(Texel(0, 1), kBlue)) << "the second row starts after two bytes of padding";
  EXPECT_TRUE(Near(Texel(1, 1), kWhite));

  MakeTexture(2, 2, kTightRows, 1);
  DrawFullScreen();
  EXPECT_TRUE(Near(Texel(0, 1), kBlue)) << "no padding with alignment 1";
  EXPECT_TRUE(Near(Texel(1, 1), kWhite));

  // A column of 3-byte rows, padded to 4 or not.
  MakeTexture(1, 2, {255, 0, 0, 77, 0, 0, 255, 77}, 4);
  DrawFullScreen();
  EXPECT_TRUE(Near(Texel(1, 1), kBlue));
  MakeTexture(1, 2, {255, 0, 0, 0, 0, 255}, 1);
  DrawFullScreen();
  EXPECT_TRUE(Near(Texel(1, 1), kBlue));

  GLint alignment = 0;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 2);
}

// OpenGL 1.1 takes only sides that are powers of two, and uses a texture
// only when it has every level its minification filter needs; otherwise the
// quad is drawn untextured, in the current colour.
TEST_F(TextureTest, TexturesThatCannotBeUsedLeaveTheQuadUntextured) {
  MakeTexture(2, 2, kTightRows, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 3, 2, 0, GL_RGB, GL_UNSIGNED_BYTE,
               std::vector<unsigned char>(18).data());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));
  DrawFullScreen();
  EXPECT_TRUE(Near(Texel(0, 0), kRed)) << "the refused image left the texture as it was";

  GLuint fresh = 0;
  glGenTextures(1, &fresh);
  glBindTexture(GL_TEXTURE_2D, fresh);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 3, 2, 0, GL_RGB, GL_UNSIGNED_BYTE,
               std::vector<unsigned char>(18).data());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));
  DrawFullScreen();
  EXPECT_TRUE(Near(Texel(0, 0), kWhite)) << "a texture without an image";

  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, kTightRows.data());
  DrawFullScreen();
  EXPECT_TRUE(Near(Texel(0, 0), kWhite)) << "the default minification filter needs mipmaps";
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  DrawFullScreen();
  EXPECT_TRUE(Near(Texel(0, 0), kRed));

  glBindTexture(GL_TEXTURE_2D, 0);
  DrawFullScreen();
  EXPECT_TRUE(Near(Texel(0, 0), kWhite)) << "texture 0 has no image";
}

// An image the ES context has no memory for: it refuses the upload with
// GL_OUT_OF_MEMORY, which glGetError reports once, or the error of our own
// that came before it; one that comes after is not kept. The texture is left
// without an image and not used.
TEST_F(TextureTest, AnImageTheContextHasNoMemoryForIsReportedAndNotUsed) {
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  ASSERT_GE(largest, 1024);
  struct Case {
    const char *what;
    bool ownErrorBefore, ownErrorAfter;
    GLenum reported;
  };
  const Case cases[] = {{"alone", false, false, GL_OUT_OF_MEMORY},
                        {"after an error of our own", true, false, GL_INVALID_ENUM},
                        {"before an error of our own", false, true, GL_OUT_OF_MEMORY}};
  const GLuint kUnknown = 0x1234;
  for (const Case &c : cases) {
    MakeTexture(2, 2, kTightRows, 1);
    if (c.ownErrorBefore)
      glEnable(kUnknown);
    {
      // The image takes at least largest^2 / 2 * 3 bytes (384 MiB on Mesa).
      AddressSpaceLimit limit(static_cast<rlim_t>(largest) * largest / 16);
      ASSERT_TRUE(limit.limited());
      glTexImage2D(GL_TEXTURE_2D, 0, 3, largest, largest / 2, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    }
    if (c.ownErrorAfter)
      glEnable(kUnknown);
    EXPECT_EQ(glGetError(), c.reported) << c.what;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << c.what << ": reported once";
    DrawFullScreen();
    EXPECT_TRUE(Near(Texel(0, 0), kWhite)) << c.what << ": the texture has no image";
  }
}

TEST_F(TextureTest, CoordinatesRepeatAndFollowTheTextureMatrix) {
  // Red and green side by side; columns 8, 24, 40 and 56 sample s = 0.13,
  // 0.38, 0.63 and 0.88.
  MakeTexture(2, 1, {255, 0, 0, 0, 255, 0}, 1);
  DrawFullScreen();
  EXPECT_TRUE(Near(PixelAt(8, 8), kRed));
  EXPECT_TRUE(Near(PixelAt(24, 8), kRed));
  EXPECT_TRUE(Near(PixelAt(40, 8), kGreen));
  glMatrixMode(GL_TEXTURE);
  glScalef(2.0f, 1.0f, 1.0f);
  DrawFullScreen();
  EXPECT_TRUE(Near(PixelAt(8, 8), kRed));
  EXPECT_TRUE(Near(PixelAt(24, 8), kGreen));
  EXPECT_TRUE(Near(PixelAt(40, 8), kRed)) << "s = 1.27 repeats as 0.27";
  EXPECT_TRUE(Near(PixelAt(56, 8), kGreen));

  // Between the texel centres linear filtering mixes them: column 32 samples
  // s = 0.5078, 0.5156 of the way from the red texel's centre to the green's.
  glLoadIdentity();
  MakeTexture(2, 1, {255, 0, 0, 0, 255, 0}, 1, GL_LINEAR);
  DrawFullScreen();
  EXPECT_TRUE(Near(PixelAt(32, 8), {Channel(0.484375), Channel(0.515625), 0}, 2));
}

TEST_F(TextureTest, GeneratedNamesAreUnusedOnes) {
  glBindTexture(GL_TEXTURE_2D, 2);
  GLuint names[3] = {};
  glGenTextures(3, names);
  EXPECT_EQ(names[0], 1u);
  EXPECT_EQ(names[1], 3u) << "2 is in use since it was bound";
  EXPECT_EQ(names[2], 4u);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 2);
}

} // namespace
