// The kernel and GDI objects the loader obtains: files by narrow and UTF-16
// names, read-only mappings and views, local memory, memory device contexts
// and DIB sections, each counted while held and refused once released.
#include "BitmapBuilder.h"

#include <PlatformControl.h>
#include <PlatformFixture.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

class KernelAndGdiObjectsTest : public PlatformTest {};

HANDLE OpenForReading(const std::string &path) {
  return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                     nullptr);
}

TEST_F(KernelAndGdiObjectsTest, FilesOpenByNarrowAndUtf16Names) {
  Bytes content = {'q', 'u', 'e', 'l', 'l', 'o', 'r'};
  std::string path = WriteTempFile("\xC4\x8D"
                                   "aj-\xF0\x9F\x8D\xB5.bmp",
                                   content); // čaj-🍵.bmp
  std::string directory = TempPath("");
  std::u16string wide(directory.begin(), directory.end());
  wide += u"\u010Daj-\U0001F375.bmp";
  HANDLE file =
      CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER size;
  ASSERT_TRUE(GetFileSizeEx(file, &size));
  EXPECT_EQ(size.QuadPart, 7);
  EXPECT_EQ(control::Live().fileHandles, 1);
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_EQ(control::Live().fileHandles, 0);
  EXPECT_FALSE(CloseHandle(file));

  // A lone surrogate names no file; nor do directories, missing files or
  // other kinds of access open one.
  std::u16string lone = wide;
  lone[directory.size()] = 0xD800;
  EXPECT_EQ(
      CreateFileW(lone.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr),
      INVALID_HANDLE_VALUE);
  EXPECT_EQ(OpenForReading(directory), INVALID_HANDLE_VALUE);
  EXPECT_EQ(OpenForReading(TempPath("missing")), INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileA(path.c_str(), 0x40000000, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(control::Live().fileHandles, 0);
}

// A small file's views are read into memory, a larger one's are mapped: both
// kinds hold the file's bytes from the view's offset on, also when the memory
// of a view released before serves a new one.
TEST_F(KernelAndGdiObjectsTest, MappingsShowTheWholeFileAndOutliveTheFileHandle) {
  for (size_t fileSize : {70000, 300000}) {
    SCOPED_TRACE(fileSize);
    Bytes content(fileSize);
    for (size_t i = 0; i < content.size(); ++i) {
      content[i] = static_cast<uint8_t>(i * 7 + i / 251);
    }
    HANDLE file = OpenForReading(WriteTempFile("map.bin", content));
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    // Larger than the file, a mapping cannot be, for reading only.
    EXPECT_EQ(CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, fileSize + 1, nullptr), nullptr);
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    ASSERT_TRUE(mapping);
    EXPECT_TRUE(CloseHandle(file));

    const void *released = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ASSERT_TRUE(released);
    EXPECT_TRUE(UnmapViewOfFile(released));
    const void *view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ASSERT_TRUE(view);
    // Views start at multiples of 64 KiB and end within the mapping.
    EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 4096, 0), nullptr);
    EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, fileSize + 1), nullptr);
    const uint8_t *tail =
        static_cast<const uint8_t *>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 65536, 0));
    ASSERT_TRUE(tail);
    const uint8_t *middle =
        static_cast<const uint8_t *>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 65536, 1000));
    ASSERT_TRUE(middle);
    EXPECT_EQ(std::memcmp(view, content.data(), content.size()), 0);
    EXPECT_EQ(std::memcmp(tail, content.data() + 65536, content.size() - 65536), 0);
    EXPECT_EQ(std::memcmp(middle, content.data() + 65536, 1000), 0);
    EXPECT_EQ(control::Live().views, 3);
    EXPECT_EQ(control::Live().mappings, 1);

    EXPECT_TRUE(UnmapViewOfFile(middle));
    EXPECT_TRUE(UnmapViewOfFile(tail));
    EXPECT_TRUE(UnmapViewOfFile(view));
    EXPECT_FALSE(UnmapViewOfFile(view));
    EXPECT_TRUE(CloseHandle(mapping));
    EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0), nullptr);
    control::LiveResources live = control::Live();
    EXPECT_EQ(live.fileHandles + live.mappings + live.views, 0);
  }
}

TEST_F(KernelAndGdiObjectsTest, AnEmptyFileCannotBeMapped) {
  HANDLE file = OpenForReading(WriteTempFile("empty", {}));
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
  // Nor can a file be mapped for writing, or by name.
  HANDLE other = OpenForReading(WriteTempFile("one", {1}));
  EXPECT_EQ(CreateFileMappingA(other, nullptr, 0x04, 0, 0, nullptr), nullptr);
  EXPECT_EQ(CreateFileMappingA(other, nullptr, PAGE_READONLY, 0, 0, "Named"), nullptr);
  CloseHandle(file);
  CloseHandle(other);
  EXPECT_EQ(control::Live().mappings, 0);
}

