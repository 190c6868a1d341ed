// A message box that shows nothing, for programs that run the loaders without a window.
#include "platform/platform.h"

namespace platform {

void ShowMessage(std::string_view, std::string_view) {}

} // namespace platform
