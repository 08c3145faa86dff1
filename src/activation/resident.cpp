#include "activation/resident.h"

#include <filesystem>

#include "activation/desktop_lists.h"
#include "activation/desktop_shortcut.h"
#include "activation/hotkey_table.h"
#include "activation/shortkey_options.h"
#include "activation/shortkeys.h"
#include "engine/ansi_upper.h"
#include "engine/desktop_families.h"
#include "engine/playback_engine.h"
#include "engine/window_control.h"
#include "remap/restore_hooks.h"
#include "platform/dialup.h"
#include "store/macro_file.h"
#include "store/macro_store.h"
#include "store/recent_files.h"
#include "store/settings.h"

namespace orv {

Resident::Resident(TActivationTable& table, TAppSettings& settings, ProgramPaths paths, ResidentPlatform platform,
                   IResidentUi& ui, std::string ownProgramName)
    : table_(table),
      settings_(settings),
      paths_(std::move(paths)),
      p_(platform),
      settingsSaver_(paths_, p_.prompt),
      ui_(ui),
      swapKeys_(p_.keyRemapper) {
    store_ = std::make_unique<MacroStore>(table_, settings_, p_.hook, p_.prompt, p_.clock, paths_.iconsDir());
    control_ = std::make_unique<WindowControl>(p_.windows, p_.processes);
    families_ =
        std::make_unique<DesktopFamilies>(*control_, p_.hook, table_, p_.sleeper, p_.mouse, p_.windows, p_.system);

    engine_ = std::make_unique<PlaybackEngine>(PlaybackServices{.keyboard = p_.keyboard,
                                                                .pump = p_.pump,
                                                                .windows = p_.playbackWindows,
                                                                .clock = p_.clock,
                                                                .settings = &settings_,
                                                                .clipboard = p_.clipboard,
                                                                .shell = p_.shell,
                                                                .files = p_.files,
                                                                .store = store_.get(),
                                                                .table = &table_,
                                                                .host = this});
    families_->registerWith(*engine_);
    families_->followActivations(*engine_);

    dispatcher_ = std::make_unique<HotkeyDispatcher>(HotkeyDispatcher::Services{
        table_, settings_, *store_, p_.hook, p_.prompt, *control_, p_.keyboard, p_.mouse, p_.pump, *this});
    shortKeys_ = std::make_unique<ShortKeys>(
        ShortKeys::Services{table_, settings_, *store_, p_.hook, p_.prompt, *control_, p_.keyboard, p_.pump, *this});
    windowMacros_ = std::make_unique<WindowMacros>(table_, p_.hook, *control_, *this, std::move(ownProgramName));
    scheduler_ = std::make_unique<Scheduler>(table_, settings_, p_.hook, p_.clock, *control_, *this);
    sharedFile_ = std::make_unique<SharedFileLock>(settings_, p_.clock, p_.prompt, *this);
    macroFile_ = std::make_unique<OpenMacroFile>(table_, *store_, *sharedFile_);
    capture_ = std::make_unique<CaptureControl>(
        CaptureControl::Services{table_, settings_, *store_, *sharedFile_, p_.hook, p_.prompt, p_.windows,
                                 *windowMacros_, p_.clock, ui_, [this] { indexChanged(); }},
        paths_.programDir);
}

Resident::~Resident() = default;

void Resident::start(std::int32_t mainWindow, const CommandLine& commandLine) {
    commandLine_ = commandLine;
    std::error_code ec;
    std::filesystem::create_directories(paths_.programDir, ec);
    applyCommandLine(commandLine_, settings_);
    // A "/F" file that is missing, or is no file at all (a pipe, a device), is ignored.
    if (commandLine_.file && std::filesystem::is_regular_file(*commandLine_.file, ec))
        settings_.CurrentFile = *commandLine_.file;
    if (settings_.NetworkMode) sharedFile_->macroFileOpened(settings_.CurrentFile);
    store_->LoadMacroFile(settings_.CurrentFile);
    loadSwapFile();

    hooks_ = startHookLibrary(table_, p_.hook, mainWindow);
    swapKeys_.start();

    windowMacros_->initialise(static_cast<WindowId>(mainWindow));
    scheduler_->start();
    if (settings_.NetworkMode && settings_.AutoSync) sharedFile_->startAutoSync();
    capture_->offerLeftover();
    ui_.macrosChanged();
}

void Resident::shutdown() {
    windowMacros_->setClosing(true);
    capture_->stopForExit();
    stopHookLibrary(p_.hook, hooks_);
    swapKeys_.stop();
    saveSettings();
}

void Resident::handleHookMessage(const HookMessage& m) {
    switch (m.msg) {
        case HookMsg::HotKey:
            dispatcher_->handleHotKey(m.wParam, m.lParam);
            break;
        case HookMsg::Abort:
            engine_->requestAbort();
            break;
        case HookMsg::ShortKeyChar:
            shortKeys_->handleTyping(m.wParam, m.lParam);
            break;
        case HookMsg::WindowActivated:
            windowMacros_->windowActivated(static_cast<WindowId>(m.wParam));
            break;
        case HookMsg::CapsLock:
            capsLockOn_ = m.wParam != 0;
            break;
        case HookMsg::Marker:
            dispatcher_->clearMacroInUse();
            break;
        case HookMsg::ProcessesChanged:
            windowMacros_->processesChanged();
            break;
        case HookMsg::WaitClick:
        case HookMsg::WaitKey:
        case HookMsg::WaitText:
        case HookMsg::WaitMarker:
            families_->waits.handleHookMessage(m);
            break;
        case HookMsg::PickerHotKey:
            ui_.pickerHotKey(m.window, static_cast<int>(m.wParam));
            break;
        case HookMsg::CaptureText:
            capture_->recorded(static_cast<int>(m.wParam), static_cast<char>(m.lParam));
            break;
        case HookMsg::CaptureEnd:
            capture_->ended(static_cast<int>(m.wParam));
            break;
        case HookMsg::DebugLine:
            break;
    }
}

void Resident::onScheduleTimer() { scheduler_->CheckOutTimerMacros(); }
void Resident::onStartupTimer() {
    scheduler_->DoStartUpMacros(commandLine_.runMacro ? commandLine_.macroName : std::string());
}
void Resident::onClearTimer() { dispatcher_->clearMacroInUse(); }
void Resident::onHeartbeatTimer() { sharedFile_->onHeartbeatTimer(); }
void Resident::onSyncTimer() { sharedFile_->onSyncTimer(); }

void Resident::indexChanged() {
    SetHotKeys(table_, p_.hook);
    shortKeys_->macrosChanged();
    scheduler_->CheckAndSetTime();
    ui_.macrosChanged();
}

void Resident::UnHookTheKeyboard() {
    if (keyboardPauses_++ > 0) return;
    rehookKeyboard_ = hooks_.keyboard != 0;
    if (!rehookKeyboard_) return;
    p_.hook.OrvUnHook(hooks_.keyboard);
    hooks_.keyboard = 0;
    table_.setI32(TActivationTable::oKeyboardHook, 0);
    p_.hook.OrvUpKeyHook(table_);
}

void Resident::HookTheKeyboard() {
    if (keyboardPauses_ == 0 || --keyboardPauses_ > 0 || !rehookKeyboard_) return;
    hooks_.keyboard = p_.hook.OrvHookKeyboard();
    table_.setI32(TActivationTable::oKeyboardHook, hooks_.keyboard);
    p_.hook.OrvUpKeyHook(table_);
}

void Resident::clearShortKeyBuffer() { shortKeys_->handleTyping(1, 0); }

std::vector<std::string> Resident::windowTitleList() { return orv::windowTitleList(p_.windows); }
std::vector<std::string> Resident::programNameList() { return orv::programNameList(p_.processes); }
bool Resident::dialUpAvailable() const { return p_.system.dialup != nullptr && p_.system.dialup->available(); }

void Resident::openMacroFile(const std::string& path) {
    const std::string previous = settings_.CurrentFile;
    settings_.CurrentFile = path;
    if (settings_.NetworkMode) sharedFile_->macroFileOpened(path);
    store_->LoadMacroFile(path);
    loadSwapFile();
    // The recent files first: refilling the window rebuilds its File menu from them.
    DoLastFiles(settings_.LastFile, previous, path);
    indexChanged();
    saveSettings();
}

Outcome Resident::placeOnDesktop(int j, const std::string& desktopDir, const std::string& programPath) {
    const std::string error = placeOnDesktopError(settings_, table_.MacroCount(), j);
    if (!error.empty()) return Outcome::error(error);
    TMacroRecord record;
    if (!store_->ReadMacroRecord(j, record)) return Outcome::error("The macro could not be read.");
    const MacroIconRef icon = store_->resolveIcon(record, false);
    const DesktopShortcut shortcut =
        makeDesktopShortcut(record.NickName, programPath,
                            icon.kind == MacroIconRef::Kind::File ? icon.path : std::string(), paths_.programDir);
    std::error_code ec;
    std::filesystem::create_directories(desktopDir, ec);
    const std::string path = desktopDir + "/" + shortcut.fileName;
    if (!replaceFileAtomically(path, shortcut.contents))
        return Outcome::error("The desktop entry could not be written.");
    std::filesystem::permissions(path, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add, ec);
    return Outcome::ok(kShortcutAddedText);
}

void Resident::abortMacro() { engine_->requestAbort(); }

Outcome Resident::applyShortKeyOptions(const ShortKeyOptionsModel& model) {
    Outcome outcome = model.apply(settings_);
    if (!outcome.accepted) return outcome;
    saveSettings();
    indexChanged();  // the ShortKey matcher takes the new options
    return outcome;
}

Outcome Resident::applySystemKeys(const SystemKeysModel& model) {
    if (const std::optional<std::string> refusal = model.apply(*store_, settings_)) return Outcome::error(*refusal);
    saveSettings();
    return Outcome::ok();
}

void Resident::SetSecWind(std::int32_t window, bool on) { dispatcher_->SetSecWind(window, on); }

void Resident::saveSettings() { settingsSaver_.save(settings_); }

void Resident::applyNetworkOptions(const NetworkOptionsModel& model) { model.close(*sharedFile_); }

void Resident::handOverCharacter(std::int64_t lParam) {
    const std::optional<HandOverReceiver::Result> result = handOver_.receive(lParam);
    if (!result) return;
    if (result->runMacro) {
        runHandedOverMacro(result->macroName, *dispatcher_, table_, settings_, *this, p_.prompt, macroPlaying());
    } else {
        ActivateMe();
    }
}

const std::string& Resident::macroFileReadOnlyReason() const { return store_->readOnlyReason(); }

bool Resident::macroPaused() const { return engine_->state().pauseWindowShowing; }
bool Resident::macroPlaying() const { return engine_->state().playing; }

bool Resident::sharedFileChanged() { return settings_.NetworkMode && sharedFile_->MacroFileChanged(); }

void Resident::reloadSharedFile() {
    store_->ReloadMacroFile();
    loadSwapFile();
    indexChanged();
}

void Resident::ActivateMe() {
    const char* refusal = nullptr;
    if (macroPaused()) {
        refusal =
            "A current playback macro is in the middle of a PAUSE. Orvanta 99 cannot be invoked until the PAUSE "
            "is either cancelled or resumed.";
    } else if (popupShowing_) {
        refusal =
            "A Orvanta 99 Popup Menu is currently being displayed. Orvanta 99 cannot be invoked until this menu "
            "has been cleared.";
    } else if (table_.CaptureOn()) {
        refusal = "A macro is currently being recorded. Orvanta 99 cannot be invoked until the recording is completed.";
    }
    if (refusal != nullptr) {
        p_.prompt.messageBox("Warning", refusal);
        return;
    }
    ui_.bringUpMainWindow();
}

void Resident::StartACapture() { capture_->startQuick(commandLine_.browseMode()); }

std::optional<capture::CaptureMacroRequest> Resident::beginCapture(const capture::CaptureTarget& target) {
    if (commandLine_.browseMode() != BrowseMode::Off) {
        p_.prompt.messageBox("Error", capture::kBrowseModeRefusal);
        return std::nullopt;
    }
    return capture_->begin(target);
}

Outcome Resident::startCapture(const capture::CaptureMacroChoice& choice) { return capture_->start(choice); }

Outcome Resident::recordKeys(std::uintmax_t inlineLimit, capture::RecordingDone done) {
    if (commandLine_.browseMode() != BrowseMode::Off) return Outcome::error(capture::kBrowseModeRefusal);
    return capture_->recordKeys(inlineLimit, std::move(done));
}

TMacroRecord Resident::topWindowMenu() {
    const std::string program = ansiUpper(windowMacros_->GetTopProgram());
    std::string title = control_->titleOf(p_.windows.foregroundWindow());
    title = ansiUpper(title);
    TMacroRecord menu;
    menu.Scope = kScopePopupMenu;
    const int mode = settings_.SystemMenu;
    menu.ShortKeyText = std::string(" ") + (mode >= 1 && mode <= 3 ? static_cast<char>('0' + mode) : ' ') + "2";
    for (int j = 1; j <= table_.MacroCount() && menu.MenuItems.size() < static_cast<std::size_t>(kMaxPopupItems); ++j) {
        const std::string wanted = ansiUpper(table_.WindowTitle(j));
        const int scope = table_.Scope(j);
        if ((scope == kScopeWindow && title.find(wanted) != std::string::npos) ||
            (scope == kScopeProgram && program.find(wanted) != std::string::npos))
            menu.MenuItems.push_back(static_cast<std::int16_t>(j));
    }
    return menu;
}

void Resident::showTopWindowMenu() {
    const TMacroRecord menu = topWindowMenu();
    if (menu.MenuItems.empty()) {
        p_.prompt.messageBox("Warning",
                             "There are no macros defined with a specific window title or program name that match the "
                             "current top most active window.");
        return;
    }
    const int chosen = showPopupMenu(menu);
    if (chosen > 0) dispatcher_->runMacro(chosen);
}

int Resident::showPopupMenu(const TMacroRecord& menu) {
    popupShowing_ = true;
    const int chosen = ui_.showPopupMenu(menu);
    popupShowing_ = false;
    // Whatever was chosen plays into the window the user was in, and a cancelled menu leaves the
    // user there too.
    if (const auto front = static_cast<WindowId>(dispatcher_->HotKeyWindow()); front != 0)
        p_.windows.setForegroundWindow(front);
    return chosen;
}

void Resident::openTrayMenu(int j) {
    dispatcher_->handleHotKey(HotkeyDispatcher::kMacroIndexFlag | HotkeyDispatcher::kTrayFlag | j,
                              static_cast<std::int64_t>(p_.windows.foregroundWindow()));
}

void Resident::play(int j, const TMacroRecord& record, bool capsWasOn, std::int32_t hotKeyWindow) {
    if (macroPlaying()) return;
    playingMacro_ = j;
    const int code = record.HotKeyCode;
    // The engine plays its own copy: the record may be a buffer that a hotkey or ShortKey pressed
    // during the playback reads the next macro into.
    const std::string text = record.MacroText;
    ui_.setRunning(true);
    engine_->play(text, capsWasOn, hotKeyWindow,
                  {record.NickName, code >= 0 && code < kHotKeyCount ? hotKeyName(code) : std::string()});
    ui_.setRunning(false);
    playingMacro_ = 0;
}

void Resident::IntoProgram(const TMacroRecord& macro, bool capsWasOn, std::int32_t hotKeyWindow) {
    play(dispatcher_->CurrentMacro(), macro, capsWasOn, hotKeyWindow);
}

bool Resident::readMacroRecord(int j, TMacroRecord& record) { return store_->ReadMacroRecord(j, record); }

void Resident::playTimedMacro(int j, const TMacroRecord& record) {
    play(j, record, capsLockOn_, static_cast<std::int32_t>(p_.windows.foregroundWindow()));
}

void Resident::playNamedMacro(int j, const TMacroRecord&) {
    dispatcher_->setHotKeyWindow(static_cast<std::int32_t>(p_.windows.foregroundWindow()));
    dispatcher_->runMacro(j);
}

void Resident::playWindowMacro(int j, const TMacroRecord&) {
    dispatcher_->setHotKeyWindow(static_cast<std::int32_t>(p_.windows.foregroundWindow()));
    dispatcher_->runMacro(j);
}

bool Resident::lockSharedFile() { return !sharedFile_->FileInUse(); }
void Resident::releaseSharedFile(bool changed) { sharedFile_->ReleaseSyncFile(changed); }

void Resident::macroDeleted(int, bool, bool) { indexChanged(); }
void Resident::macroActiveChanged(int, bool) { indexChanged(); }
bool Resident::beginMacroFileSwap(const std::string& path) {
    // A pipe or a device would block the load or be read as macros: keep the current file.
    if (const std::string why = nonRegularFileReason(path); !why.empty()) {
        p_.prompt.messageBox("Error", "The macro file \"" + path + "\" cannot be opened: " + why + ".");
        return false;
    }
    if (settings_.NetworkMode) sharedFile_->macroFileOpened(path);
    return true;
}

void Resident::macroFileSwapped(const std::string& previous, const std::string& current) {
    DoLastFiles(settings_.LastFile, previous, current);
    loadSwapFile();
    indexChanged();
    saveSettings();
}

void Resident::loadSwapFile() {
    const remap::LoadResult result = swapKeys_.GetSwapFile(settings_.CurrentFile);
    if (result.kind == remap::LoadResult::Kind::Repaired) p_.prompt.messageBox("Keyboard Remapper", result.message);
}

std::optional<remap::RemapperModel> Resident::beginRemap() {
    if (!lockSharedFile()) return std::nullopt;
    return remap::RemapperModel(swapKeys_.tables(), commandLine_.browseMode() != BrowseMode::Off);
}

void Resident::endRemap(const remap::RemapperModel& model) {
    if (model.changed() && !swapKeys_.setTables(model.tables()))
        p_.prompt.messageBox("Keyboard Remapper", "The remap file \"" + swapKeys_.path() + "\" could not be written.");
    releaseSharedFile(model.changed());
}

namespace {

// Asks the question; on Yes (the result) removes the hook `handle` and installs it again
// through `install`, keeping the new handle at `offset` of the table and telling the library
// through `update`.
bool reinstallHook(IUserPrompt& prompt, IHookLibrary& hook, TActivationTable& table, const char* title,
                   const char* question, HookHandle& handle, HookHandle (IHookLibrary::*install)(), std::size_t offset,
                   void (IHookLibrary::*update)(const TActivationTable&)) {
    if (prompt.messageBox(title, question, PromptButtons::YesNo) != PromptAnswer::Yes) return false;
    if (handle != 0) hook.OrvUnHook(handle);
    handle = (hook.*install)();
    table.setI32(offset, handle);
    (hook.*update)(table);
    return true;
}

}  // namespace

void Resident::restoreKeyboardHooks() {
    if (reinstallHook(p_.prompt, p_.hook, table_, remap::kKeyboardHooksTitle, remap::kKeyboardHooksQuestion,
                      hooks_.keyboard, &IHookLibrary::OrvHookKeyboard, TActivationTable::oKeyboardHook,
                      &IHookLibrary::OrvUpKeyHook))
        swapKeys_.reapply();
}

void Resident::restoreMouseHooks() {
    reinstallHook(p_.prompt, p_.hook, table_, remap::kMouseHooksTitle, remap::kMouseHooksQuestion, hooks_.mouse,
                  &IHookLibrary::OrvHookMouse, TActivationTable::oMouseHook, &IHookLibrary::OrvUpMouseHook);
}

}  // namespace orv
