// Opening files for reading (CreateFileA/W), their size, reading them, and
// closing kernel handles.
#include "hook/CallArguments.h"
#include "hook/Utf16.h"
#include "os/KernelObjects.h"
#include "os/ResourceCounts.h"

#include "hook/PlatformCalls.h"
#include <windows.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <unordered_set>

namespace platform {

namespace {

std::unordered_set<KernelObject *> &OpenObjects() {
  static std::unordered_set<KernelObject *> objects;
  return objects;
}

int &LiveCount(KernelObjectKind kind) {
  return kind == KernelObjectKind::file ? liveResources.fileHandles : liveResources.mappings;
}

// Opens an existing regular file for reading, as CreateFile does for
// GENERIC_READ and OPEN_EXISTING. Directories are refused, as Win32 refuses
// them without backup semantics, and so are devices, pipes and sockets, which
// a bitmap file never is, and a null name. The open does not wait: a named
// pipe without a writer would otherwise block it for good. The browser's file
// system for node ignores O_NONBLOCK, so there anything but a regular file is
// refused before it is opened (a file replaced in between is still refused
// below).
HANDLE OpenExistingFile(const char *name, DWORD access, DWORD disposition) {
  if (!name || access != GENERIC_READ || disposition != OPEN_EXISTING) {
    return INVALID_HANDLE_VALUE;
  }
#ifdef __EMSCRIPTEN__
  struct stat named;
  if (stat(name, &named) != 0 || !S_ISREG(named.st_mode)) {
    return INVALID_HANDLE_VALUE;
  }
#endif
  int descriptor = open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (descriptor < 0) {
    return INVALID_HANDLE_VALUE;
  }
  struct stat status;
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
      fcntl(descriptor, F_SETFL, 0) != 0) {
    close(descriptor);
    return INVALID_HANDLE_VALUE;
  }
  return NewKernelObject(KernelObjectKind::file, descriptor, 0);
}

} // namespace

HANDLE NewKernelObject(KernelObjectKind kind, int descriptor, uint64_t size) {
  KernelObject *object = new KernelObject{kind, descriptor, size};
  OpenObjects().insert(object);
  ++LiveCount(kind);
  return object;
}

KernelObject *FindKernelObject(HANDLE handle, KernelObjectKind kind) {
  KernelObject *object = static_cast<KernelObject *>(handle);
  if (OpenObjects().count(object) == 0 || object->kind != kind) {
    return nullptr;
  }
  return object;
}

} // namespace platform

HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                          DWORD disposition, DWORD flags, HANDLE templateFile) {
  if (platform::CallFails("CreateFileA",
                          platform::CallArguments(name, access, share, security, disposition, flags,
                                                  templateFile))) {
    return INVALID_HANDLE_VALUE;
  }
  return platform::OpenExistingFile(name, access, disposition);
}

HANDLE WINAPI CreateFileW(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                          DWORD disposition, DWORD flags, HANDLE templateFile) {
  if (platform::CallFails("CreateFileW",
                          platform::CallArguments(name, access, share, security, disposition, flags,
                                                  templateFile))) {
    return INVALID_HANDLE_VALUE;
  }
  // A null name opens nothing, and neither does a name with an unpaired
  // surrogate: it has no spelling in UTF-8, so no file on this system can
  // carry it.
  bool valid = false;
  std::string converted = name ? platform::Utf16ToUtf8(name, &valid) : std::string();
  if (!valid) {
    return INVALID_HANDLE_VALUE;
  }
  return platform::OpenExistingFile(converted.c_str(), access, disposition);
}

BOOL WINAPI GetFileSizeEx(HANDLE file, PLARGE_INTEGER size) {
  if (platform::CallFails("GetFileSizeEx", platform::CallArguments(file, size))) {
    return FALSE;
  }
  platform::KernelObject *object =
      platform::FindKernelObject(file, platform::KernelObjectKind::file);
  struct stat status;
  if (!object || !size || fstat(object->descriptor, &status) != 0) {
    return FALSE;
  }
  size->QuadPart = status.st_size;
  return TRUE;
}

// Reads from the file's position on, as many bytes as it still holds up to
// bytesToRead; fewer at its end, none past it.
BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, DWORD *bytesRead,
                     LPOVERLAPPED overlapped) {
  if (platform::CallFails("ReadFile", platform::CallArguments(file, buffer, bytesToRead, bytesRead,
                                                              static_cast<void *>(overlapped)))) {
    return FALSE;
  }
  platform::KernelObject *object =
      platform::FindKernelObject(file, platform::KernelObjectKind::file);
  if (!object || !buffer || !bytesRead || overlapped) {
    return FALSE;
  }
  char *target = static_cast<char *>(buffer);
  DWORD done = 0;
  while (done < bytesToRead) {
    ssize_t got = read(object->descriptor, target + done, bytesToRead - done);
    if (got < 0) {
      return FALSE;
    }
    if (got == 0) {
      break;
    }
    done += static_cast<DWORD>(got);
  }
  *bytesRead = done;
  return TRUE;
}

// A regular file is FILE_ATTRIBUTE_NORMAL (with FILE_ATTRIBUTE_READONLY when
// the process may not write it), a directory FILE_ATTRIBUTE_DIRECTORY, and
// anything else (devices, pipes, sockets) FILE_ATTRIBUTE_DEVICE. Looking does
// not open the file, so a pipe does not block it.
DWORD WINAPI GetFileAttributesA(LPCSTR name) {
  if (platform::CallFails("GetFileAttributesA", platform::CallArguments(name))) {
    return INVALID_FILE_ATTRIBUTES;
  }
  struct stat status;
  if (!name || stat(name, &status) != 0) {
    return INVALID_FILE_ATTRIBUTES;
  }
  if (S_ISDIR(status.st_mode)) {
    return FILE_ATTRIBUTE_DIRECTORY;
  }
  if (!S_ISREG(status.st_mode)) {
    return FILE_ATTRIBUTE_DEVICE;
  }
  return access(name, W_OK) == 0 ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

BOOL WINAPI CloseHandle(HANDLE handle) {
  if (platform::CallFails("CloseHandle", platform::CallArguments(handle))) {
    return FALSE;
  }
  platform::KernelObject *object = static_cast<platform::KernelObject *>(handle);
  if (platform::OpenObjects().erase(object) == 0) {
    return FALSE;
  }
  close(object->descriptor);
  --platform::LiveCount(object->kind);
  delete object;
  return TRUE;
}
