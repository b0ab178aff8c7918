// The display guard: a small process of its own (guard/GuardMain.cpp) that
// puts the desktop's display mode back however the program ends. A helper of
// the backend's surfaces, not an entry of its table.
//
// SDL restores the mode when the fullscreen window goes, and the core's
// exit handler makes sure it goes at a normal exit. A process that dies of
// a signal runs neither, and X keeps a mode that a dead client set. So just
// before the display is first switched (on X11 only: other video drivers
// change no mode that outlives the program) the backend starts the guard
// from the program's folder, with a socket to it. The guard records the
// screen's configuration and waits:
// - when the mode is back (the last fullscreen window left or destroyed),
//   the program tells it to stand down and waits for it to exit;
// - a signal that would end the program (SIGHUP, SIGQUIT, SIGILL, SIGABRT,
//   SIGBUS, SIGFPE, SIGSEGV, SIGPIPE, unless ignored) asks the guard to
//   restore, waits for its answer and then meets the action the program
//   had before, the default one as a rule: the exit status is the
//   signal's, and a core is dumped as before;
// - a death without a word (SIGKILL, the out-of-memory killer) closes the
//   socket, and the guard restores on its own.
// The handler only sends, polls and reads, which are async-signal-safe: X
// and SDL calls are not, and the program's own connection may be in any
// state when the signal comes. SIGINT and SIGTERM stay SDL's: a quit
// request, after which the program ends normally.
#include "sdl/SdlBackend.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

extern char **environ;

namespace platform::sdl {

namespace {

const int kFatalSignals[] = {SIGHUP, SIGQUIT, SIGILL, SIGABRT, SIGBUS, SIGFPE, SIGSEGV, SIGPIPE};
const int kSignalCount = sizeof kFatalSignals / sizeof kFatalSignals[0];
// How long to wait for the guard: to start, and to restore the mode when a
// signal ends the program (a server grabbed by the dying program itself
// would keep it waiting; the guard then restores once the program is gone).
const int kGuardStartMs = 5000;
const int kRestoreMs = 5000;

struct sigaction previousActions[kSignalCount];
bool handlersInstalled = false;
// The program's end of the socket, -1 without a guard. Read by the handler.
std::atomic<int> guardSocket{-1};
static_assert(std::atomic<int>::is_always_lock_free, "read from a signal handler");
pid_t guardPid = -1;

std::string GuardPath() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0)
    return "";
  const std::string program(path, static_cast<size_t>(length));
  return program.substr(0, program.rfind('/') + 1) + "quellor-display-guard";
}

// One byte from the guard within the time, or false.
bool AwaitByte(int socket, char *byte, int milliseconds) {
  pollfd guard = {socket, POLLIN, 0};
  return poll(&guard, 1, milliseconds) == 1 && recv(socket, byte, 1, 0) == 1;
}

bool IsFault(int signal, const siginfo_t *info) {
  return (signal == SIGSEGV || signal == SIGBUS || signal == SIGFPE || signal == SIGILL) &&
         info->si_code > 0;
}

void OnFatalSignal(int signal, siginfo_t *info, void *) {
  const int savedErrno = errno;
  const int socket = guardSocket.load();
  if (socket >= 0) {
    const char restore = 'X';
    char answer;
    if (send(socket, &restore, 1, MSG_NOSIGNAL) == 1)
      AwaitByte(socket, &answer, kRestoreMs);
  }
  for (int i = 0; i < kSignalCount; ++i) {
    if (kFatalSignals[i] == signal)
      sigaction(signal, &previousActions[i], nullptr);
  }
  errno = savedErrno;
  // A fault comes back when its instruction runs again, with its own
  // details; a sent signal is sent again, and is taken once this returns.
  if (!IsFault(signal, info))
    raise(signal);
}

// Once, with the first guard: only signals that would end the program, so
// an ignored SIGPIPE (or SIGHUP under nohup) stays ignored.
void InstallHandlers() {
  if (handlersInstalled)
    return;
  handlersInstalled = true;
  for (int i = 0; i < kSignalCount; ++i) {
    sigaction(kFatalSignals[i], nullptr, &previousActions[i]);
    if (previousActions[i].sa_handler == SIG_IGN)
      continue;
    struct sigaction action = {};
    action.sa_sigaction = OnFatalSignal;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    sigaction(kFatalSignals[i], &action, nullptr);
  }
}

void EndGuard(int socket, pid_t pid) {
  close(socket);
  while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
  }
}

} // namespace

void StartDisplayGuard() {
  if (guardSocket.load() >= 0)
    return;
  const char *driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0)
    return;
  std::string path = GuardPath();
  int sockets[2];
  if (path.empty() || socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0)
    return;
  // The guard is the socket's only other holder (the program's end is not
  // inherited), in a session of its own: the terminal's signals are for the
  // program, and the guard must outlive it.
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_adddup2(&files, sockets[1], 0);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  std::string parent = std::to_string(getpid());
  char *arguments[] = {&path[0], &parent[0], nullptr};
  pid_t pid;
  const int failed = posix_spawn(&pid, path.c_str(), &files, &attributes, arguments, environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&files);
  close(sockets[1]);
  if (failed) {
    close(sockets[0]);
    return;
  }
  char ready;
  if (!AwaitByte(sockets[0], &ready, kGuardStartMs) || ready != 'R') {
    // It could not read the screen, or did not answer in time: the program
    // goes on unguarded, as it would without the guard's program.
    kill(pid, SIGKILL);
    EndGuard(sockets[0], pid);
    return;
  }
  guardPid = pid;
  guardSocket.store(sockets[0]);
  InstallHandlers();
}

void StandDownDisplayGuard() {
  const int socket = guardSocket.exchange(-1);
  if (socket < 0)
    return;
  const char done = 'D';
  send(socket, &done, 1, MSG_NOSIGNAL);
  EndGuard(socket, guardPid);
  guardPid = -1;
}

} // namespace platform::sdl
