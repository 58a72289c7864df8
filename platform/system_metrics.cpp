// The system metrics the window is sized by: those of a classic desktop with
// a 19-pixel caption and a 4-pixel sizing frame.
#include "platform/system_metrics.h"

namespace platform {

int getSystemMetrics(int index) {
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
