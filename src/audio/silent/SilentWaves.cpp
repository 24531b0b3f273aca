#include "audio/silent/SilentWaves.h"
