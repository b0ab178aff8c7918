// What the hostile-texture tests share: the outcomes a whole run may end with
// when the floor's texture file is replaced by something hostile.
#ifndef QUELLOR_TESTS_HOSTILE_RUN_H
#define QUELLOR_TESTS_HOSTILE_RUN_H

#include <set>
#include <string>

#include "ProgramRun.h"

// The file the tests replace: the second of the three, so that the first
// texture has been created when the hostile one is read.
const char kHostileTexture[] = "tex2.bmp";

// Starts fullscreen, so that the display mode is at stake, and closes the
// window before the third frame; no F1.
RunOutcome RunWithHostileTexture();

// A run that went on despite the file: status 0, no message, nothing held,
// display and cursor restored.
void ExpectCleanRun(const RunOutcome &outcome);

// A run whose start-up failed in the scene's set-up. By design that failure
// ends the program with 1 without tearing the window down: the window, its
// device and rendering contexts and its class stay, and with them the
// display mode and the hidden cursor, until the process ends and the
// platform reclaims them. The loader itself holds nothing. With a non-empty
// set, exactly one loader message with one of these texts was shown; with
// an empty set, none.
void ExpectSceneSetUpFailure(const RunOutcome &outcome, const std::set<std::string> &texts);

// The loader's open-failure text for the hostile file.
std::string OpenFailureText();

#endif
