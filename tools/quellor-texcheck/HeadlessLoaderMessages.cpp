// The headless backend records every message box instead of showing it.
#include "LoaderMessages.h"

#include <PlatformControl.h>

void StartCapturingLoaderMessages() { control::Reset(); }

std::string LastLoaderMessage() {
  const auto &boxes = control::MessageBoxesShown();
  return boxes.empty() ? std::string() : boxes.back().text;
}
