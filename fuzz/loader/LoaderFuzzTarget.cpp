// One fuzz input is one bitmap file: it is written to an in-memory file and
// loaded by name, through the same calls as any texture. A load must either
// give an image of the header's size or show exactly one message, and must
// release everything it obtained; the sanitizers watch every byte it reads
// and writes.
#include <BitmapLoader.h>
#include <PlatformControl.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Run-length pictures are the only ones whose size the file does not bound:
// a few bytes can ask for gigabytes, which would only test the machine's
// memory. Inputs that ask for more than this many pixels are skipped.
const uint64_t kLargestRunLengthPixels = uint64_t{1} << 22;

uint32_t Read32(const uint8_t *bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

bool IsHugeRunLengthPicture(const uint8_t *data, size_t size) {
  size_t header = size >= 2 && data[0] == 'B' && data[1] == 'M' ? 14 : 0;
  if (size < header + 20 || Read32(data + header) != 40) {
    return false;
  }
  int64_t width = static_cast<int32_t>(Read32(data + header + 4));
  int64_t height = static_cast<int32_t>(Read32(data + header + 8));
  uint32_t compression = Read32(data + header + 16);
  return (compression == 1 || compression == 2) &&
         static_cast<uint64_t>(width < 0 ? -width : width) *
                 static_cast<uint64_t>(height < 0 ? -height : height) >
             kLargestRunLengthPixels;
}

void Check(bool condition, const char *what) {
  if (!condition) {
    std::fprintf(stderr, "loader fault: %s\n", what);
    std::abort();
  }
}

int InputFile() {
  static int descriptor = memfd_create("bitmap", MFD_CLOEXEC);
  return descriptor;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (IsHugeRunLengthPicture(data, size)) {
    return 0;
  }
  int descriptor = InputFile();
  Check(descriptor >= 0 && ftruncate(descriptor, 0) == 0 &&
            pwrite(descriptor, data, size, 0) == static_cast<ssize_t>(size),
        "cannot write the input file");
  std::string path = "/proc/self/fd/" + std::to_string(descriptor);

  control::Reset();
  RgbImage *image = LoadBitmapAsRgb(path.c_str(), 0);
  size_t messages = control::MessageBoxesShown().size();
  if (image) {
    Check(messages == 0, "a loaded image came with a message");
    Check(image->width > 0 && image->height > 0, "an image without pixels");
    // Touch the last byte, so the sanitizer checks the buffer's size.
    size_t bytes = static_cast<size_t>(image->width) * image->height * 3;
    volatile uint8_t last = image->pixels[bytes - 1];
    (void)last;
    std::free(image->pixels);
    std::free(image);
  } else {
    Check(messages == 1, "a failed load did not show exactly one message");
  }
  control::LiveResources live = control::Live();
  Check(live.fileHandles == 0 && live.mappings == 0 && live.views == 0 && live.localBlocks == 0 &&
            live.memoryDCs == 0 && live.sections == 0,
        "a load kept a resource");
  return 0;
}
