// The bitmap loader. The file is mapped, not read: its header and colour
// table are copied into a 40-byte header with an RGBQUAD table, GDI converts
// the pixel bits in place into a 24-bit DIB section, and the section's rows
// are re-ordered into the RgbImage's red, green, blue bytes. Only the first
// bytes of the file are read beforehand, to learn how much of it the picture
// needs: the view covers that much and no more, so a small picture at the
// head of a huge file costs what the picture costs.
//
// Every header byte is read through a bounds-checked cursor over the mapped
// view, and the pixel bits are checked against the end of the view before the
// conversion, so no file, however short or hostile, is read past its end.
#include "BitmapLoader.h"

#include "BgrToRgb.h"
#include "ByteCursor.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

const char kErrorCaption[] = "Error";
const char kOutOfMemory[] = "Out of memory.";
const char kUnknownFormat[] = "Unknown DIB file format.";
const char kConversionError[] = "Image file conversion error.";

// The open-failure text, with the file name cut so that the text fits its
// 256-byte buffer: 24 characters before the name, ".\n" and the terminator
// after it leave 229 bytes, cut at a character boundary. A wide name is first
// written in 8-bit characters on its own (at most 1024 bytes, wsprintfA's
// limit), as each of its characters may take more than one byte.
const char kOpenFailure[] = "Failed to open DIB file %s.\n";
const size_t kOpenFailureBufferSize = 256;
const size_t kLongestNameInText = 229;
const size_t kFormatLimit = 1024;

const size_t kFileHeaderSize = 14;
// The file header and a 40-byte DIB header: all that tells how much of the
// file the picture needs.
const size_t kHeadBytes = 14 + 40;
const size_t kBitsOffsetField = 10;
const DWORD kCoreHeaderSize = 12;
const DWORD kInfoHeaderSize = 40;
// CountPaletteColors reads up to biClrUsed, the DWORD at offset 32.
const size_t kCountedHeaderBytes = 36;
const size_t kCompressionField = 16;
const size_t kSizeImageField = 20;
const size_t kBitFieldMasksSize = 12;
// A 40-byte header and one RGBQUAD, which stays zero.
const size_t kSectionHeaderSize = sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD);
const uint64_t kLargestImageBytes = UINT32_MAX;
// Loads that need less than this are not held against the memory available:
// asking costs more than such a load, and any process that has a rendering
// context has that much to spare.
const uint64_t kSmallestCheckedBytes = 16u << 20;

// Everything one load has obtained, and what it has learnt of the file.
struct BitmapLoad {
  HANDLE file;
  uint64_t fileSize;
  HANDLE mapping;
  const BYTE *view;
  size_t viewSize;     // the bytes of the file the picture needs, at most all
  size_t headerOffset; // where the DIB header starts in the view
  size_t bitsOffset;   // where the pixel bits start, once bitsPlaced
  bool bitsPlaced;
  WORD colourCount;
  BITMAPINFO *convertedHeader;
  HDC memoryDC;
  BITMAPINFO *sectionHeader;
  HBITMAP section;
  const BYTE *sectionBits;
  BYTE *pixels;
  RgbImage *image;
};

void ReportFailure(const char *text) { MessageBoxA(GetFocus(), text, kErrorCaption, MB_OK); }

// The picture's rows: the height's magnitude, widened so that the most
// negative height has one.
int64_t PictureRows(const BITMAPINFOHEADER &header) {
  return header.biHeight < 0 ? -static_cast<int64_t>(header.biHeight) : header.biHeight;
}

bool IsRunLength(const BITMAPINFOHEADER &header) {
  return header.biCompression == BI_RLE8 || header.biCompression == BI_RLE4;
}

