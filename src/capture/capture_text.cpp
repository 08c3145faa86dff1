#include "capture/capture_text.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/cp1252.h"

namespace orv::capture {
namespace {

constexpr std::uint32_t kShortestPauseMs = 10;
constexpr std::uint32_t kLongestMsdMs = 9999;
constexpr std::uint32_t kLongestDelayMs = 60000;
// Moves closer together than this are merged into the later one when every move is recorded.
constexpr std::uint32_t kMoveSpacingMs = 30;

struct ButtonTags {
    const char* down;
    const char* up;
    const char* click;
};

ButtonTags buttonTags(MouseButton button) {
    switch (button) {
        case MouseButton::Right:
            return {"<RDN>", "<RUP>", "<RCLK>"};
        case MouseButton::Middle:
            return {"<MDN>", "<MUP>", "<MCLK>"};
        case MouseButton::Left:
            break;
    }
    return {"<LDN>", "<LUP>", "<LCLK>"};
}

// A mouse coordinate in five characters: zero-padded, a negative one with its minus sign first.
std::string coordinate(int value) {
    std::array<char, 16> buf{};
    if (value < 0)
        std::snprintf(buf.data(), buf.size(), "-%04d", -value > 9999 ? 9999 : -value);
    else
        std::snprintf(buf.data(), buf.size(), "%05d", value > 99999 ? 99999 : value);
    return buf.data();
}

}  // namespace

std::string speedTag(int speed) {
    switch (static_cast<CaptureSpeed>(speed)) {
        case CaptureSpeed::Half:
            return "<SPEED:00002>";
        case CaptureSpeed::Double:
            return "<SPEED:00.50>";
        case CaptureSpeed::Quadruple:
            return "<SPEED:00.25>";
        case CaptureSpeed::Tenfold:
            return "<SPEED:00.10>";
        case CaptureSpeed::Actual:
            break;
    }
    return "<SPEED:00001>";
}

char typedByte(char32_t character) {
    const int byte = unicodeToCp1252(character);
    return byte < 0 || byte == 0 ? '?' : static_cast<char>(byte);
}

std::string delayText(std::uint32_t ms) {
    std::string text;
    while (ms > kLongestMsdMs) {
        const std::uint32_t piece = ms > kLongestDelayMs ? kLongestDelayMs : ms;
        std::array<char, 24> buf{};
        std::snprintf(buf.data(), buf.size(), "<DELAY:%05.2f>", static_cast<double>(piece / 10) / 100.0);
        text += buf.data();
        ms -= piece / 10 * 10;
    }
    if (ms >= kShortestPauseMs) {
        std::array<char, 16> buf{};
        std::snprintf(buf.data(), buf.size(), "<MSD:%04u>", ms);
        text += buf.data();
    }
    return text;
}

CaptureEncoder::CaptureEncoder(const CaptureOptions& options, int startX, int startY)
    : options_(options), lastX_(startX), lastY_(startY) {}

std::string CaptureEncoder::pause(std::uint32_t timeMs) {
    std::string text;
    if (options_.timing && lastTime_ && timeMs > *lastTime_) text = delayText(timeMs - *lastTime_);
    lastTime_ = timeMs;
    return text;
}

std::string CaptureEncoder::moveTo(const InputEvent& event) {
    if (event.x == lastX_ && event.y == lastY_) return {};
    std::string text = pause(event.timeMs);
    switch (options_.origin) {
        case MouseOrigin::Window:
            text += "<MMW:" + coordinate(event.windowX) + "," + coordinate(event.windowY) + ">";
            break;
        case MouseOrigin::Position:
            text += "<MMP:" + coordinate(event.x - lastX_) + "," + coordinate(event.y - lastY_) + ">";
            break;
        case MouseOrigin::Screen:
            text += "<MMS:" + coordinate(event.x) + "," + coordinate(event.y) + ">";
            break;
    }
    lastX_ = event.x;
    lastY_ = event.y;
    return text;
}

// Writes what waits: the last move of a burst, then a press that turned out not to be a click.
std::string CaptureEncoder::flushPending() {
    std::string text;
    if (lastMotion_) {
        text += moveTo(*lastMotion_);
        lastMotion_.reset();
    }
    if (pendingDown_) {
        text += moveTo(*pendingDown_);
        text += pause(pendingDown_->timeMs);
        text += buttonTags(pendingDown_->button).down;
        pendingDown_.reset();
    }
    return text;
}

std::string CaptureEncoder::keyText(const InputEvent& event) {
    if (!options_.keystrokes || (event.kind == InputEvent::Kind::AltTap && !options_.doubleAlt)) return {};
    std::string text = flushPending();
    text += pause(event.timeMs);
    switch (event.kind) {
        case InputEvent::Kind::Character:
            return text + typedByte(event.character);
        case InputEvent::Kind::Key:
            return text + event.tag;
        default:
            return text + "<ALTD><ALTU>";
    }
}

std::string CaptureEncoder::motionText(const InputEvent& event) {
    if (options_.clicksOnly) return {};
    if (!pendingDown_ && lastTime_ && event.timeMs - *lastTime_ < kMoveSpacingMs) {
        lastMotion_ = event;
        return {};
    }
    lastMotion_.reset();
    std::string text = flushPending();
    return text + moveTo(event);
}

// A release right after its own press (nothing in between) makes the two one click.
std::string CaptureEncoder::releaseText(const InputEvent& event) {
    const bool click = pendingDown_ && pendingDown_->button == event.button && !lastMotion_;
    const InputEvent at = click ? *pendingDown_ : event;
    if (click) pendingDown_.reset();
    std::string text = flushPending();
    text += moveTo(at);
    text += pause(at.timeMs);
    const ButtonTags tags = buttonTags(at.button);
    return text + (click ? tags.click : tags.up);
}

std::string CaptureEncoder::wheelText(const InputEvent& event) {
    if (event.wheel == 0) return {};
    std::string text = flushPending();
    text += pause(event.timeMs);
    const int notches = std::min(event.wheel > 0 ? event.wheel : -event.wheel, 999);
    std::array<char, 16> buf{};
    std::snprintf(buf.data(), buf.size(), "%s%03d>", event.wheel > 0 ? "<WFW:" : "<WBW:", notches);
    return text + buf.data();
}

std::string CaptureEncoder::encode(const InputEvent& event) {
    using Kind = InputEvent::Kind;
    if (event.kind == Kind::Character || event.kind == Kind::Key || event.kind == Kind::AltTap) return keyText(event);
    if (!options_.mouse) return {};
    switch (event.kind) {
        case Kind::Motion:
            return motionText(event);
        case Kind::ButtonDown: {
            std::string text = flushPending();
            pendingDown_ = event;
            return text;
        }
        case Kind::ButtonUp:
            return releaseText(event);
        case Kind::Wheel:
            return wheelText(event);
        default:
            return {};
    }
}

std::string CaptureEncoder::finish() { return flushPending(); }

}  // namespace orv::capture
