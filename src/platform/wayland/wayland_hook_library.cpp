#include "platform/wayland/wayland_hook_library.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <xkbcommon/xkbcommon.h>

#include <QtCore/QByteArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "platform/hotkey_codes.h"
#include "platform/wayland/sway_ipc.h"
#include "platform/x11/keysyms.h"

namespace orv::wayland {

namespace {

// The hooks' handles: the keyboard hook stands for the hotkeys' bindings.
constexpr HookHandle kKeyboardHook = 1;
constexpr HookHandle kWindowHook = 2;
constexpr const char* kAbortKey = "Pause";
// How long the listening thread waits for the rest of an event that has begun to arrive.
constexpr int kEventReadMs = 2000;

std::string runTag() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return "orvanta-hotkey-" + std::to_string(::getpid()) + "-" +
           std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace

std::string swayKeyCombination(int code) {
    const DecodedHotKey key = DecipherKey(code);
    if (key.mouseButton != 0 || key.virtualKey <= 0) return {};
    const x11::KeySym32 keysym = x11::keysymOfVirtualKey(key.virtualKey);
    char name[64];
    if (keysym == 0 || xkb_keysym_get_name(keysym, name, sizeof name) <= 0) return {};
    std::string combination;
    if (key.win) combination += "Mod4+";
    if (key.ctrl) combination += "Ctrl+";
    if (key.alt) combination += "Mod1+";
    if (key.shift) combination += "Shift+";
    return combination + name;
}

std::optional<int> bindingOfEvent(std::string_view eventJson, std::string_view tag) {
    const QJsonObject event =
        QJsonDocument::fromJson(QByteArray(eventJson.data(), static_cast<qsizetype>(eventJson.size()))).object();
    if (event.value(QStringLiteral("change")).toString() != QStringLiteral("run")) return std::nullopt;
    const std::string command =
        event.value(QStringLiteral("binding")).toObject().value(QStringLiteral("command")).toString().toStdString();
    const std::string prefix = "nop " + std::string(tag) + " ";
    if (!command.starts_with(prefix)) return std::nullopt;
    const char* first = command.data() + prefix.size();
    const char* last = command.data() + command.size();
    int code = -1;
    const auto [end, error] = std::from_chars(first, last, code);
    if (error != std::errc() || end != last || code < 0 || code > kAbortBinding) return std::nullopt;
    return code;
}

std::unique_ptr<WaylandHookLibrary> WaylandHookLibrary::create(IHookMessageSink& sink, std::string ledgerPath) {
    auto commands = SwayIpc::connect();
    auto events = SwayIpc::connect();
    if (!commands || !events || !events->subscribe(R"(["binding"])")) {
        commands.reset();
        events.reset();
    }
    return std::unique_ptr<WaylandHookLibrary>(
        new WaylandHookLibrary(sink, std::move(commands), std::move(events), std::move(ledgerPath)));
}

WaylandHookLibrary::WaylandHookLibrary(IHookMessageSink& sink, std::unique_ptr<SwayIpc> commands,
                                       std::unique_ptr<SwayIpc> events, std::string ledgerPath)
    : sink_(sink),
      commands_(std::move(commands)),
      events_(std::move(events)),
      ledgerPath_(std::move(ledgerPath)),
      tag_(runTag()) {
    if (!commands_) return;
    swaySocket_ = std::getenv("SWAYSOCK");
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) == 0) {
        wakeRead_.reset(fds[0]);
        wakeWrite_.reset(fds[1]);
    }
    clearLeftovers();
    thread_ = std::thread([this] { listen(); });
}

WaylandHookLibrary::~WaylandHookLibrary() {
    unbindAll();
    if (wakeWrite_.valid()) {
        const char stop = 0;
        [[maybe_unused]] const ssize_t n = ::write(wakeWrite_.get(), &stop, 1);
    }
    if (thread_.joinable()) thread_.join();
}

HookHandle WaylandHookLibrary::OrvHookKeyboard() { return kKeyboardHook; }

HookHandle WaylandHookLibrary::OrvHookCBT() {
    windowHook_ = true;
    return kWindowHook;
}

bool WaylandHookLibrary::OrvUnHook(HookHandle handle) {
    if (handle == kWindowHook) {
        windowHook_ = false;
        return true;
    }
    if (handle != kKeyboardHook) return false;
    unbindAll();
    return true;
}

void WaylandHookLibrary::OrvUpInit(const TActivationTable& table) {
    setHotKeys(table);
    OrvUpWindow2(table);
    OrvUpInUse(table);
    OrvUpWaits(table);
}

void WaylandHookLibrary::OrvUpKeys(const TActivationTable& table) { setHotKeys(table); }

void WaylandHookLibrary::OrvUpWindow2(const TActivationTable& table) {
    pickerWindow_ = table.PickerWindow();
    pickerActive_ = table.PickerActive();
}

void WaylandHookLibrary::OrvUpInUse(const TActivationTable& table) {
    macroInUse_ = table.MacroInUse();
    if (macroInUse_) {
        bind(kAbortBinding, kAbortKey);
    } else {
        unbind(kAbortBinding);
    }
    writeLedger();
}

