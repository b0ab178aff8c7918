// The file cache that the memory check counts as reclaimable in a control
// group, from memory.stat texts as the kernel writes them.
#include <MemoryStatus.h>

#include <gtest/gtest.h>

namespace {

struct MemoryStatCase {
  const char *name;
  bool versionOne;
  const char *text;
  uint64_t reclaimable;
};

const MemoryStatCase kCases[] = {
    // A busy cache is mostly on the active list: it counts as well.
    {"unified hierarchy", false,
     "anon 10485760\nfile 201326592\nkernel 1048576\nactive_anon 4096\ninactive_anon 10481664\n"
     "active_file 167772160\ninactive_file 33554432\nunevictable 0\n",
     167772160 + 33554432},
    // Version 1 counts the group with those below it under "total_"; its own
    // figures come first and are not the ones.
    {"version 1", true,
     "cache 8192\nrss 0\ninactive_file 4096\nactive_file 4096\nhierarchical_memory_limit "
     "268435456\ntotal_cache 100663296\ntotal_inactive_file 25165824\n"
     "total_active_file 75497472\n",
     25165824 + 75497472},
    {"no file cache listed", false, "anon 4096\nactive_anon 4096\n", 0},
    {"only inactive pages", false, "active_file 0\ninactive_file 8192\n", 8192},
};

TEST(MemoryStatTest, ActiveAndInactiveFilePagesAreReclaimable) {
  for (const MemoryStatCase &entry : kCases) {
    SCOPED_TRACE(entry.name);
    EXPECT_EQ(platform::ReclaimableFileCache(entry.text, entry.versionOne), entry.reclaimable);
  }
}

} // namespace
