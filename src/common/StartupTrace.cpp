#include "common/StartupTrace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace gravlin {

namespace {

using Clock = std::chrono::steady_clock;

// Taken while the program's static objects are made, before main.
const Clock::time_point LoadedAt = Clock::now();

bool ReadSwitch() {
    const char* value = std::getenv("GRAVLIN_TRACE_STARTUP");
    return value && *value && std::strcmp(value, "0") != 0;
}

} // namespace

bool StartupTraced() {
    static const bool traced = ReadSwitch();
    return traced;
}

void TraceStartup(const char* step) {
    if (!StartupTraced()) return;
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - LoadedAt).count();
    std::fprintf(stderr, "Gravlin: start-up: %7.1f ms  %s\n", ms, step);
}

} // namespace gravlin
