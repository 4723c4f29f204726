#pragma once
// A wait that keeps the program's windows responsive.

#include <windows.h>

#include <cstdint>

// Returns after Milliseconds, pumping window messages meanwhile (at least once, also for 0),
// so any command can run inside the wait. Never raises: a failure inside the wait is logged
// and ends it.
void LightDelay(std::uint32_t Milliseconds) noexcept;

// LightDelay with the given pump in place of Application::ProcessMessages.
void LightDelayPumping(std::uint32_t Milliseconds, void (*Pump)()) noexcept;
