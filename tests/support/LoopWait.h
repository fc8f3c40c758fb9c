#pragma once
// Running the event loop until a condition holds.

#include <chrono>
#include <functional>

namespace LoopWait {

// Runs the event loop until `condition` holds, looking at it after every
// event and at least every 20 ms (a condition another thread changes is
// seen too); false when `guard` ran out first. The guard only keeps a test
// from hanging: it is generous and never a measure.
bool until(const std::function<bool()>& condition, std::chrono::milliseconds guard = std::chrono::seconds(30));

} // namespace LoopWait
