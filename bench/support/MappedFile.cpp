#include "MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

MappedFile MapFile(const std::string &path) {
  MappedFile file{open(path.c_str(), O_RDONLY), nullptr, 0};
  struct stat status;
  if (file.descriptor >= 0 && fstat(file.descriptor, &status) == 0) {
    file.size = static_cast<size_t>(status.st_size);
    void *data = mmap(nullptr, file.size, PROT_READ, MAP_PRIVATE, file.descriptor, 0);
    file.data = data == MAP_FAILED ? nullptr : static_cast<const unsigned char *>(data);
  }
  return file;
}

void UnmapFile(const MappedFile &file) {
  if (file.data)
    munmap(const_cast<unsigned char *>(file.data), file.size);
  if (file.descriptor >= 0)
    close(file.descriptor);
}
