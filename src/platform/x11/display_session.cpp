#include "platform/x11/display_session.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <memory>

#include "platform/x11/xlib_util.h"

namespace orv::x11 {

namespace {

std::vector<std::string> outputNames(Display* display) {
    std::vector<std::string> names;
    int eventBase = 0;
    int errorBase = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase)) return names;
    const std::unique_ptr<XRRScreenResources, decltype(&XRRFreeScreenResources)> resources(
        XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display)), &XRRFreeScreenResources);
    if (!resources) return names;
    for (int i = 0; i < resources->noutput; ++i) {
        const std::unique_ptr<XRROutputInfo, decltype(&XRRFreeOutputInfo)> info(
            XRRGetOutputInfo(display, resources.get(), resources->outputs[i]), &XRRFreeOutputInfo);
        if (info) names.emplace_back(info->name, static_cast<std::size_t>(info->nameLen));
    }
    return names;
}

}  // namespace

DisplayFacts displayFacts(Display* display) {
    DisplayFacts facts;
    int opcode = 0;
    int event = 0;
    int error = 0;
    facts.xwaylandExtension = XQueryExtension(display, "XWAYLAND", &opcode, &event, &error) != 0;
    facts.outputNames = outputNames(display);
    return facts;
}

DisplaySession detectDisplaySession() {
    const DisplayPtr display = openDisplay();
    if (!display) return DisplaySession::PlainX11;
    return classifyDisplay(displayFacts(display.get()));
}

}  // namespace orv::x11
