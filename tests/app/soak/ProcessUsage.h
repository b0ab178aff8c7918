// What the process holds from the system, read from /proc: resident memory
// and open file descriptors.
#ifndef QUELLOR_TESTS_SOAK_PROCESS_USAGE_H
#define QUELLOR_TESTS_SOAK_PROCESS_USAGE_H

#include <cstddef>

// Resident memory in bytes, after handing freed heap memory back to the
// system so that only memory still in use counts.
size_t ResidentBytes();

// Open file descriptors.
int OpenDescriptors();

// A count from the environment, for the long versions of the soaks; the
// default when the variable is unset or not a positive number.
int CountFromEnvironment(const char *name, int defaultCount);

#endif
