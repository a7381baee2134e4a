#include "app/window_layout.h"

WindowOrigin CentredOrigin(std::int32_t screenWidth, std::int32_t screenHeight) {
  return {(screenWidth - kMainWindowWidth) / 2, (screenHeight - kMainWindowHeight) / 2};
}
