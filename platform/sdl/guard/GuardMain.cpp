// quellor-display-guard: puts the X screen's configuration back when the
// program that started it dies without doing so itself.
//
//   quellor-display-guard PARENT_PID   (standard input: a socket to the program)
//
// The program starts it just before it switches the display mode. The guard
// records the screen's configuration, answers 'R' (ready) and waits for one
// of these:
//   'D'  the program has put the mode back itself: the guard exits;
//   'X'  the program is dying of a signal: the guard restores the
//        configuration, answers 'K' and exits;
//   end of file, or the program's death reported by the kernel (the death
//   signal, for a socket that a forked child of the program still holds
//   open): the program died without a word (SIGKILL, the out-of-memory
//   killer, a signal no handler could take): the guard restores and exits.
// Exit status: 0 once done, 1 when it could not record or restore.
#include "ScreenConfiguration.h"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

const int kProgram = 0; // standard input
const int kDeathSignal = SIGUSR1;

volatile sig_atomic_t programGone = 0;

void OnProgramDeath(int) { programGone = 1; }

void Answer(char byte) { send(kProgram, &byte, 1, MSG_NOSIGNAL); }

// Blocks until the program says something or dies; returns its word, or 0
// for its death.
char AwaitWord(const sigset_t &waitingMask) {
  for (;;) {
    pollfd program = {kProgram, POLLIN, 0};
    const int ready = ppoll(&program, 1, nullptr, &waitingMask);
    if (programGone)
      return 0;
    if (ready < 0 && errno == EINTR)
      continue;
    char word;
    if (ready < 0 || recv(kProgram, &word, 1, 0) != 1)
      return 0;
    if (word == 'D' || word == 'X')
      return word;
  }
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2)
    return 1;
  // The death signal is taken only while waiting, so that no step of the
  // restore is cut short.
  sigset_t deathSignal, waitingMask;
  sigemptyset(&deathSignal);
  sigaddset(&deathSignal, kDeathSignal);
  sigprocmask(SIG_BLOCK, &deathSignal, &waitingMask);
  sigdelset(&waitingMask, kDeathSignal);
  struct sigaction action = {};
  action.sa_handler = OnProgramDeath;
  sigaction(kDeathSignal, &action, nullptr);
  prctl(PR_SET_PDEATHSIG, kDeathSignal);
  // The program waits for 'R' before it switches anything: if it is already
  // gone there is nothing to restore.
  if (getppid() != static_cast<pid_t>(std::atoll(argv[1])))
    return 0;

  Display *display = XOpenDisplay(nullptr);
  if (!display)
    return 1;
  ScreenConfiguration recorded;
  if (!RecordScreenConfiguration(display, &recorded)) {
    XCloseDisplay(display);
    return 1;
  }
  Answer('R');
  const char word = AwaitWord(waitingMask);
  bool restored = true;
  if (word != 'D')
    restored = RestoreScreenConfiguration(display, recorded);
  if (word == 'X')
    Answer('K');
  XCloseDisplay(display);
  return restored ? 0 : 1;
}