TEST_F(KernelAndGdiObjectsTest, LocalBlocksAreFixedAndOptionallyZeroed) {
  auto *zeroed = static_cast<uint8_t *>(LocalAlloc(LPTR, 100));
  ASSERT_TRUE(zeroed);
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(zeroed[i], 0) << i;
  }
  void *empty = LocalAlloc(LMEM_FIXED, 0);
  EXPECT_TRUE(empty);
  EXPECT_NE(empty, zeroed);
  EXPECT_EQ(LocalAlloc(0x0002, 16), nullptr); // movable blocks are not provided
  EXPECT_EQ(control::Live().localBlocks, 2);
  EXPECT_EQ(LocalFree(zeroed), nullptr);
  EXPECT_EQ(LocalFree(empty), nullptr);
  EXPECT_EQ(LocalFree(nullptr), nullptr);
  EXPECT_EQ(control::Live().localBlocks, 0);
}

BITMAPINFO SectionInfo(LONG width, LONG height, WORD bitCount) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitCount;
  return info;
}

TEST_F(KernelAndGdiObjectsTest, SectionsAreZeroedAndSelectedIntoOneContextAtATime) {
  HDC first = CreateCompatibleDC(nullptr);
  HDC second = CreateCompatibleDC(nullptr);
  ASSERT_TRUE(first && second);
  BITMAPINFO info = SectionInfo(5, 3, 24);
  void *memory = nullptr;
  HBITMAP section = CreateDIBSection(first, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  ASSERT_TRUE(section);
  const uint8_t *bytes = static_cast<const uint8_t *>(memory);
  for (int i = 0; i < 16 * 3; ++i) { // rows of 15 bytes and one fill byte
    ASSERT_EQ(bytes[i], 0) << i;
  }

  HGDIOBJ original = SelectObject(first, section);
  ASSERT_TRUE(original);
  EXPECT_EQ(SelectObject(second, section), nullptr);
  EXPECT_FALSE(DeleteObject(section)); // still selected
  EXPECT_EQ(SelectObject(first, original), section);
  EXPECT_EQ(SelectObject(second, section), original);
  // Deleting the context releases the section, which can then be deleted.
  EXPECT_TRUE(DeleteDC(second));
  EXPECT_TRUE(DeleteObject(section));
  EXPECT_FALSE(DeleteObject(section));
  EXPECT_TRUE(DeleteDC(first));
  EXPECT_FALSE(DeleteDC(first));
  control::LiveResources live = control::Live();
  EXPECT_EQ(live.memoryDCs + live.sections, 0);
}

// Small sections take memory that earlier ones gave back, large ones memory of
// their own: either way a new section starts all zero, and two sections alive
// at once do not share memory.
TEST_F(KernelAndGdiObjectsTest, SectionsStartZeroedWhateverTheirMemoryHeldBefore) {
  HDC dc = CreateCompatibleDC(nullptr);
  for (LONG side : {5, 64, 200, 256, 1200}) {
    SCOPED_TRACE(side);
    BITMAPINFO info = SectionInfo(side, side, 24);
    size_t bytes = (static_cast<size_t>(side) * 3 + 3) / 4 * 4 * side;
    for (int round = 0; round < 3; ++round) {
      void *memory = nullptr;
      HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
      ASSERT_TRUE(section);
      const uint8_t *bytesRead = static_cast<const uint8_t *>(memory);
      size_t nonZero = 0;
      for (size_t i = 0; i < bytes; ++i) {
        nonZero += bytesRead[i] != 0;
      }
      EXPECT_EQ(nonZero, 0u) << "round " << round;
      std::memset(memory, 0xA5, bytes);
      void *otherMemory = nullptr;
      HBITMAP other = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &otherMemory, nullptr, 0);
      ASSERT_TRUE(other);
      EXPECT_NE(otherMemory, memory);
      EXPECT_TRUE(DeleteObject(other));
      EXPECT_TRUE(DeleteObject(section));
    }
  }
  DeleteDC(dc);
  EXPECT_EQ(control::Live().sections, 0);
}

TEST_F(KernelAndGdiObjectsTest, OnlyUncompressedTwentyFourBitSectionsAreMade) {
  HDC dc = CreateCompatibleDC(nullptr);
  void *memory = &memory;
  for (BITMAPINFO info :
       {SectionInfo(4, 4, 32), SectionInfo(4, 4, 8), SectionInfo(0, 4, 24), SectionInfo(4, 0, 24),
        SectionInfo(-4, 4, 24), SectionInfo(65536, 32768, 24)}) {
    EXPECT_EQ(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0), nullptr);
    EXPECT_EQ(memory, nullptr);
  }
  // A negative height makes a top-down section.
  BITMAPINFO topDown = SectionInfo(2, -2, 24);
  HBITMAP section = CreateDIBSection(dc, &topDown, DIB_RGB_COLORS, &memory, nullptr, 0);
  ASSERT_TRUE(section);
  SelectObject(dc, section);
  Bytes rows = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}; // bottom row first
  Bytes header = InfoHeader({2, 2, 24});
  ASSERT_EQ(SetDIBits(dc, section, 0, 2, rows.data(),
                      reinterpret_cast<const BITMAPINFO *>(header.data()), DIB_RGB_COLORS),
            2);
  EXPECT_EQ(static_cast<uint8_t *>(memory)[0], 7);
  EXPECT_EQ(static_cast<uint8_t *>(memory)[8], 1);
  DeleteDC(dc);
  DeleteObject(section);
}

} // namespace
