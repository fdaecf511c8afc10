#include "frame/host.h"

namespace frame {

namespace {
Host* g_current = nullptr;
}

Host* Host::current()
{
    return g_current;
}

// The host made last is the current one; a host going leaves none behind.
Host::Host()
{
    g_current = this;
}

Host::~Host()
{
    if (g_current == this)
        g_current = nullptr;
}

} // namespace frame
