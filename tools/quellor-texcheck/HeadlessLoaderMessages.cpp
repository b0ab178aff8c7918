// The headless backend records every message box instead of showing it.
#include "LoaderMessages.h"

#include <HeadlessControl.h>

void StartCapturingLoaderMessages() { headless::Reset(); }

std::string LastLoaderMessage() {
  const auto &boxes = headless::MessageBoxesShown();
  return boxes.empty() ? std::string() : boxes.back().text;
}
