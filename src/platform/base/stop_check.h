// StopCheck: how long blocking work done for a script (a download, say) learns that the script
// must stop — its time-out has passed or its host was reset. Polled while the work waits; true
// asks it to give up. An empty check never asks.
#pragma once

#include <functional>

namespace platform {

using StopCheck = std::function<bool()>;

}  // namespace platform
