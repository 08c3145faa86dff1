#include "platform/activation_table.h"

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

void TActivationTable::copyGroup(const TActivationTable& from, TableGroup group, int j) {
    auto copy = [&](std::size_t offset, std::size_t length) {
        std::memcpy(bytes_.data() + offset, from.bytes_.data() + offset, length);
    };
    switch (group) {
        case TableGroup::Init:
            copy(oIsNT, 1);
            copy(oMouseSwapped, 1);
            break;
        case TableGroup::Keys:
            copy(oHotKeyInUse, kHotKeyCount);
            copy(oHaveShortKeys, 1);
            break;
        case TableGroup::Item:
            if (j < 1 || j > kMaxMacros) return;
            copy(oScope + 2 * idx(j), 2);
            copy(oWindowTitle + (kTitleChars + 1) * idx(j), kTitleChars + 1);
            copy(oActive + idx(j), 1);
            copy(oHotKeyCode + 2 * idx(j), 2);
            copy(oTopMostOnly + idx(j), 1);
            break;
        case TableGroup::NumKeys:
            copy(oMacroCount, 4);
            break;
        case TableGroup::Window:
            copy(oMainWindow, 4);
            break;
        case TableGroup::Window2:
            copy(oPickerWindow, 4);
            copy(oPickerActive, 1);
            copy(oCaptureWindow, 4);
            copy(oCaptureWindowActive, 1);
            break;
        case TableGroup::Capture:
            copy(oCaptureMacro, 2);
            copy(oCaptureState1, 2);                                    // state byte and CaptureDoubleAlt
            copy(oStopKeyButton, oCaptureState3 + 2 - oStopKeyButton);  // stop key .. CaptureWindowSize
            copy(oCaptureKeystrokes, 5);
            copy(oCaptureStarting, 2);
            break;
        case TableGroup::CaptureOn:
            copy(oCaptureOn, 1);
            break;
        case TableGroup::InUse:
            copy(oMacroInUse, 1);
            break;
        case TableGroup::Prog:
            copy(oTopProgram, kTopProgramChars + 1);
            break;
        case TableGroup::Progs:
            copy(oRunningCount, 4);
            copy(oRunningPrograms, (kRunningProgramChars + 1) * kMaxRunningPrograms);
            break;
        case TableGroup::Waits:
            copy(oWaitMouseClick, 4);
            break;
        case TableGroup::Idle:
            copy(oIdleWatch, 1);
            copy(oIdleSeconds, 4);
            break;
        case TableGroup::KeyHook:
            copy(oKeyboardHook, 4);
            break;
        case TableGroup::MouseHook:
            copy(oMouseHook, 4);
            break;
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
