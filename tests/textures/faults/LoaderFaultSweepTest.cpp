// Makes each platform call of a bitmap load fail in turn, for several kinds
// of file, taken from a clean load's call log. Each failure must give the
// loader's one message and no image, or, where the load can ride over it,
// the same image as the clean load; what was obtained must be released in
// the loader's order, and nothing may stay held but an object whose own
// release failed.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "BitmapBytes.h"
#include "BitmapLoader.h"
#include "PlatformControl.h"
#include "PlatformFixture.h"
#include "ScratchDirectory.h"
#include "TakenImage.h"

namespace {

// A packed 8-bit DIB: no file header, an info header with biClrUsed 0 and so
// 256 table entries, then 4x2 pixels of one byte each.
Bytes PackedEightBit() {
  Bytes table;
  for (uint32_t i = 0; i < 256; ++i)
    Put32(&table, 0x00010203u * i);
  Bytes pixels;
  for (int i = 0; i < 8; ++i)
    pixels.push_back(static_cast<uint8_t>(i * 31));
  return Join({InfoHeader({4, 2, 8}), table, pixels});
}

// A core-header 4-bit file with a file header: 16 RGBTRIPLEs, 3x2 pixels.
Bytes CoreFourBit() {
  Bytes table;
  for (int i = 0; i < 16; ++i) {
    table.push_back(static_cast<uint8_t>(i * 16));
    table.push_back(static_cast<uint8_t>(255 - i * 16));
    table.push_back(static_cast<uint8_t>(i * 5));
  }
  return Join({FileHeader(14 + 12 + 48), CoreHeader(3, 2, 4), table,
               PaddedRows({{0x12, 0x30}, {0xAB, 0xC0}})});
}

// An RLE8 file with a file header: 4x2 pixels as two runs and an end mark.
Bytes RunLengthEightBit() {
  return Join({FileHeader(14 + 40 + 8),
               InfoHeader({4, 2, 8, BI_RLE8, 2}),
               Quads({0xFF0000, 0x0000FF}),
               {4, 1, 0, 0, 4, 0, 0, 1}});
}

struct LoadKind {
  const char *fileName;
  bool wideName;
  std::vector<unsigned char> bytes;
};

struct LoadOutcome {
  bool loaded;
  int width = 0, height = 0;
  std::vector<unsigned char> pixels;
  std::vector<control::MessageBoxShown> boxes;
  control::LiveResources live; // relative to the load's start
  std::vector<control::PlatformCall> calls;
};

LoadOutcome Load(const LoadKind &kind, const std::string &failingCall = "", int nth = 0) {
  control::Reset();
  control::LiveResources before = control::Live();
  if (!failingCall.empty())
    control::FailCall(failingCall, nth);
  std::u16string wide(kind.fileName, kind.fileName + std::char_traits<char>::length(kind.fileName));
  RgbImage *image =
      kind.wideName ? LoadBitmapAsRgb(wide.c_str(), 1) : LoadBitmapAsRgb(kind.fileName, 0);
  LoadOutcome outcome;
  TakenImage taken = TakeImage(image);
  outcome.loaded = taken.loaded;
  outcome.width = taken.width;
  outcome.height = taken.height;
  outcome.pixels = std::move(taken.rgb);
  outcome.boxes = control::MessageBoxesShown();
  control::LiveResources now = control::Live();
  outcome.live = {0,
                  0,
                  0,
                  0,
                  now.fileHandles - before.fileHandles,
                  now.mappings - before.mappings,
                  now.views - before.views,
                  now.localBlocks - before.localBlocks,
                  now.memoryDCs - before.memoryDCs,
                  now.sections - before.sections};
  outcome.calls = control::CallLog();
  return outcome;
}

const std::set<std::string> kReleases = {"DeleteDC", "DeleteObject", "LocalFree", "UnmapViewOfFile",
                                         "CloseHandle"};
const std::set<std::string> kOpenSteps = {"CreateFileA", "CreateFileW",        "GetFileSizeEx",
                                          "ReadFile",    "CreateFileMappingA", "MapViewOfFile"};
const std::map<std::string, std::string> kDecodeFailureTexts = {
    {"LocalAlloc", "Out of memory."},
    {"CreateCompatibleDC", "Out of memory."},
    {"CreateDIBSection", "Out of memory."},
    {"SelectObject", "Out of memory."},
    {"SetDIBits", "Image file conversion error."},
};

// The releases due for what the call log shows was obtained, in the loader's
// order: device context, section, section header, converted header, view,
// mapping, file.
std::vector<std::string> DueReleases(const std::vector<control::PlatformCall> &calls) {
  bool file = false, mapping = false, view = false, memoryDC = false, section = false;
  int blocks = 0;
  for (const control::PlatformCall &call : calls) {
    if (call.failed)
      continue;
    file = file || call.name == "CreateFileA" || call.name == "CreateFileW";
    mapping = mapping || call.name == "CreateFileMappingA";
    view = view || call.name == "MapViewOfFile";
    memoryDC = memoryDC || call.name == "CreateCompatibleDC";
    section = section || call.name == "CreateDIBSection";
    blocks += call.name == "LocalAlloc";
  }
  std::vector<std::string> due;
  if (memoryDC)
    due.push_back("DeleteDC");
  if (section)
    due.push_back("DeleteObject");
  for (int i = 0; i < blocks; ++i)
    due.push_back("LocalFree");
  if (view)
    due.push_back("UnmapViewOfFile");
  if (mapping)
    due.push_back("CloseHandle");
  if (file)
    due.push_back("CloseHandle");
  return due;
}

int Position(const std::vector<control::PlatformCall> &calls, const std::string &name) {
  for (size_t i = 0; i < calls.size(); ++i)
    if (calls[i].name == name)
      return static_cast<int>(i);
  return -1;
}

void ExpectHeldOnly(const control::LiveResources &live, const control::LiveResources &expected) {
  EXPECT_EQ(live.fileHandles, expected.fileHandles);
  EXPECT_EQ(live.mappings, expected.mappings);
  EXPECT_EQ(live.views, expected.views);
  EXPECT_EQ(live.localBlocks, expected.localBlocks);
  EXPECT_EQ(live.memoryDCs, expected.memoryDCs);
  EXPECT_EQ(live.sections, expected.sections);
}

void SweepLoad(const LoadKind &kind) {
  ASSERT_TRUE(WriteBytes(kind.fileName, kind.bytes));
  LoadOutcome clean = Load(kind);
  ASSERT_TRUE(clean.loaded);
  ASSERT_TRUE(clean.boxes.empty());
  ASSERT_FALSE(clean.pixels.empty());
  ExpectHeldOnly(clean.live, {});
  // File, mapping, view, two local blocks, device context and section: the
  // sweep must see every acquisition, or it would skip their failures.
  ASSERT_EQ(DueReleases(clean.calls).size(), 7u);

  std::map<std::string, int> seen;
  std::vector<std::string> unknown;
  const std::string openFailure = std::string("Failed to open DIB file ") + kind.fileName + ".\n";
  for (const control::PlatformCall &call : clean.calls) {
    const std::string &name = call.name;
    int nth = ++seen[name];
    SCOPED_TRACE(name + " #" + std::to_string(nth));
    LoadOutcome failed = Load(kind, name, nth);
    bool injected = false;
    for (const control::PlatformCall &made : failed.calls)
      injected = injected || (made.failed && made.name == name);
    ASSERT_TRUE(injected) << "the failure was never made";

    // What was obtained is released, once, in the loader's order.
    std::vector<std::string> releases;
    for (const control::PlatformCall &made : failed.calls)
      if (kReleases.count(made.name))
        releases.push_back(made.name);
    EXPECT_EQ(releases, DueReleases(failed.calls));

    control::LiveResources held = {};
    std::string text;
    if (kOpenSteps.count(name)) {
      text = openFailure;
    } else if (kDecodeFailureTexts.count(name)) {
      text = kDecodeFailureTexts.at(name);
    } else if (name == "DeleteDC") {
      // The section stays selected into the device context that could not
      // go, and a selected section cannot be deleted.
      held.memoryDCs = held.sections = 1;
    } else if (name == "DeleteObject") {
      held.sections = 1;
    } else if (name == "LocalFree") {
      held.localBlocks = 1;
    } else if (name == "UnmapViewOfFile") {
      held.views = 1;
    } else if (name == "CloseHandle") {
      (nth == 1 ? held.mappings : held.fileHandles) = 1;
    } else if (name != "GdiFlush") {
      // A call new to the loader: its failure must either leave the load as
      // it was or fail it with one of the loader's messages.
      unknown.push_back(name);
      if (!failed.loaded)
        text = failed.boxes.empty() ? "(a message)" : failed.boxes[0].text;
    }
    ExpectHeldOnly(failed.live, held);

    if (text.empty()) {
      EXPECT_TRUE(failed.loaded);
      EXPECT_TRUE(failed.boxes.empty());
      EXPECT_EQ(failed.width, clean.width);
      EXPECT_EQ(failed.height, clean.height);
      EXPECT_EQ(failed.pixels, clean.pixels);
      continue;
    }
    EXPECT_FALSE(failed.loaded);
    ASSERT_EQ(failed.boxes.size(), 1u);
    EXPECT_EQ(failed.boxes[0].text, text);
    EXPECT_EQ(failed.boxes[0].title, "Error");
    EXPECT_EQ(failed.boxes[0].style, static_cast<UINT>(MB_OK));
    EXPECT_EQ(failed.boxes[0].owner, nullptr) << "no window has the focus";
    // A failed open has released the file before its message; any later
    // failure is reported first and released once the box is closed.
    int box = Position(failed.calls, "MessageBoxA");
    for (size_t i = 0; i < failed.calls.size(); ++i) {
      if (kReleases.count(failed.calls[i].name)) {
        if (kOpenSteps.count(name)) {
          EXPECT_LT(static_cast<int>(i), box) << failed.calls[i].name;
        } else {
          EXPECT_GT(static_cast<int>(i), box) << failed.calls[i].name;
        }
      }
    }
  }
  ::testing::Test::RecordProperty("swept_calls", static_cast<int>(clean.calls.size()));
  if (!unknown.empty())
    std::cout << "note: swept under the general rules only: " << ::testing::PrintToString(unknown)
              << "\n";
}

class LoaderFaultSweepTest : public PlatformTest {
protected:
  ScratchDirectory directory_;
};

TEST_F(LoaderFaultSweepTest, TwentyFourBitFileWithFileHeader) {
  ASSERT_TRUE(directory_.ok());
  SweepLoad({"rows.bmp", false, MakeBitmap24(5, 3, 9)});
}

TEST_F(LoaderFaultSweepTest, TwentyFourBitFileByWideName) {
  ASSERT_TRUE(directory_.ok());
  SweepLoad({"wide.bmp", true, MakeBitmap24(3, 2, 77)});
}

TEST_F(LoaderFaultSweepTest, PackedEightBitDib) {
  ASSERT_TRUE(directory_.ok());
  SweepLoad({"packed.dib", false, PackedEightBit()});
}

TEST_F(LoaderFaultSweepTest, CoreHeaderFourBitFile) {
  ASSERT_TRUE(directory_.ok());
  SweepLoad({"core.bmp", false, CoreFourBit()});
}

TEST_F(LoaderFaultSweepTest, RunLengthEightBitFile) {
  ASSERT_TRUE(directory_.ok());
  SweepLoad({"runs.bmp", false, RunLengthEightBit()});
}

} // namespace
