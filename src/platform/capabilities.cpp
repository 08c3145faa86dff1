#include "platform/capabilities.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace orv {

namespace {

struct Wording {
    Capability capability;
    std::string_view x11WindowsOnly;
    std::string_view nowhere;
};

// What the user is told, in the order of the capabilities.
constexpr Wording kWordings[kCapabilityCount] = {
    {Capability::Typing, "Macros type only into X11 windows; windows of Wayland programs get no keys.",
     "Macros cannot type in this session."},
    {Capability::GlobalHotkeys, "Hotkeys work only while an X11 window has the focus.",
     "Hotkeys are not available in this session."},
    {Capability::TypedCharacters,
     "ShortKeys, waits for a key or text and capture see only what is typed into X11 windows.",
     "ShortKeys are not available in this session."},
    {Capability::WindowEvents, "Macros started by a window title see only X11 windows.",
     "Macros started by a window title are not available in this session."},
    {Capability::WindowControl, "Window commands find, activate, move and close only X11 windows.",
     "Window commands are not available in this session."},
    {Capability::Pointer, "Mouse commands move and click only over X11 windows.",
     "Mouse commands are not available in this session."},
    {Capability::IdleTime, "Idle time counts only input into X11 windows.",
     "Idle time is not available in this session."},
    {Capability::DesktopSettings, "Keyboard repeat, screen saver and display mode settings apply only to X11 windows.",
     "Keyboard repeat, screen saver and display mode settings are not available in this session."},
};

constexpr bool wordingsInOrder() {
    for (std::size_t i = 0; i < kCapabilityCount; ++i)
        if (static_cast<std::size_t>(kWordings[i].capability) != i) return false;
    return true;
}
static_assert(wordingsInOrder(), "one wording per capability, in declaration order");

using ReachList = std::initializer_list<std::pair<Capability, Reach>>;

// The X11 server of a Wayland session: the compositor gives it input only while one of its
// windows has the focus, it lists and manages only its own windows, and it owns none of the
// session's settings.
constexpr ReachList kXWaylandHook = {
    {Capability::GlobalHotkeys, Reach::X11WindowsOnly},
    {Capability::TypedCharacters, Reach::X11WindowsOnly},
    {Capability::WindowEvents, Reach::X11WindowsOnly},
    {Capability::IdleTime, Reach::X11WindowsOnly},
};
constexpr ReachList kXWaylandServices = {
    {Capability::Typing, Reach::X11WindowsOnly},
    {Capability::WindowControl, Reach::X11WindowsOnly},
    {Capability::Pointer, Reach::X11WindowsOnly},
    {Capability::DesktopSettings, Reach::Nowhere},
};

// A client of a wlroots compositor: it types, drives windows and moves the pointer everywhere
// through the compositor's protocols, but the compositor shows no client the others' input or
// idle time, follows no window title for it, and keeps its settings to itself.
constexpr ReachList kWlroots = {
    {Capability::GlobalHotkeys, Reach::Nowhere},   {Capability::TypedCharacters, Reach::Nowhere},
    {Capability::WindowEvents, Reach::Nowhere},    {Capability::IdleTime, Reach::Nowhere},
    {Capability::DesktopSettings, Reach::Nowhere},
};

Capabilities withReaches(ReachList reaches) {
    Capabilities result;
    for (const auto& [capability, reach] : reaches) result.set(capability, reach);
    return result;
}

}  // namespace

Capabilities& Capabilities::set(Capability c, Reach r) {
    reach_[static_cast<std::size_t>(c)] = r;
    return *this;
}

Capabilities& Capabilities::limitTo(const Capabilities& other) {
    for (std::size_t i = 0; i < kCapabilityCount; ++i) reach_[i] = std::max(reach_[i], other.reach_[i]);
    return *this;
}

std::vector<Capability> Capabilities::lacking() const {
    std::vector<Capability> result;
    for (std::size_t i = 0; i < kCapabilityCount; ++i)
        if (reach_[i] != Reach::Everywhere) result.push_back(static_cast<Capability>(i));
    return result;
}

std::string_view capabilityWording(Capability c, Reach r) {
    const Wording& wording = kWordings[static_cast<std::size_t>(c)];
    switch (r) {
        case Reach::X11WindowsOnly:
            return wording.x11WindowsOnly;
        case Reach::Nowhere:
            return wording.nowhere;
        case Reach::Everywhere:
            break;
    }
    return {};
}

std::string sessionNotice(const Capabilities& capabilities) {
    const std::vector<Capability> lacking = capabilities.lacking();
    if (lacking.empty()) return {};
    std::string text = "This desktop session does not let Orvanta do everything:\n";
    for (Capability c : lacking) {
        text += "\n- ";
        text += capabilityWording(c, capabilities.reach(c));
    }
    text += "\n\nEverything else works as usual.";
    return text;
}

DisplaySession classifyDisplay(const DisplayFacts& facts) {
    // Newer servers announce themselves by the extension, every one by its outputs' names.
    if (facts.xwaylandExtension) return DisplaySession::XWayland;
    const bool xwaylandOutputs = std::any_of(facts.outputNames.begin(), facts.outputNames.end(),
                                             [](const std::string& name) { return name.starts_with("XWAYLAND"); });
    return xwaylandOutputs ? DisplaySession::XWayland : DisplaySession::PlainX11;
}

Capabilities x11HookCapabilities(DisplaySession session) {
    return session == DisplaySession::XWayland ? withReaches(kXWaylandHook) : Capabilities{};
}

Capabilities x11ServiceCapabilities(DisplaySession session) {
    return session == DisplaySession::XWayland ? withReaches(kXWaylandServices) : Capabilities{};
}

Capabilities wlrootsCapabilities() { return withReaches(kWlroots); }

}  // namespace orv
