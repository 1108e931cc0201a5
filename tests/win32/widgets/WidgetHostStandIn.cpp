// The one call the canvas makes on its host, for as long as the core library is built without
// the widget host; tests/win32/CMakeLists.txt leaves this file out once the host is there.
#include "core/widgets/framework/WidgetHost.h"

namespace tarvik {

void WidgetHost::OnCanvasDismissed() {}

}  // namespace tarvik
