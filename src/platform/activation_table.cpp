#include "platform/activation_table.h"

#include <array>
#include <cstring>

#include "platform/byte_io.h"

namespace orv {

std::int16_t TActivationTable::i16(std::size_t offset) const { return bytes::get<std::int16_t>(bytes_.data(), offset); }
void TActivationTable::setI16(std::size_t offset, std::int16_t v) { bytes::put(bytes_.data(), offset, v); }
std::int32_t TActivationTable::i32(std::size_t offset) const { return bytes::get<std::int32_t>(bytes_.data(), offset); }
void TActivationTable::setI32(std::size_t offset, std::int32_t v) { bytes::put(bytes_.data(), offset, v); }

std::string TActivationTable::WindowTitle(int j) const {
    return bytes::getShortString(bytes_.data(), oWindowTitle + (kTitleChars + 1) * idx(j), kTitleChars);
}

void TActivationTable::setWindowTitle(int j, std::string_view title) {
    bytes::putShortString(bytes_.data(), oWindowTitle + (kTitleChars + 1) * idx(j), kTitleChars, title);
}

std::string TActivationTable::TopProgram() const {
    return bytes::getShortString(bytes_.data(), oTopProgram, kTopProgramChars);
}

void TActivationTable::setTopProgram(std::string_view name) {
    bytes::putShortString(bytes_.data(), oTopProgram, kTopProgramChars, name);
}

std::string TActivationTable::RunningProgram(int i) const {
    return bytes::getShortString(bytes_.data(),
                                 oRunningPrograms + (kRunningProgramChars + 1) * static_cast<std::size_t>(i - 1),
                                 kRunningProgramChars);
}

void TActivationTable::setRunningPrograms(const std::string* names, int count) {
    if (count < 0) count = 0;
    if (count > kMaxRunningPrograms) count = kMaxRunningPrograms;
    for (int i = 0; i < count; ++i) {
        bytes::putShortString(bytes_.data(),
                              oRunningPrograms + (kRunningProgramChars + 1) * static_cast<std::size_t>(i),
                              kRunningProgramChars, names[i]);
    }
    setI32(oRunningCount, count);
}

namespace {

// A field group's bytes: up to five ranges of the block.
struct ByteRange {
    std::size_t offset = 0;
    std::size_t length = 0;
};
struct GroupBytes {
    TableGroup group;
    std::array<ByteRange, 5> ranges;
};

using T = TActivationTable;
constexpr GroupBytes kGroupBytes[] = {
    {TableGroup::Init, {{{T::oIsNT, 1}, {T::oMouseSwapped, 1}}}},
    {TableGroup::Keys, {{{T::oHotKeyInUse, kHotKeyCount}, {T::oHaveShortKeys, 1}}}},
    {TableGroup::NumKeys, {{{T::oMacroCount, 4}}}},
    {TableGroup::Window, {{{T::oMainWindow, 4}}}},
    {TableGroup::Window2,
     {{{T::oPickerWindow, 4}, {T::oPickerActive, 1}, {T::oCaptureWindow, 4}, {T::oCaptureWindowActive, 1}}}},
    // The capture macro, the state byte and CaptureDoubleAlt, the stop key to CaptureWindowSize,
    // the capture options and the starting flags.
    {TableGroup::Capture,
     {{{T::oCaptureMacro, 2},
       {T::oCaptureState1, 2},
       {T::oStopKeyButton, T::oCaptureState3 + 2 - T::oStopKeyButton},
       {T::oCaptureKeystrokes, 5},
       {T::oCaptureStarting, 2}}}},
    {TableGroup::CaptureOn, {{{T::oCaptureOn, 1}}}},
    {TableGroup::InUse, {{{T::oMacroInUse, 1}}}},
    {TableGroup::Prog, {{{T::oTopProgram, T::kTopProgramChars + 1}}}},
    {TableGroup::Progs,
     {{{T::oRunningCount, 4}, {T::oRunningPrograms, (T::kRunningProgramChars + 1) * kMaxRunningPrograms}}}},
    {TableGroup::Waits, {{{T::oWaitMouseClick, 4}}}},
    {TableGroup::Idle, {{{T::oIdleWatch, 1}, {T::oIdleSeconds, 4}}}},
    {TableGroup::KeyHook, {{{T::oKeyboardHook, 4}}}},
    {TableGroup::MouseHook, {{{T::oMouseHook, 4}}}},
};

}  // namespace

void TActivationTable::copyGroup(const TActivationTable& from, TableGroup group, int j) {
    auto copy = [&](std::size_t offset, std::size_t length) {
        std::memcpy(bytes_.data() + offset, from.bytes_.data() + offset, length);
    };
    if (group == TableGroup::Item) {
        // Element j of each per-macro array.
        if (j < 1 || j > kMaxMacros) return;
        copy(oScope + 2 * idx(j), 2);
        copy(oWindowTitle + (kTitleChars + 1) * idx(j), kTitleChars + 1);
        copy(oActive + idx(j), 1);
        copy(oHotKeyCode + 2 * idx(j), 2);
        copy(oTopMostOnly + idx(j), 1);
        return;
    }
    for (const GroupBytes& g : kGroupBytes) {
        if (g.group != group) continue;
        for (const ByteRange& r : g.ranges) copy(r.offset, r.length);
    }
}

static_assert(TActivationTable::oRunningPrograms + 26 * 200 == TActivationTable::kSize);
static_assert(TActivationTable::oWindowTitle + 21 * 500 == TActivationTable::oActive);
static_assert(TActivationTable::oHotKeyInUse + 721 == TActivationTable::oCaptureOn);

void TActivationTable::resetForStart(std::int32_t mainWindow) {
    for (std::size_t offset : {oCaptureState1, oCaptureState2, oCaptureDoubleAlt, oReserved4, oStopKeyCtrl, oStopKeyAlt,
                               oStopKeyShift, oReserved14320})
        setU8(offset, 0);
    setI16(oStopKeyVK, 0);
    setU8(oIsNT, 1);
    setU8(oMouseSwapped, 0);
    setIdleWatch(false);
    setIdleSeconds(0);
    setMainWindow(mainWindow);
    setPicker(mainWindow, false);
    setI32(oCaptureWindow, mainWindow);
    setU8(oCaptureWindowActive, 0);
    setTopProgram("");
    setCaptureOn(false);
    for (std::size_t offset = oWaitMouseClick; offset <= oWaitMarker; ++offset) setU8(offset, 0);
    setRunningPrograms(nullptr, 0);
}

}  // namespace orv
