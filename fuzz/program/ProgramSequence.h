// One fuzz input decoded into what happens to a whole run of the program: the
// answer to the start question, then events at numbered frame passes (keys,
// focus, minimising, restoring, resizing, closing, quit requests, messages
// the system sends, answers for the next message boxes, display modes offered or
// refused, a platform call made to fail), and always a close and Escape at
// the end, so that every run ends within a few hundred frame passes.
#ifndef QUELLOR_FUZZ_PROGRAM_SEQUENCE_H
#define QUELLOR_FUZZ_PROGRAM_SEQUENCE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class EventKind {
  KeyDown,
  KeyUp,
  FocusGained,
  FocusLost,
  Minimise,
  Restore,
  Resize,
  Close,
  QuitRequest,
  SentMessage,
  Answer,
  DisplayModes,
  FailCall,
};

struct ProgramEvent {
  int pass; // the frame pass it comes before; 0: before the program starts
  EventKind kind;
  int key = 0;                  // KeyDown, KeyUp: the virtual-key code
  unsigned modifiers = 0;       // KeyDown, KeyUp: the backend's KeyModifier bits
  bool repeat = false;          // KeyDown: a key repeat
  bool extended = false;        // KeyDown, KeyUp: the extended-key flag
  bool toFocusedWindow = false; // KeyDown, KeyUp: reported without a surface
  int width = 0, height = 0;    // Resize
  unsigned message = 0;         // SentMessage
  uintptr_t wParam = 0;         // SentMessage
  int answer = 0;               // Answer: the button the next box gets
  bool modesOffered = true;     // DisplayModes
  const char *call = nullptr;   // FailCall: the platform function
  int nth = 0;                  // FailCall: which call from this pass on, from 1
};

struct ProgramSequence {
  std::vector<ProgramEvent> events; // in the order they happen
  int lastPass = 0;                 // the pass of the last event, the ending's included
};

// The most frame passes the decoded events may span before the ending.
const int kLastEventPass = 240;
// The most calls made to fail in one run: each can swallow one of the ending's
// closes, and the ending has more than this many.
const int kMostFailures = 4;

ProgramSequence DecodeProgramSequence(const uint8_t *data, size_t size);

// The sequence as lines of text, one event a line, for the replay's report.
std::string DescribeProgramSequence(const ProgramSequence &sequence);

#endif
