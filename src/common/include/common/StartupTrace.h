#pragma once
// Timing the start-up: with GRAVLIN_TRACE_STARTUP=1 in the environment each
// step of the start-up is written to standard error with the milliseconds
// since the program was loaded, so a slow start can be taken apart.

namespace gravlin {

// Writes "Gravlin: start-up: <ms> ms <step>" when tracing is on.
void TraceStartup(const char* step);

// True when GRAVLIN_TRACE_STARTUP is set to anything but "0" or "".
bool StartupTraced();

} // namespace gravlin
