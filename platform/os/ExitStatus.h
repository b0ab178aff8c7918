// The exit status the shell gets for the program's result.
#ifndef QUELLOR_OS_EXIT_STATUS_H
#define QUELLOR_OS_EXIT_STATUS_H

namespace platform {

// WinMain's result as the process exit gives it: a POSIX exit status carries
// 8 bits, and a result beyond them would reach the shell cut to its low byte
// (65537, the activation message's parameter after Escape, as 1, the status
// of a failed start; 256 as 0, a closed window). Such a result becomes 255.
int ProcessExitStatus(int result);

} // namespace platform

#endif