// Opens the file for reading and learns its size, which may exceed what the
// process can address: only the bytes the picture needs are viewed.
bool OpenBitmapFile(BitmapLoad *load, const void *fileName, int wideName) {
  if (wideName) {
    load->file = CreateFileW(static_cast<LPCWSTR>(fileName), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  } else {
    load->file = CreateFileA(static_cast<LPCSTR>(fileName), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  }
  if (load->file == INVALID_HANDLE_VALUE) {
    return false;
  }
  LARGE_INTEGER size;
  if (!GetFileSizeEx(load->file, &size) || size.QuadPart < 0) {
    return false;
  }
  load->fileSize = static_cast<uint64_t>(size.QuadPart);
  return true;
}

// With "BM" at the start, a file header gives the pixel bits'
// position and the DIB header follows it; otherwise the file is a packed DIB.
void LocateDibHeader(BitmapLoad *load) {
  ByteCursor cursor = MakeCursor(load->view, load->viewSize, 0);
  BYTE first = ReadByte(&cursor);
  BYTE second = ReadByte(&cursor);
  if (!cursor.overrun && first == 'B' && second == 'M') {
    cursor.position = kBitsOffsetField;
    load->bitsOffset = ReadDword(&cursor);
    load->bitsPlaced = true;
    load->headerOffset = kFileHeaderSize;
  } else {
    load->headerOffset = 0;
  }
}

// The colour count, once the header bytes it reads are known to lie
// in the file.
bool CountHeaderColours(BitmapLoad *load) {
  ByteCursor cursor = MakeCursor(load->view, load->viewSize, load->headerOffset);
  DWORD headerSize = ReadDword(&cursor);
  cursor.position = load->headerOffset;
  if (!ReadBytes(&cursor, headerSize == kCoreHeaderSize ? kCoreHeaderSize : kCountedHeaderBytes)) {
    return false;
  }
  load->colourCount = CountPaletteColors(load->view + load->headerOffset);
  return true;
}

// A 40-byte header with BI_BITFIELDS is followed by three DWORD masks (red,
// green, blue), which come before the colour table.
size_t BitFieldMasksSize(const BitmapLoad &load) {
  ByteCursor cursor = MakeCursor(load.view, load.viewSize, load.headerOffset);
  DWORD headerSize = ReadDword(&cursor);
  cursor.position = load.headerOffset + kCompressionField;
  DWORD compression = ReadDword(&cursor);
  return headerSize == kInfoHeaderSize && compression == BI_BITFIELDS ? kBitFieldMasksSize : 0;
}

// Windows' headers define min and max as macros.
uint64_t Larger(uint64_t a, uint64_t b) { return a > b ? a : b; }

// The longest run-length stream that a picture of these dimensions can use:
// no escape or run advances by less than one pixel per 4 bytes (a delta of
// one column), and each row ends with at most one more escape of 4 bytes,
// then the end of the bitmap. A stream of escapes that do not move at all
// could be any length; it is cut there.
uint64_t LongestRunLengthStream(uint64_t width, uint64_t rows) {
  return rows * (4 * width + 4) + 2;
}

// How many bytes from the start of the file the picture needs: its headers,
// masks and colour table, and the pixel bits as far as the conversion can
// read them, all learnt from the file's head as the loader will read the view
// (the view is cut to this length, or the file's). A head that the loader
// will refuse needs no more than itself.
uint64_t PictureExtent(const BYTE *head, size_t headBytes) {
  BitmapLoad probe = {};
  probe.view = head;
  probe.viewSize = headBytes;
  LocateDibHeader(&probe);
  ByteCursor cursor = MakeCursor(head, headBytes, probe.headerOffset);
  DWORD headerSize = ReadDword(&cursor);
  if ((headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize) ||
      !CountHeaderColours(&probe)) {
    return headBytes;
  }
  bool core = headerSize == kCoreHeaderSize;
  uint64_t tableEnd = probe.headerOffset + headerSize + BitFieldMasksSize(probe) +
                      (core ? 3 : 4) * static_cast<uint64_t>(probe.colourCount);
  uint64_t bitsOffset = probe.bitsPlaced ? probe.bitsOffset : tableEnd;
  int64_t width = core ? ReadWord(&cursor) : ReadLong(&cursor);
  int64_t height = core ? ReadWord(&cursor) : ReadLong(&cursor);
  cursor.position += 2; // the planes
  uint64_t bitCount = ReadWord(&cursor);
  DWORD compression = core ? BI_RGB : ReadDword(&cursor);
  cursor.position = probe.headerOffset + kSizeImageField;
  uint64_t sizeImage = core ? 0 : ReadDword(&cursor);
  uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);
  // Pictures that the loader refuses for their dimensions need their headers.
  if (width <= 0 || rows == 0 || rows * static_cast<uint64_t>(width) * 3 > kLargestImageBytes) {
    return Larger(tableEnd, headBytes);
  }
  uint64_t bitsBytes;
  if (compression == BI_RLE8 || compression == BI_RLE4) {
    uint64_t longest = LongestRunLengthStream(static_cast<uint64_t>(width), rows);
    bitsBytes = sizeImage != 0 && sizeImage < longest ? sizeImage : longest;
  } else {
    uint64_t stride = ((bitCount > 0 ? bitCount : 1) * static_cast<uint64_t>(width) + 31) / 32 * 4;
    bitsBytes = stride * rows;
  }
  return Larger(tableEnd, bitsOffset + bitsBytes);
}

// Reads the file's head, then maps the whole file and views as much of it as
// the picture needs. Every bound the loader checks is the view's own, even
// when the file changes size in between (a file that has shrunk cannot be
// mapped at its old size). An empty file cannot be mapped.
bool MapBitmapFile(BitmapLoad *load) {
  BYTE head[kHeadBytes];
  DWORD headBytes = 0;
  if (!ReadFile(load->file, head, sizeof head, &headBytes, nullptr)) {
    return false;
  }
  load->mapping = CreateFileMappingA(load->file, nullptr, PAGE_READONLY,
                                     static_cast<DWORD>(load->fileSize >> 32),
                                     static_cast<DWORD>(load->fileSize), nullptr);
  if (!load->mapping) {
    return false;
  }
  uint64_t extent = Larger(PictureExtent(head, headBytes), 1);
  if (extent > load->fileSize) {
    extent = load->fileSize;
  }
  // A view that this process could not address cannot be mapped.
  if (extent > SIZE_MAX) {
    return false;
  }
  load->viewSize = static_cast<size_t>(extent);
  load->view = static_cast<const BYTE *>(
      MapViewOfFile(load->mapping, FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(load->viewSize)));
  return load->view != nullptr;
}

// Room for the header, the masks, the colour table and one spare
// RGBQUAD.
bool AllocateConvertedHeader(BitmapLoad *load) {
  size_t bytes = sizeof(BITMAPINFOHEADER) + BitFieldMasksSize(*load) +
                 sizeof(RGBQUAD) * (static_cast<size_t>(load->colourCount) + 1);
  load->convertedHeader = static_cast<BITMAPINFO *>(LocalAlloc(LMEM_FIXED, bytes));
  return load->convertedHeader != nullptr;
}

void FillFromCoreHeader(BitmapLoad *load, ByteCursor *cursor) {
  BITMAPINFOHEADER &header = load->convertedHeader->bmiHeader;
  header.biSize = kInfoHeaderSize;
  header.biWidth = ReadWord(cursor);
  header.biHeight = ReadWord(cursor);
  header.biPlanes = ReadWord(cursor);
  header.biBitCount = ReadWord(cursor);
  header.biCompression = BI_RGB;
  header.biSizeImage = 0;
  header.biXPelsPerMeter = 0;
  header.biYPelsPerMeter = 0;
  header.biClrUsed = load->colourCount;
  header.biClrImportant = load->colourCount;
  RGBQUAD *table = load->convertedHeader->bmiColors;
  for (size_t i = 0; i < load->colourCount; ++i) {
    table[i].rgbBlue = ReadByte(cursor);
    table[i].rgbGreen = ReadByte(cursor);
    table[i].rgbRed = ReadByte(cursor);
    table[i].rgbReserved = 0;
  }
}

// Returns false for a biClrUsed above 65535: the colour count holds only its
// low 16 bits, so the table copied and the position of packed pixel bits
// would not match the file.
bool FillFromInfoHeader(BitmapLoad *load, ByteCursor *cursor) {
  BITMAPINFOHEADER &header = load->convertedHeader->bmiHeader;
  header.biSize = kInfoHeaderSize;
  header.biWidth = ReadLong(cursor);
  header.biHeight = ReadLong(cursor);
  header.biPlanes = ReadWord(cursor);
  header.biBitCount = ReadWord(cursor);
  header.biCompression = ReadDword(cursor);
  header.biSizeImage = ReadDword(cursor);
  header.biXPelsPerMeter = ReadLong(cursor);
  header.biYPelsPerMeter = ReadLong(cursor);
  header.biClrUsed = ReadDword(cursor);
  header.biClrImportant = ReadDword(cursor);
  if (header.biClrUsed > UINT16_MAX) {
    return false;
  }
  size_t tableBytes = BitFieldMasksSize(*load) + sizeof(RGBQUAD) * load->colourCount;
  const BYTE *table = ReadBytes(cursor, tableBytes);
  if (table) {
    std::memcpy(load->convertedHeader->bmiColors, table, tableBytes);
  }
  return true;
}

// The converted header from a core or an info header; without a file
// header the pixel bits follow the colour table. Returns false for other
// header sizes and for headers or tables cut short by the end of the file.
bool FillConvertedHeader(BitmapLoad *load) {
  ByteCursor cursor = MakeCursor(load->view, load->viewSize, load->headerOffset);
  DWORD headerSize = ReadDword(&cursor);
  if (headerSize == kCoreHeaderSize) {
    FillFromCoreHeader(load, &cursor);
  } else if (headerSize == kInfoHeaderSize) {
    if (!FillFromInfoHeader(load, &cursor)) {
      return false;
    }
  } else {
    return false;
  }
  if (cursor.overrun) {
    return false;
  }
  if (!load->bitsPlaced) {
    load->bitsOffset = cursor.position;
    load->bitsPlaced = true;
  }
  return true;
}

// The bytes from the pixel bits to the end of the view.
uint64_t BytesAfterBits(const BitmapLoad &load) {
  return load.bitsOffset < load.viewSize ? load.viewSize - load.bitsOffset : 0;
}

// A biSizeImage of 0 becomes whole bytes per row times the rows, and a
// biClrUsed of 0 the colour count. A run-length stream has no size of its own
// to fall back on, so its biSizeImage becomes, or is cut to, the bytes the
// view holds after the pixel bits: the conversion never reads past them.
void ApplyHeaderDefaults(BitmapLoad *load) {
  BITMAPINFOHEADER &header = load->convertedHeader->bmiHeader;
  if (IsRunLength(header)) {
    uint64_t available = BytesAfterBits(*load);
    if (header.biSizeImage == 0 || header.biSizeImage > available) {
      header.biSizeImage = static_cast<DWORD>(available < UINT32_MAX ? available : UINT32_MAX);
    }
  } else if (header.biSizeImage == 0) {
    // Wraps for dimensions that CheckPixelBits refuses next.
    int64_t rowBytes = (static_cast<int64_t>(header.biBitCount) * header.biWidth + 7) / 8;
    header.biSizeImage = static_cast<DWORD>(static_cast<uint64_t>(rowBytes) *
                                            static_cast<uint64_t>(PictureRows(header)));
  }
  if (header.biClrUsed == 0) {
    header.biClrUsed = load->colourCount;
  }
}

// Refuses, before anything large is allocated, a picture without pixels,
// one whose 24-bit copy would not fit in 32 bits, and one whose pixel bits
// start, or (unless run-length encoded) end, past the end of the file.
// Returns the text to report, or null.
const char *CheckPixelBits(const BitmapLoad &load) {
  const BITMAPINFOHEADER &header = load.convertedHeader->bmiHeader;
  int64_t rows = PictureRows(header);
  if (header.biWidth <= 0 || rows == 0) {
    return kConversionError;
  }
  if (static_cast<uint64_t>(rows) * static_cast<uint64_t>(header.biWidth) * 3 >
      kLargestImageBytes) {
    return kOutOfMemory;
  }
  if (load.bitsOffset >= load.viewSize) {
    return kConversionError;
  }
  // Rows of every encoding but run-length ones take their full size, at least
  // one bit per pixel (the conversion refuses the compressions it does not
  // know, and those that give no bit count, in any case).
  if (!IsRunLength(header)) {
    uint64_t bitCount = header.biBitCount > 0 ? header.biBitCount : 1;
    uint64_t stride = (bitCount * static_cast<uint64_t>(header.biWidth) + 31) / 32 * 4;
    if (stride * static_cast<uint64_t>(rows) > BytesAfterBits(load)) {
      return kConversionError;
    }
  }
  return nullptr;
}

// Whether the section and the pixels buffer can both be had at once, so that
// a few bytes declaring a huge picture are refused instead of paging the
// machine to a halt or having the process killed where memory is limited
// without a limit on address space (a container). When the platform cannot
// tell, the allocations themselves decide.
bool MemoryAvailableFor(const BitmapLoad &load) {
  const BITMAPINFOHEADER &header = load.convertedHeader->bmiHeader;
  uint64_t rows = static_cast<uint64_t>(PictureRows(header));
  uint64_t rowBytes = static_cast<uint64_t>(header.biWidth) * 3;
  uint64_t needed = rows * (rowBytes + header.biWidth % 4) + rows * rowBytes;
  if (needed < kSmallestCheckedBytes) {
    return true;
  }
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) {
    return true;
  }
  return needed <= status.ullAvailPhys && needed <= status.ullAvailVirtual;
}

