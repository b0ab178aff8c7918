// Texture files that change while the loader reads them: cut short (as `cp`
// does first when it overwrites a file), rewritten with another picture, or
// grown, at the moment the view is made, while the headers are read and when
// the conversion starts; and files of gigabytes whose picture is small. Each
// runs with views read into memory and with views mapped, in every build.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "BitmapBytes.h"
#include "BitmapLoader.h"
#include "HostileRun.h"
#include "PlatformControl.h"
#include "PlatformFixture.h"
#include "ScratchDirectory.h"
#include "TakenImage.h"

namespace {

using Picture = std::vector<unsigned char>;

enum class ViewPath { read, mapped };

const char *PathName(ViewPath path) { return path == ViewPath::read ? "read" : "mapped"; }

// 0 maps every view, SIZE_MAX reads every one.
void UseViewPath(ViewPath path) {
  control::SetViewReadLimit(path == ViewPath::read ? SIZE_MAX : 0);
}

struct Loaded {
  bool loaded = false;
  Picture rgb;
  std::vector<std::string> messages;
};

Loaded Load(const char *name) {
  size_t shown = control::MessageBoxesShown().size();
  Loaded result;
  TakenImage taken = TakeImage(LoadBitmapAsRgb(name, 0));
  result.loaded = taken.loaded;
  result.rgb = std::move(taken.rgb);
  for (size_t i = shown; i < control::MessageBoxesShown().size(); ++i) {
    result.messages.push_back(control::MessageBoxesShown()[i].text);
  }
  control::LiveResources live = control::Live();
  EXPECT_EQ(live.fileHandles + live.mappings + live.views + live.localBlocks + live.memoryDCs +
                live.sections,
            0)
      << "the load left something held";
  return result;
}

// Changes the file in place, through a descriptor of its own, as another
// process would: the loader's descriptor stays on the same file.
void Rewrite(const char *name, const Picture &bytes, int flags) {
  int descriptor = open(name, O_WRONLY | flags);
  ASSERT_GE(descriptor, 0);
  ASSERT_EQ(write(descriptor, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  ASSERT_EQ(close(descriptor), 0);
}

void CutTo(const char *name, off_t length) { ASSERT_EQ(truncate(name, length), 0); }

class ChangingTextureTest : public PlatformTest {
protected:
  void SetUp() override {
    PlatformTest::SetUp();
    ASSERT_TRUE(directory_.ok());
  }

  ScratchDirectory directory_;
};

enum class Change { cut, rewritten, grown };

const char *ChangeName(Change change) {
  return change == Change::cut         ? "cut to 100000 bytes"
         : change == Change::rewritten ? "rewritten"
                                       : "grown";
}

// A 3 MiB picture. The loader gives the picture as it read it, or, when the
// file lost its pixel bits before they were read, refuses it as a file that
// short: read views hold the file as it was when they were made, mapped views
// follow the file until they are read.
TEST_F(ChangingTextureTest, AFileChangedWhileItLoadsGivesThePictureAsReadOrARefusal) {
  const Picture original = MakeBitmap24(1024, 1024, 7);
  const Picture other = MakeBitmap24(1024, 1024, 99);
  ASSERT_TRUE(WriteBytes(kHostileTexture, original));
  ASSERT_TRUE(WriteBytes("other.bmp", other));
  ASSERT_TRUE(WriteBytes("original.bmp", original));
  const Picture originalRgb = Load("original.bmp").rgb;
  const Picture otherRgb = Load("other.bmp").rgb;
  ASSERT_EQ(originalRgb.size(), 1024u * 1024 * 3);
  ASSERT_TRUE(originalRgb != otherRgb);
  // What the loader says of a file that is 100000 bytes long to begin with.
  CutTo("original.bmp", 100000);
  const std::vector<std::string> shortFileMessages = Load("original.bmp").messages;
  ASSERT_EQ(shortFileMessages, std::vector<std::string>{"Image file conversion error."});

  for (ViewPath path : {ViewPath::read, ViewPath::mapped}) {
    for (const char *moment : {"MapViewOfFile", "LocalAlloc", "SetDIBits"}) {
      for (Change change : {Change::cut, Change::rewritten, Change::grown}) {
        SCOPED_TRACE(std::string(PathName(path)) + " view, " + ChangeName(change) + " at " +
                     moment);
        ASSERT_TRUE(WriteBytes(kHostileTexture, original));
        control::Reset();
        UseViewPath(path);
        control::BeforeCall(moment, [change] {
          if (change == Change::cut) {
            CutTo(kHostileTexture, 100000);
          } else if (change == Change::rewritten) {
            Rewrite(kHostileTexture, MakeBitmap24(1024, 1024, 99), O_TRUNC);
          } else {
            Rewrite(kHostileTexture, Picture(1 << 20, 0x55), O_APPEND);
          }
        });
        Loaded result = Load(kHostileTexture);
        bool readBeforeTheChange = path == ViewPath::read && std::string(moment) != "MapViewOfFile";
        if (change == Change::grown || readBeforeTheChange) {
          EXPECT_TRUE(result.loaded);
          EXPECT_TRUE(result.rgb == originalRgb) << "not the picture as it was read";
          EXPECT_EQ(result.messages, std::vector<std::string>());
        } else if (change == Change::rewritten) {
          EXPECT_TRUE(result.loaded);
          EXPECT_TRUE(result.rgb == otherRgb) << "not the picture as it was read";
          EXPECT_EQ(result.messages, std::vector<std::string>());
        } else {
          EXPECT_FALSE(result.loaded);
          EXPECT_EQ(result.messages, shortFileMessages);
        }
      }
    }
  }
}

} // namespace
