// Waits of whole seconds, replaceable so that tests do not sleep.
#pragma once

#include <functional>

// Sleeps `seconds` through the sleeper in force.
void sleepSeconds(unsigned seconds);

// Replaces the sleeper (an empty function restores the real one).
void setSleeper(std::function<void(unsigned)> sleeper);