// A memory device context and a bottom-up 24-bit DIB section selected
// into it. A top-down source gets a bottom-up section as well, so that the
// conversion turns its rows over and the image comes out bottom row first.
bool CreateSection(BitmapLoad *load) {
  const BITMAPINFOHEADER &source = load->convertedHeader->bmiHeader;
  load->memoryDC = CreateCompatibleDC(nullptr);
  if (!load->memoryDC) {
    return false;
  }
  load->sectionHeader = static_cast<BITMAPINFO *>(LocalAlloc(LPTR, kSectionHeaderSize));
  if (!load->sectionHeader) {
    return false;
  }
  BITMAPINFOHEADER &header = load->sectionHeader->bmiHeader;
  header.biSize = kInfoHeaderSize;
  header.biWidth = source.biWidth;
  header.biHeight = static_cast<LONG>(PictureRows(source));
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(PictureRows(source) * source.biWidth * 3);
  void *bits = nullptr;
  load->section =
      CreateDIBSection(load->memoryDC, load->sectionHeader, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!load->section) {
    return false;
  }
  load->sectionBits = static_cast<const BYTE *>(bits);
  return SelectObject(load->memoryDC, load->section) != nullptr;
}

// The conversion, then GdiFlush before the section's memory
// is read.
bool ConvertPixels(BitmapLoad *load) {
  const BITMAPINFOHEADER &header = load->convertedHeader->bmiHeader;
  if (SetDIBits(load->memoryDC, load->section, 0, static_cast<UINT>(PictureRows(header)),
                load->view + load->bitsOffset, load->convertedHeader, DIB_RGB_COLORS) == 0) {
    return false;
  }
  GdiFlush();
  return true;
}

