// The fullscreen picture's enlargement and position.
#include "platform/screen_fit.h"

#include <algorithm>

namespace platform {

ScreenFit fitOnScreen(int width, int height, int screenWidth, int screenHeight, int maxScale) {
  int scale = 1;
  if (width > 0 && height > 0)
    scale = std::max(1, std::min(screenWidth / width, screenHeight / height));
  if (maxScale > 0) scale = std::min(scale, maxScale);
  // An odd spare pixel goes to the right and bottom borders.
  const int left = (screenWidth - width * scale) / 2;
  const int top = (screenHeight - height * scale) / 2;
  return ScreenFit{scale, left, top};
}

}  // namespace platform
