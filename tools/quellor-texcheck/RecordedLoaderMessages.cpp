// The core records every message box instead of showing it, on the headless
// backend and on the page's.
#include "LoaderMessages.h"

#include <PlatformControl.h>

void StartCapturingLoaderMessages() { control::Reset(); }

std::string LastLoaderMessage() {
  const auto &boxes = control::MessageBoxesShown();
  return boxes.empty() ? std::string() : boxes.back().text;
}