// The pixels buffer, filled from the section row by row in
// its memory order (bottom row first), each blue, green, red turned into red,
// green, blue, and the row's fill bytes left out.
bool CopyRows(BitmapLoad *load) {
  const BITMAPINFOHEADER &header = load->convertedHeader->bmiHeader;
  int64_t rows = PictureRows(header);
  LONG width = header.biWidth;
  load->pixels = static_cast<BYTE *>(std::malloc(static_cast<size_t>(rows) * width * 3));
  if (!load->pixels) {
    return false;
  }
  const BYTE *source = load->sectionBits;
  BYTE *target = load->pixels;
  size_t rowBytes = static_cast<size_t>(width) * 3;
  size_t stride = rowBytes + width % 4;
  for (int64_t row = 0; row < rows; ++row, source += stride, target += rowBytes) {
    CopyBgrAsRgb(source, target, width);
  }
  return true;
}

// The record, with the height as a positive row count.
bool MakeImage(BitmapLoad *load) {
  load->image = static_cast<RgbImage *>(std::malloc(sizeof(RgbImage)));
  if (!load->image) {
    return false;
  }
  load->image->width = load->convertedHeader->bmiHeader.biWidth;
  load->image->height = static_cast<LONG>(PictureRows(load->convertedHeader->bmiHeader));
  load->image->pixels = load->pixels;
  return true;
}

