// System metrics that size the window, by their classic indices: those of a
// classic desktop with a 19-pixel caption and a 4-pixel sizing frame.
#pragma once

namespace platform {

constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;

// Returns the metric: caption 19, frame 4 and 4; 0 for any other index.
constexpr int getSystemMetrics(int index) {
  switch (index) {
    case SM_CYCAPTION:
      return 19;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    default:
      return 0;
  }
}

}  // namespace platform
