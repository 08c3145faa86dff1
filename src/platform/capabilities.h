#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// What a desktop backend does for the program. Every feature stands on one of these.
enum class Capability : std::uint8_t {
    Typing,           // keys and characters reach the focused window
    GlobalHotkeys,    // hotkeys fire whatever window has the focus
    TypedCharacters,  // the user's typing is seen: ShortKeys, waits for keys and text, capture
    WindowEvents,     // window activation is followed: macros started by a window title
    WindowControl,    // windows are listed, found, activated, moved, sized and closed
    Pointer,          // the mouse pointer is moved and clicked
    IdleTime,         // the time without user input
    DesktopSettings,  // keyboard repeat, screen saver and display mode
};
inline constexpr std::size_t kCapabilityCount = 8;

// How far a backend has a capability.
enum class Reach : std::uint8_t {
    Everywhere,
    // In a Wayland session through its X11 server: only X11 windows take part (or only while
    // one has the keyboard focus); windows of Wayland programs do not.
    X11WindowsOnly,
    Nowhere,
};

// The reach of every capability of a backend or a session. A new set has everything everywhere.
class Capabilities {
public:
    Reach reach(Capability c) const { return reach_[static_cast<std::size_t>(c)]; }
    bool has(Capability c) const { return reach(c) != Reach::Nowhere; }
    Capabilities& set(Capability c, Reach r);
    // Each capability takes the lesser reach of the two: the session of a hook library and
    // the services that run together.
    Capabilities& limitTo(const Capabilities& other);
    // The capabilities that do not reach everywhere, in declaration order.
    std::vector<Capability> lacking() const;

    friend bool operator==(const Capabilities&, const Capabilities&) = default;

private:
    std::array<Reach, kCapabilityCount> reach_{};
};

// The sentence that tells the user what a reach short of everywhere means for the program's
// features; empty for Everywhere. The Nowhere sentence is also the message of a command that
// needs the missing capability.
std::string_view capabilityWording(Capability c, Reach r);

// The one notice of a session that lacks something: a line per capability that does not reach
// everywhere; empty when nothing is lacking.
std::string sessionNotice(const Capabilities& capabilities);
inline constexpr std::string_view kSessionNoticeTitle = "Features Not Available";

// The kind of X server the program talks to.
enum class DisplaySession : std::uint8_t {
    PlainX11,  // an X server of its own (Xorg, Xvfb, a nested server)
    XWayland,  // the X11 server of a Wayland session
};

// What tells the kinds apart, as the server answers (injected in tests). WAYLAND_DISPLAY is
// not among them: an Xvfb or a nested X server started inside a Wayland session inherits it
// and is still a whole X server.
struct DisplayFacts {
    bool xwaylandExtension = false;        // the server announces the XWAYLAND extension
    std::vector<std::string> outputNames;  // the server's RandR outputs
};
DisplaySession classifyDisplay(const DisplayFacts& facts);

// What the X11 backend has on each kind of server: the hook library's part (hotkeys, typed
// characters, window events, idle time) and the services' part (typing, window control, the
// pointer, desktop settings); each reports the other's capabilities as everywhere.
Capabilities x11HookCapabilities(DisplaySession session);
// What the backend for wlroots compositors (platform/wayland) has: typing, window control and
// the pointer everywhere, nothing of the rest.
Capabilities wlrootsCapabilities();
Capabilities x11ServiceCapabilities(DisplaySession session);

}  // namespace orv