// Everything from the mapped view to the image, in order. Returns the text
// to report, or null on success.
const char *DecodeBitmap(BitmapLoad *load) {
  LocateDibHeader(load);
  if (!CountHeaderColours(load)) {
    return kUnknownFormat;
  }
  if (!AllocateConvertedHeader(load)) {
    return kOutOfMemory;
  }
  if (!FillConvertedHeader(load)) {
    return kUnknownFormat;
  }
  ApplyHeaderDefaults(load);
  if (const char *refusal = CheckPixelBits(*load)) {
    return refusal;
  }
  if (!MemoryAvailableFor(*load) || !CreateSection(load)) {
    return kOutOfMemory;
  }
  if (!ConvertPixels(load)) {
    return kConversionError;
  }
  if (!CopyRows(load) || !MakeImage(load)) {
    return kOutOfMemory;
  }
  return nullptr;
}

// Releases what was obtained, in this order; the pixels buffer only
// when no record took it over.
void ReleaseLoad(BitmapLoad *load) {
  if (load->memoryDC) {
    DeleteDC(load->memoryDC);
  }
  if (load->section) {
    DeleteObject(load->section);
  }
  if (load->sectionHeader) {
    LocalFree(load->sectionHeader);
  }
  if (load->convertedHeader) {
    LocalFree(load->convertedHeader);
  }
  if (load->view) {
    UnmapViewOfFile(load->view);
  }
  if (load->mapping) {
    CloseHandle(load->mapping);
  }
  if (load->file != INVALID_HANDLE_VALUE) {
    CloseHandle(load->file);
  }
  if (!load->image && load->pixels) {
    std::free(load->pixels);
  }
}

