#include "capture/capture_session.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "platform/hotkey_codes.h"

namespace orv::capture {
namespace {

constexpr std::array<int, 10> kReservedHotKeys = {89, 185, 233, 590, 557, 558, 559, 566, 571, 607};

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void writeKey(TActivationTable& table, std::size_t button, int code) {
    const DecodedHotKey key = DecipherKey(code);
    // Button and virtual key are i16; the four modifier flags follow them as bytes.
    table.setI16(button, key.mouseButton);
    table.setI16(button + 2, key.virtualKey);
    table.setU8(button + 4, key.ctrl ? 1 : 0);
    table.setU8(button + 5, key.alt ? 1 : 0);
    table.setU8(button + 6, key.shift ? 1 : 0);
    table.setU8(button + 7, key.win ? 1 : 0);
}

}  // namespace

const char* quickCaptureRefusal(bool browseMode, bool captureRunning, int macroCount) {
    if (browseMode) return kBrowseModeRefusal;
    if (captureRunning) return kCaptureRunningRefusal;
    if (macroCount >= kMaxMacros) return kMacroLimitRefusal;
    return nullptr;
}

TMacroRecord capturePlaceholder() {
    TMacroRecord record;
    record.NickName = "Capture";
    record.Scope = kScopeGlobal;
    record.TopMostOnly = 1;
    record.ShortKeyText = "capture";
    record.HotKeyCode = kShortKeyCode;
    record.Active = 1;
    return record;
}

bool isUnfinishedPlaceholder(const TMacroRecord& record) {
    return record.NickName == "Capture" && record.ShortKeyText == "capture" && record.HotKeyCode == kShortKeyCode &&
           record.MacroText.empty();
}

std::optional<LeftoverCapture> findLeftoverCapture(const std::string& folder, int macroCount,
                                                   const std::function<std::optional<TMacroRecord>(int)>& read) {
    std::error_code ec;
    if (!std::filesystem::exists(CaptureFile::pathIn(folder), ec)) return std::nullopt;
    LeftoverCapture leftover{0, finishCaptureFile(folder)};
    for (int j = macroCount; j >= 1 && leftover.placeholder == 0; --j) {
        const std::optional<TMacroRecord> record = read(j);
        if (record && isUnfinishedPlaceholder(*record)) leftover.placeholder = j;
    }
    return leftover;
}

std::string startCaptureNotice(const std::string& stopKeyName) {
    return "Orvanta 99 macro capture will now start.\n\nUse " + stopKeyName + " to stop the capture.";
}

void writeCaptureOptions(TActivationTable& table, const CaptureOptions& options, bool windowSize, int macroIndex,
                         int stopKeyCode, std::optional<int> ownKeyCode) {
    using T = TActivationTable;
    table.setU8(T::oCaptureKeystrokes, options.keystrokes ? 1 : 0);
    table.setU8(T::oCaptureMouse, options.mouse ? 1 : 0);
    table.setU8(T::oCaptureClicksOnly, options.clicksOnly ? 1 : 0);
    table.setU8(T::oCaptureRelativeTo, static_cast<std::uint8_t>(options.origin));
    table.setU8(T::oCaptureTiming, options.timing ? 1 : 0);
    table.setU8(T::oCaptureDoubleAlt, options.doubleAlt ? 1 : 0);
    table.setCaptureWindowSize(options.mouse && options.origin == MouseOrigin::Window && windowSize);
    for (const std::size_t state : {T::oCaptureState1, T::oCaptureState2, T::oCaptureState3}) table.setU8(state, 0);
    table.setI16(T::oCaptureMacro, static_cast<std::int16_t>(macroIndex));
    writeKey(table, T::oStopKeyButton, stopKeyCode);
    table.setU8(T::oOwnKeyValid, 0);
    writeKey(table, T::oOwnKeyButton, ownKeyCode.value_or(-1));
    if (ownKeyCode) table.setU8(T::oOwnKeyValid, 1);
    table.setU8(T::oCaptureStarting, 1);
}

void applyProgramScope(TMacroRecord& record, const std::string& program) {
    record.Scope = kScopeProgram;
    record.WindowTitle = program.substr(0, TMacroRecord::kWindowTitle);
    record.TopMostOnly = 1;
}

std::optional<CaptureFileError> CaptureSession::start(const Settings& settings) {
    auto created = CaptureFile::create(settings.folder);
    if (auto* error = std::get_if<CaptureFileError>(&created)) return *error;
    file_.emplace(std::move(std::get<CaptureFile>(created)));
    settings_ = settings;
    writeFailed_ = false;
    state_ = State::Running;
    if (settings.options.timing) return record(speedTag(settings.speed));
    return std::nullopt;
}

std::optional<CaptureFileError> CaptureSession::record(std::string_view text) {
    if (state_ != State::Running || writeFailed_ || text.empty()) return std::nullopt;
    auto written = file_->append(text);
    if (auto* error = std::get_if<CaptureFileError>(&written)) {
        writeFailed_ = true;
        return *error;
    }
    return std::nullopt;
}

std::optional<CaptureSession::Ended> CaptureSession::end(int macroIndex) {
    if (state_ != State::Running) return std::nullopt;
    state_ = State::Ended;
    file_->close();
    file_.reset();
    return Ended{macroIndex, settings_.quick, settings_.programScope,
                 finishCaptureFile(settings_.folder, settings_.inlineLimit)};
}

void CaptureSession::discard() {
    if (file_) {
        file_->close();
        std::error_code ec;
        std::filesystem::remove(file_->path(), ec);
        file_.reset();
    }
    state_ = State::Idle;
}

bool isReservedHotKey(int code) {
    return std::find(kReservedHotKeys.begin(), kReservedHotKeys.end(), code) != kReservedHotKeys.end();
}

std::string hotKeyUseText(int count) {
    if (count == 0) return "  (Not in Use)";
    if (count == 1) return "  (1 macro in use)";
    return "  (" + std::to_string(count) + " macros in use)";
}

std::array<int, kHotKeyCount> hotKeyUseCounts(const TActivationTable& table) {
    std::array<int, kHotKeyCount> counts{};
    for (int j = 1; j <= table.MacroCount(); ++j) {
        const int code = table.HotKeyCode(j);
        if (code >= 0 && code < kHotKeyCount) ++counts[static_cast<std::size_t>(code)];
    }
    return counts;
}

bool exclusiveHotKey(const TActivationTable& table, int code) {
    for (int j = 1; j <= table.MacroCount(); ++j) {
        const int scope = table.Scope(j);
        if (table.HotKeyCode(j) == code && (scope == kScopeGlobal || scope == kScopePopupMenu || scope == kScopeSystem))
            return true;
    }
    return false;
}

CompletionCheck completeCapture(const Completion& choice, const std::function<bool(int)>& exclusive,
                                TMacroRecord& record) {
    using Kind = CompletionCheck::Kind;
    std::int16_t code = kNoActivationCode;
    std::string shortKey = record.ShortKeyText;
    if (choice.type == MacroType::HotKey) {
        if (choice.hotKeyCode < 0 || choice.hotKeyCode >= kHotKeyCount)
            return {Kind::Error, "No hot key selected.  Please select one."};
        if (choice.global && exclusive(choice.hotKeyCode))
            return {Kind::Error,
                    "A Global Hot Key is already in use for the selected hot key.  Please select a different one or "
                    "choose the Program specific option."};
        if (isReservedHotKey(choice.hotKeyCode) && !choice.reservedConfirmed) {
            const std::string& name = hotKeyName(choice.hotKeyCode);
            return {Kind::AskReserved, name +
                                           " may be used internally by Windows 95, 98 or NT.  This may cause the hot "
                                           "key not to function correctly. Would you still like to use " +
                                           name + "?"};
        }
        code = static_cast<std::int16_t>(choice.hotKeyCode);
    } else if (choice.type == MacroType::ShortKey) {
        shortKey = trimmed(choice.shortKeyName).substr(0, TMacroRecord::kShortKeyText);
        if (shortKey.empty()) return {Kind::Error, "No ShortKey name entered."};
        code = kShortKeyCode;
    }
    record.HotKeyCode = code;
    record.ShortKeyText = shortKey;
    record.NickName = trimmed(choice.nickname).substr(0, TMacroRecord::kNickName);
    if (!choice.global) applyProgramScope(record, choice.foregroundProgram);
    return {};
}

std::string completionMessage(const TMacroRecord& record) {
    if (record.HotKeyCode == kShortKeyCode)
        return "Orvanta 99 capture is complete for ShortKey: " + record.ShortKeyText + ".";
    const std::string& name = hotKeyName(record.HotKeyCode);
    if (name.empty()) return "Orvanta 99 capture is complete.";
    return "Orvanta 99 capture is complete for " + name + ".";
}

}  // namespace orv::capture
