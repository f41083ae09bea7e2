#pragma once

namespace DriverTest {

// How many times this process has asked the system loader to load "JALVEX.dll" (requests that
// only look for an already loaded library not counted). Linking LoadCounter.cpp into a test puts
// a counting dlopen in front of the system's.
int JalvexLoadRequests();

} // namespace DriverTest