// Reports a file that could not be opened or mapped, by its name.
void ReportOpenFailure(const void *fileName, int wideName) {
  const char *name = fileName ? static_cast<const char *>(fileName) : "(null)";
  char narrowName[kFormatLimit] = "";
  if (wideName) {
    wsprintfA(narrowName, "%ws", fileName);
    name = narrowName;
  }
  // The whole characters that fit.
  const char *end = name;
  for (const char *next = CharNextA(end);
       next != end && static_cast<size_t>(next - name) <= kLongestNameInText;
       next = CharNextA(end)) {
    end = next;
  }
  char shownName[kLongestNameInText + 1] = "";
  std::memcpy(shownName, name, static_cast<size_t>(end - name));
  char text[kOpenFailureBufferSize] = "";
  wsprintfA(text, kOpenFailure, shownName);
  ReportFailure(text);
}

WORD ColoursForBitCount(WORD bitCount) {
  switch (bitCount) {
  case 1:
    return 2;
  case 4:
    return 16;
  case 8:
    return 256;
  default:
    return 0;
  }
}

} // namespace

WORD CountPaletteColors(const void *header) {
  ByteCursor cursor = MakeCursor(static_cast<const BYTE *>(header), kCountedHeaderBytes, 0);
  if (ReadDword(&cursor) == kCoreHeaderSize) {
    cursor.position = offsetof(BITMAPCOREHEADER, bcBitCount);
    return ColoursForBitCount(ReadWord(&cursor));
  }
  cursor.position = offsetof(BITMAPINFOHEADER, biClrUsed);
  DWORD used = ReadDword(&cursor);
  if (used != 0) {
    return static_cast<WORD>(used);
  }
  cursor.position = offsetof(BITMAPINFOHEADER, biBitCount);
  return ColoursForBitCount(ReadWord(&cursor));
}

RgbImage *LoadBitmapAsRgb(const void *fileName, int wideName) {
  BitmapLoad load = {};
  load.file = INVALID_HANDLE_VALUE;
  if (!OpenBitmapFile(&load, fileName, wideName) || !MapBitmapFile(&load)) {
    ReleaseLoad(&load);
    ReportOpenFailure(fileName, wideName);
    return nullptr;
  }
  if (const char *failure = DecodeBitmap(&load)) {
    ReportFailure(failure);
  }
  ReleaseLoad(&load);
  return load.image;
}
