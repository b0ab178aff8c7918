#include "AppState.h"

AppState appState;
