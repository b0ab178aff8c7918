// The program's fuzz target, besides libFuzzer's entry: what the last run
// ended with, for the replay's report.
#ifndef QUELLOR_FUZZ_PROGRAM_FUZZ_TARGET_H
#define QUELLOR_FUZZ_PROGRAM_FUZZ_TARGET_H

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// The last run's status, what it held at its end, the calls made to fail and
// the message boxes shown, as lines of text.
std::string LastRunText();

#endif
