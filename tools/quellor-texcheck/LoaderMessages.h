// How quellor-texcheck learns the loader's message instead of leaving a box
// on the screen: each platform captures the text of the box the loader shows
// and closes it at once.
#ifndef QUELLOR_TEXCHECK_LOADER_MESSAGES_H
#define QUELLOR_TEXCHECK_LOADER_MESSAGES_H

#include <string>

// Starts capturing the loader's message boxes; call once before the load.
// Also makes standard output write bytes unchanged, so that both platforms
// print the same text.
void StartCapturingLoaderMessages();

// The text of the last message box shown since the capture started, or "".
std::string LastLoaderMessage();

#endif
