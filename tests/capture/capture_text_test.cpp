#include "capture/capture_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace orv::capture {
namespace {

using Kind = InputEvent::Kind;

InputEvent event(Kind kind, std::uint32_t t) {
    InputEvent e;
    e.kind = kind;
    e.timeMs = t;
    return e;
}
InputEvent ch(std::uint32_t t, char32_t c) {
    InputEvent e = event(Kind::Character, t);
    e.character = c;
    return e;
}
InputEvent key(std::uint32_t t, const char* tag) {
    InputEvent e = event(Kind::Key, t);
    e.tag = tag;
    return e;
}
InputEvent at(Kind kind, std::uint32_t t, int x, int y) {
    InputEvent e = event(kind, t);
    e.x = x;
    e.y = y;
    e.windowX = x - 100;
    e.windowY = y - 50;
    return e;
}
InputEvent button(Kind kind, std::uint32_t t, int x, int y, MouseButton b = MouseButton::Left) {
    InputEvent e = at(kind, t, x, y);
    e.button = b;
    return e;
}
InputEvent motion(std::uint32_t t, int x, int y) { return at(Kind::Motion, t, x, y); }
InputEvent wheel(std::uint32_t t, int n) {
    InputEvent e = event(Kind::Wheel, t);
    e.wheel = n;
    return e;
}

std::string encodeAll(const CaptureOptions& options, const std::vector<InputEvent>& events) {
    CaptureEncoder encoder(options, 10, 10);
    std::string text;
    for (const InputEvent& e : events) text += encoder.encode(e);
    return text + encoder.finish();
}

TEST(CaptureTextTest, SpeedTagsAndDelays) {
    EXPECT_EQ(speedTag(1), "<SPEED:00001>");
    EXPECT_EQ(speedTag(2), "<SPEED:00002>");
    EXPECT_EQ(speedTag(3), "<SPEED:00.50>");
    EXPECT_EQ(speedTag(4), "<SPEED:00.25>");
    EXPECT_EQ(speedTag(5), "<SPEED:00.10>");
    EXPECT_EQ(speedTag(0), "<SPEED:00001>");

    const struct {
        std::uint32_t ms;
        const char* text;
    } delays[] = {
        {9, ""},
        {10, "<MSD:0010>"},
        {9999, "<MSD:9999>"},
        {12345, "<DELAY:12.34>"},
        {75000, "<DELAY:60.00><DELAY:15.00>"},
        {60020, "<DELAY:60.00><MSD:0020>"},
    };
    for (const auto& d : delays) EXPECT_EQ(delayText(d.ms), d.text) << d.ms;
}

TEST(CaptureTextTest, EventsBecomeMacroText) {
    CaptureOptions untimed;
    untimed.timing = false;
    CaptureOptions everyMove = untimed;
    everyMove.clicksOnly = false;
    CaptureOptions window = untimed;
    window.origin = MouseOrigin::Window;
    CaptureOptions relative = untimed;
    relative.origin = MouseOrigin::Position;
    CaptureOptions keysOnly = untimed;
    keysOnly.mouse = false;
    CaptureOptions mouseOnly = untimed;
    mouseOnly.keystrokes = false;
    CaptureOptions noDoubleAlt = untimed;
    noDoubleAlt.doubleAlt = false;
    const CaptureOptions timed;

    const struct {
        const char* name;
        CaptureOptions options;
        std::vector<InputEvent> events;
        std::string text;
    } cases[] = {
        {"characters as typed; outside the code page a question mark",
         untimed,
         {ch(0, U'a'), ch(1, U'\u00e9'), ch(2, U'\u20ac'), ch(3, U'\u4e2d'), key(4, "<ENTER>")},
         "a\xe9\x80?<ENTER>"},
        {"a click where the pointer was moved to; clicks only drop the moves",
         untimed,
         {motion(0, 20, 20), motion(5, 300, 200), button(Kind::ButtonDown, 6, 300, 200),
          button(Kind::ButtonUp, 7, 300, 200)},
         "<MMS:00300,00200><LCLK>"},
        {"a drag stays a press and a release",
         everyMove,
         {button(Kind::ButtonDown, 0, 10, 10, MouseButton::Right), motion(100, 40, 50),
          button(Kind::ButtonUp, 200, 40, 50, MouseButton::Right)},
         "<RDN><MMS:00040,00050><RUP>"},
        {"moves close together are merged into the last",
         everyMove,
         {motion(100, 20, 20), motion(110, 21, 21), motion(120, 22, 22), ch(200, U'x')},
         "<MMS:00020,00020><MMS:00022,00022>x"},
        {"window and position origins",
         window,
         {button(Kind::ButtonDown, 0, 300, 200), button(Kind::ButtonUp, 1, 300, 200)},
         "<MMW:00200,00150><LCLK>"},
        {"relative to the last position, negative as a minus sign",
         relative,
         {button(Kind::ButtonDown, 0, 5, 30, MouseButton::Middle),
          button(Kind::ButtonUp, 1, 5, 30, MouseButton::Middle)},
         "<MMP:-0005,00020><MCLK>"},
        {"wheel", untimed, {wheel(0, 2), wheel(1, -1)}, "<WFW:002><WBW:001>"},
        {"without the mouse", keysOnly, {ch(0, U'a'), button(Kind::ButtonDown, 1, 3, 3), wheel(2, 1)}, "a"},
        {"without keys", mouseOnly, {ch(0, U'a'), key(1, "<TAB>"), wheel(2, 1)}, "<WFW:001>"},
        {"a lone Alt opens a menu only when asked", noDoubleAlt, {event(Kind::AltTap, 0), ch(1, U'f')}, "f"},
        {"a lone Alt", untimed, {event(Kind::AltTap, 0), ch(1, U'f')}, "<ALTD><ALTU>f"},
        {"timed: pauses between pieces, none before the first",
         timed,
         {ch(1000, U'h'), ch(1150, U'i'), ch(1155, U'!'), button(Kind::ButtonDown, 13155, 10, 10),
          button(Kind::ButtonUp, 13200, 10, 10)},
         "h<MSD:0150>i!<DELAY:12.00><LCLK>"},
        {"a press still pending at the end is written",
         untimed,
         {button(Kind::ButtonDown, 0, 50, 60)},
         "<MMS:00050,00060><LDN>"},
    };
    for (const auto& c : cases) EXPECT_EQ(encodeAll(c.options, c.events), c.text) << c.name;
}

}  // namespace
}  // namespace orv::capture
