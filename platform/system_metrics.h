// System metrics that size the window, by their classic indices.
#pragma once

namespace platform {

constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;

// Returns the metric: caption 19, frame 4 and 4; 0 for any other index.
int getSystemMetrics(int index);

}  // namespace platform
