#pragma once
// The replay runner reads its scripts with the game's own reader, which the
// game's --watch uses too.
#include "presentation/ReplayScript.h"
