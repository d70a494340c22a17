#include "app/loop/display_server.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstring>

namespace {

bool hasXWaylandOutput(Display* display)
{
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    // Asking a server without RandR 1.3 for its current resources would be a
    // protocol error, which ends the program.
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
        major * 100 + minor < 103) {
        return false;
    }
    // The current resources, without making the server probe its outputs.
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (!resources) {
        return false;
    }
    bool found = false;
    for (int k = 0; k < resources->noutput && !found; ++k) {
        XRROutputInfo* output = XRRGetOutputInfo(display, resources, resources->outputs[k]);
        if (output) {
            found = std::strncmp(output->name, "XWAYLAND", 8) == 0;
            XRRFreeOutputInfo(output);
        }
    }
    XRRFreeScreenResources(resources);
    return found;
}

}  // namespace

const char* displayNameArgument(int argc, char** argv)
{
    for (int k = 1; k + 1 < argc; ++k) {
        if (std::strcmp(argv[k], "-display") == 0) {
            return argv[k + 1];
        }
    }
    return nullptr;
}

bool displayIsXWayland(const char* displayName)
{
    // A connection of our own: the toolkit's is not reachable before it opens a window.
    Display* display = XOpenDisplay(displayName);
    if (!display) {
        return false;
    }
    int opcode = 0;
    int eventBase = 0;
    int errorBase = 0;
    const bool found =
        XQueryExtension(display, "XWAYLAND", &opcode, &eventBase, &errorBase) || hasXWaylandOutput(display);
    XCloseDisplay(display);
    return found;
}
