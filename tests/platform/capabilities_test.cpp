#include "platform/capabilities.h"

#include <gtest/gtest.h>

#include <set>

namespace orv {
namespace {

constexpr Capability kAll[] = {Capability::Typing,       Capability::GlobalHotkeys,  Capability::TypedCharacters,
                               Capability::WindowEvents, Capability::WindowControl,  Capability::Pointer,
                               Capability::IdleTime,     Capability::DesktopSettings};
static_assert(std::size(kAll) == kCapabilityCount);

TEST(Capabilities, EveryShortfallHasASentenceOfItsOwn) {
    std::set<std::string_view> seen;
    for (Capability c : kAll) {
        EXPECT_TRUE(capabilityWording(c, Reach::Everywhere).empty());
        for (Reach r : {Reach::X11WindowsOnly, Reach::Nowhere}) {
            const std::string_view text = capabilityWording(c, r);
            EXPECT_TRUE(text.ends_with('.')) << text;
            EXPECT_TRUE(seen.insert(text).second) << "said twice: " << text;
        }
    }
    EXPECT_EQ(capabilityWording(Capability::TypedCharacters, Reach::Nowhere),
              "ShortKeys are not available in this session.");
}

TEST(Capabilities, ASessionHasTheLesserReachOfItsParts) {
    Capabilities hook;
    hook.set(Capability::GlobalHotkeys, Reach::X11WindowsOnly).set(Capability::Pointer, Reach::Nowhere);
    Capabilities services;
    services.set(Capability::GlobalHotkeys, Reach::Nowhere).set(Capability::Pointer, Reach::X11WindowsOnly);
    services.set(Capability::IdleTime, Reach::X11WindowsOnly);
    Capabilities session = hook;
    session.limitTo(services);
    EXPECT_EQ(session.reach(Capability::GlobalHotkeys), Reach::Nowhere);
    EXPECT_EQ(session.reach(Capability::Pointer), Reach::Nowhere);
    EXPECT_EQ(session.reach(Capability::IdleTime), Reach::X11WindowsOnly);
    EXPECT_EQ(session.lacking(), (std::vector{Capability::GlobalHotkeys, Capability::Pointer, Capability::IdleTime}));
    EXPECT_FALSE(session.has(Capability::Pointer));
    EXPECT_TRUE(session.has(Capability::IdleTime));
}

TEST(Capabilities, TheKindOfServerComesFromTheServerNotTheEnvironment) {
    const struct {
        DisplayFacts facts;
        DisplaySession expected;
    } cases[] = {
        {{}, DisplaySession::PlainX11},
        {{.outputNames = {"screen"}}, DisplaySession::PlainX11},  // Xvfb
        {{.outputNames = {"HDMI-1", "eDP-1"}}, DisplaySession::PlainX11},
        {{.xwaylandExtension = true, .outputNames = {}}, DisplaySession::XWayland},
        {{.outputNames = {"XWAYLAND0"}}, DisplaySession::XWayland},  // servers without the extension
        {{.outputNames = {"XWAYLAND0", "XWAYLAND1"}}, DisplaySession::XWayland},
        {{.outputNames = {"HDMI-XWAYLAND"}}, DisplaySession::PlainX11},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(classifyDisplay(c.facts), c.expected)
            << c.facts.xwaylandExtension << " " << c.facts.outputNames.size();
    }
}

TEST(Capabilities, X11HasEverythingOnItsOwnServerAndTellsWhatIsMissingUnderWayland) {
    EXPECT_EQ(x11HookCapabilities(DisplaySession::PlainX11), Capabilities{});
    EXPECT_EQ(x11ServiceCapabilities(DisplaySession::PlainX11), Capabilities{});
    EXPECT_EQ(sessionNotice(Capabilities{}), "");

    Capabilities session = x11HookCapabilities(DisplaySession::XWayland);
    session.limitTo(x11ServiceCapabilities(DisplaySession::XWayland));
    EXPECT_EQ(sessionNotice(session),
              "This desktop session does not let Orvanta do everything:\n"
              "\n- Macros type only into X11 windows; windows of Wayland programs get no keys."
              "\n- Hotkeys work only while an X11 window has the focus."
              "\n- ShortKeys, waits for a key or text and capture see only what is typed into X11 windows."
              "\n- Macros started by a window title see only X11 windows."
              "\n- Window commands find, activate, move and close only X11 windows."
              "\n- Mouse commands move and click only over X11 windows."
              "\n- Idle time counts only input into X11 windows."
              "\n- Keyboard repeat, screen saver and display mode settings are not available in this session."
              "\n\nEverything else works as usual.");
    // Each part speaks only for its own capabilities.
    EXPECT_EQ(x11HookCapabilities(DisplaySession::XWayland).reach(Capability::DesktopSettings), Reach::Everywhere);
    EXPECT_EQ(x11ServiceCapabilities(DisplaySession::XWayland).reach(Capability::GlobalHotkeys), Reach::Everywhere);
}

}  // namespace
}  // namespace orv