void WaylandHookLibrary::OrvUpWaits(const TActivationTable& table) {
    waitMarker_ = table.u8(TActivationTable::oWaitMarker) != 0;
}

void WaylandHookLibrary::OrvGetIdle(TActivationTable& table) { table.setIdleSeconds(0); }

Capabilities WaylandHookLibrary::capabilities() const {
    Capabilities session = wlrootsCapabilities();
    session.set(Capability::WindowEvents, Reach::Everywhere);
    if (commands_) session.set(Capability::GlobalHotkeys, Reach::Everywhere);
    return session;
}

void WaylandHookLibrary::markerKeyTyped() {
    sink_.postHookMessage({waitMarker_ ? HookMsg::WaitMarker : HookMsg::Marker});
}

void WaylandHookLibrary::windowActivated(std::int64_t window) {
    if (windowHook_) sink_.postHookMessage({HookMsg::WindowActivated, window});
}

std::map<int, std::string> WaylandHookLibrary::refusedHotKeys() const {
    const std::lock_guard lock(refusedMutex_);
    return refused_;
}

bool WaylandHookLibrary::bind(int binding, const std::string& combination) {
    if (bound_.contains(binding)) return true;
    if (!commands_ || combination.empty() ||
        !commands_->command("bindsym --no-repeat " + combination + " nop " + tag_ + " " + std::to_string(binding))) {
        return false;
    }
    bound_[binding] = combination;
    return true;
}

void WaylandHookLibrary::unbind(int binding) {
    const auto it = bound_.find(binding);
    if (it == bound_.end()) return;
    commands_->command("unbindsym " + it->second);
    bound_.erase(it);
}

void WaylandHookLibrary::setHotKeys(const TActivationTable& table) {
    std::map<int, std::string> wanted;
    for (int code = 0; code < kHotKeyCount; ++code)
        if (table.HotKeyInUse(code)) wanted[code] = swayKeyCombination(code);
    std::vector<int> gone;
    for (const auto& [binding, combination] : bound_)
        if (binding != kAbortBinding && !wanted.contains(binding)) gone.push_back(binding);
    for (int binding : gone) unbind(binding);
    std::map<int, std::string> refused;
    for (const auto& [code, combination] : wanted)
        if (!bind(code, combination)) refused[code] = combination;
    writeLedger();
    const std::lock_guard lock(refusedMutex_);
    // Without sway the session notice says that hotkeys are not available at all.
    for (const auto& [code, combination] : refused) {
        if (!commands_ || refused_.contains(code)) continue;
        std::cerr << "orvanta: sway refused the hotkey " << hotKeyName(code)
                  << (combination.empty() ? std::string(" (no key name)") : " (" + combination + ")") << '\n';
    }
    refused_ = std::move(refused);
}

void WaylandHookLibrary::unbindAll() {
    for (const auto& [code, combination] : bound_) commands_->command("unbindsym " + combination);
    bound_.clear();
    writeLedger();
}

// The ledger: the sway socket on the first line, then a bound combination per line.
void WaylandHookLibrary::writeLedger() const {
    if (ledgerPath_.empty() || !commands_) return;
    if (bound_.empty()) {
        std::remove(ledgerPath_.c_str());
        return;
    }
    const std::string temporary = ledgerPath_ + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << swaySocket_ << '\n';
        for (const auto& [code, combination] : bound_) out << combination << '\n';
        if (!out.flush()) return;
    }
    std::rename(temporary.c_str(), ledgerPath_.c_str());
}

// Bindings written down by a run in this same sway session are that run's leftovers: sway keeps
// a binding until it is removed or sway's configuration is loaded again.
void WaylandHookLibrary::clearLeftovers() {
    if (ledgerPath_.empty()) return;  // only called with sway
    std::ifstream in(ledgerPath_);
    std::string line;
    if (!in || !std::getline(in, line)) return;
    if (line == swaySocket_) {
        while (std::getline(in, line))
            if (!line.empty()) commands_->command("unbindsym " + line);
    }
    in.close();
    std::remove(ledgerPath_.c_str());
}

void WaylandHookLibrary::listen() {
    for (;;) {
        pollfd fds[2] = {{events_->fd(), POLLIN, 0}, {wakeRead_.get(), POLLIN, 0}};
        if (::poll(fds, wakeRead_.valid() ? 2 : 1, -1) < 0) continue;
        if ((fds[1].revents & POLLIN) != 0) return;
        const std::optional<std::string> event = events_->readEvent(kEventReadMs);
        if (!event) {
            if (events_->broken()) return;
            continue;
        }
        const std::optional<int> binding = bindingOfEvent(*event, tag_);
        if (!binding) continue;
        if (*binding == kAbortBinding) {
            sink_.postHookMessage({HookMsg::Abort});
            continue;
        }
        // While a macro plays, a bound combination is the macro's own typing, not the user's.
        if (macroInUse_) continue;
        const int code = *binding;
        if (pickerActive_) {
            sink_.postHookMessage({HookMsg::PickerHotKey, code, 0, pickerWindow_});
        } else {
            sink_.postHookMessage({HookMsg::HotKey, code, 0});
        }
    }
}

}  // namespace orv::wayland
