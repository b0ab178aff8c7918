// The platform calls of a load, in order: what is obtained, the one message
// of a failure (shown before anything is released), and the release of
// everything in the order the loader's tear-down fixes, after a failure of
// each call in turn.
#include "BitmapBuilder.h"

#include <BitmapLoader.h>
#include <PlatformControl.h>
#include <PlatformFixture.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include <cstdlib>

namespace {

using Names = std::vector<std::string>;

class ReleaseOrderTest : public PlatformTest {
protected:
  void SetUp() override {
    PlatformTest::SetUp();
    Bytes bits = PaddedRows({{1, 0, 1}, {0, 1, 0}});
    path = WriteTempFile("order.bmp", Join({FileHeader(14 + 40 + 8), InfoHeader({3, 2, 8, 0, 2}),
                                            Quads({0x000000, 0xFFFFFF}), bits}));
    control::ClearCallLog();
  }

  // The loader's platform calls, without those that only format or show a
  // message.
  static Names LoaderCalls() {
    Names names;
    for (const std::string &name : control::CallNames()) {
      if (name != "wsprintfA" && name != "GetFocus") {
        names.push_back(name);
      }
    }
    return names;
  }

  std::string path;
};

const Names kSuccessfulLoad = {
    "CreateFileA", "GetFileSizeEx",      "ReadFile",    "CreateFileMappingA", "MapViewOfFile",
    "LocalAlloc",  "CreateCompatibleDC", "LocalAlloc",  "CreateDIBSection",   "SelectObject",
    "SetDIBits",   "GdiFlush",           "DeleteDC",    "DeleteObject",       "LocalFree",
    "LocalFree",   "UnmapViewOfFile",    "CloseHandle", "CloseHandle"};

// The arguments of the nth call (1-based) of that name, split at ", ".
Names Arguments(const std::string &name, int nth) {
  for (const control::PlatformCall &call : control::CallLog()) {
    if (call.name == name && --nth == 0) {
      Names parts;
      size_t start = 0;
      for (size_t comma; (comma = call.arguments.find(", ", start)) != std::string::npos;
           start = comma + 2) {
        parts.push_back(call.arguments.substr(start, comma - start));
      }
      parts.push_back(call.arguments.substr(start));
      return parts;
    }
  }
  ADD_FAILURE() << "no call " << nth << " of " << name;
  return Names(8);
}

TEST_F(ReleaseOrderTest, ASuccessfulLoadReleasesEverythingInOrderAndShowsNothing) {
  LoadResult result = LoadBitmap(path);
  ASSERT_TRUE(result.loaded);
  EXPECT_EQ(control::CallNames(), kSuccessfulLoad);

  // Each release names what was obtained: the device context holding the
  // section, the section, the section header, the converted header, then the
  // mapping and the file.
  EXPECT_EQ(Arguments("DeleteDC", 1)[0], Arguments("SelectObject", 1)[0]);
  EXPECT_EQ(Arguments("DeleteObject", 1)[0], Arguments("SelectObject", 1)[1]);
  EXPECT_EQ(Arguments("LocalFree", 1)[0], Arguments("CreateDIBSection", 1)[1]);
  EXPECT_EQ(Arguments("LocalFree", 2)[0], Arguments("SetDIBits", 1)[5]);
  EXPECT_EQ(Arguments("CloseHandle", 1)[0], Arguments("MapViewOfFile", 1)[0]);
  EXPECT_EQ(Arguments("CloseHandle", 2)[0], Arguments("CreateFileMappingA", 1)[0]);
}

TEST_F(ReleaseOrderTest, TheCallsAskForWhatTheLoaderNeeds) {
  ASSERT_TRUE(LoadBitmap(path).loaded);
  EXPECT_EQ(Arguments("CreateFileA", 1),
            (Names{"\"" + path + "\"", "2147483648", "1", "NULL", "3", "0", "NULL"}));
  // No security attributes, PAGE_READONLY, no name, and the mapping and the
  // view of exactly the size GetFileSizeEx gave, whatever the file does next.
  const std::string size = std::to_string(std::filesystem::file_size(path));
  Names mapping = Arguments("CreateFileMappingA", 1);
  EXPECT_EQ(Names(mapping.begin() + 1, mapping.end()), (Names{"NULL", "2", "0", size, "NULL"}));
  // FILE_MAP_READ from offset 0.
  Names view = Arguments("MapViewOfFile", 1);
  EXPECT_EQ(Names(view.begin() + 1, view.end()), (Names{"4", "0", "0", size}));
  // The converted header: 44 bytes and one RGBQUAD per entry, not zeroed; the
  // section header: 44 zeroed bytes.
  EXPECT_EQ(Arguments("LocalAlloc", 1), (Names{"0", "52"}));
  EXPECT_EQ(Arguments("LocalAlloc", 2), (Names{"64", "44"}));
  EXPECT_EQ(Arguments("CreateCompatibleDC", 1), Names{"NULL"});
  // Lines 0 to the height, literal colours.
  Names convert = Arguments("SetDIBits", 1);
  EXPECT_EQ(convert[2], "0");
  EXPECT_EQ(convert[3], "2");
  EXPECT_EQ(convert[6], "0");
}

struct FailurePoint {
  const char *call;
  int nth;
  bool openFailure; // the open-failure text, shown after the releases
  Names calls;      // the loader's calls, without formatting and focus
};

const FailurePoint kFailurePoints[] = {
    {"CreateFileA", 1, true, {"CreateFileA", "MessageBoxA"}},
    {"GetFileSizeEx", 1, true, {"CreateFileA", "GetFileSizeEx", "CloseHandle", "MessageBoxA"}},
    {"ReadFile",
     1,
     true,
     {"CreateFileA", "GetFileSizeEx", "ReadFile", "CloseHandle", "MessageBoxA"}},
    {"CreateFileMappingA",
     1,
     true,
     {"CreateFileA", "GetFileSizeEx", "ReadFile", "CreateFileMappingA", "CloseHandle",
      "MessageBoxA"}},
    {"MapViewOfFile",
     1,
     true,
     {"CreateFileA", "GetFileSizeEx", "ReadFile", "CreateFileMappingA", "MapViewOfFile",
      "CloseHandle", "CloseHandle", "MessageBoxA"}},
    {"LocalAlloc",
     1,
     false,
     {"CreateFileA", "GetFileSizeEx", "ReadFile", "CreateFileMappingA", "MapViewOfFile",
      "LocalAlloc", "MessageBoxA", "UnmapViewOfFile", "CloseHandle", "CloseHandle"}},
    {"CreateCompatibleDC",
     1,
     false,
     {"CreateFileA", "GetFileSizeEx", "ReadFile", "CreateFileMappingA", "MapViewOfFile",
      "LocalAlloc", "CreateCompatibleDC", "MessageBoxA", "LocalFree", "UnmapViewOfFile",
      "CloseHandle", "CloseHandle"}},
    {"LocalAlloc",
     2,
     false,
     {"CreateFileA", "GetFileSizeEx", "ReadFile", "CreateFileMappingA", "MapViewOfFile",
      "LocalAlloc", "CreateCompatibleDC", "LocalAlloc", "MessageBoxA", "DeleteDC", "LocalFree",
      "UnmapViewOfFile", "CloseHandle", "CloseHandle"}},
    {"CreateDIBSection",
     1,
     false,
     {"CreateFileA", "GetFileSizeEx", "ReadFile", "CreateFileMappingA", "MapViewOfFile",
      "LocalAlloc", "CreateCompatibleDC", "LocalAlloc", "CreateDIBSection", "MessageBoxA",
      "DeleteDC", "LocalFree", "LocalFree", "UnmapViewOfFile", "CloseHandle", "CloseHandle"}},
    {"SelectObject",
     1,
     false,
     {"CreateFileA", "GetFileSizeEx", "ReadFile", "CreateFileMappingA", "MapViewOfFile",
      "LocalAlloc", "CreateCompatibleDC", "LocalAlloc", "CreateDIBSection", "SelectObject",
      "MessageBoxA", "DeleteDC", "DeleteObject", "LocalFree", "LocalFree", "UnmapViewOfFile",
      "CloseHandle", "CloseHandle"}},
    {"SetDIBits",
     1,
     false,
     {"CreateFileA", "GetFileSizeEx", "ReadFile", "CreateFileMappingA", "MapViewOfFile",
      "LocalAlloc", "CreateCompatibleDC", "LocalAlloc", "CreateDIBSection", "SelectObject",
      "SetDIBits", "MessageBoxA", "DeleteDC", "DeleteObject", "LocalFree", "LocalFree",
      "UnmapViewOfFile", "CloseHandle", "CloseHandle"}},
};

std::string ExpectedText(const FailurePoint &point, const std::string &path) {
  if (point.openFailure) {
    return "Failed to open DIB file " + path + ".\n";
  }
  if (std::string(point.call) == "SetDIBits") {
    return "Image file conversion error.";
  }
  return "Out of memory.";
}

TEST_F(ReleaseOrderTest, EachFailingCallGivesOneMessageAndReleasesWhatWasObtained) {
  for (const FailurePoint &point : kFailurePoints) {
    SCOPED_TRACE(std::string(point.call) + " #" + std::to_string(point.nth));
    control::Reset();
    control::FailCall(point.call, point.nth);
    LoadResult result = LoadBitmap(path);
    EXPECT_FALSE(result.loaded);
    EXPECT_EQ(result.messages, Names{ExpectedText(point, path)});
    EXPECT_EQ(LoaderCalls(), point.calls);
  }
}

TEST_F(ReleaseOrderTest, TheMessageBelongsToTheFocusedWindow) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.lpszClassName = "LoaderOwnerTest";
  ASSERT_TRUE(RegisterClassA(&windowClass));
  HWND window = CreateWindowExA(0, "LoaderOwnerTest", "Owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  SetFocus(window);
  EXPECT_FALSE(LoadBitmap(TempPath("missing.bmp")).loaded);
  ASSERT_EQ(control::MessageBoxesShown().size(), 1u);
  EXPECT_EQ(control::MessageBoxesShown()[0].owner, window);

  // Without a focused window the box has no owner.
  SetFocus(nullptr);
  EXPECT_FALSE(LoadBitmap(TempPath("missing.bmp")).loaded);
  ASSERT_EQ(control::MessageBoxesShown().size(), 2u);
  EXPECT_EQ(control::MessageBoxesShown()[1].owner, nullptr);
}

TEST_F(ReleaseOrderTest, AWideNameIsOpenedWithCreateFileW) {
  std::u16string wide(path.begin(), path.end());
  LoadResult result = LoadBitmapWide(wide);
  ASSERT_TRUE(result.loaded);
  EXPECT_EQ(control::CallNames()[0], "CreateFileW");
  EXPECT_EQ(result.rgb, LoadBitmap(path).rgb);
}

} // namespace
