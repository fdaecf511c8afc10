#pragma once

namespace app {
// Registers the program's built-in resources (help pages, pictures). The library is static,
// so nothing does this by itself; calling it more than once is harmless.
void initResources();
} // namespace app
