#include "platform/wayland/wayland_connection.h"

#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace orv::wayland {

namespace {

template <typename T>
T* bind(wl_registry* registry, std::uint32_t name, const wl_interface* interface, std::uint32_t offered,
        std::uint32_t wanted) {
    return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

void outputGeometry(void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                    const char*, const char*, std::int32_t) {}
void outputDone(void*, wl_output*) {}
void outputScale(void*, wl_output*, std::int32_t) {}
void outputText(void*, wl_output*, const char*) {}

}  // namespace

std::unique_ptr<Connection> Connection::open(std::string& error) {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        error = "no Wayland compositor answers (is WAYLAND_DISPLAY set?)";
        return nullptr;
    }
    std::unique_ptr<Connection> c(new Connection);
    c->display_ = display;
    c->registry_ = wl_display_get_registry(display);
    static const wl_registry_listener listener{&Connection::global, &Connection::globalRemove};
    wl_registry_add_listener(c->registry_, &listener, c.get());
    // The first round brings the globals, the second the output's mode.
    if (!c->roundtrip() || !c->roundtrip()) {
        error = "the Wayland compositor closed the connection";
        return nullptr;
    }
    if (c->seat_ == nullptr) {
        error = "the Wayland compositor has no seat";
        return nullptr;
    }
    return c;
}

Connection::~Connection() {
    if (pointerManager_ != nullptr) zwlr_virtual_pointer_manager_v1_destroy(pointerManager_);
    if (dataControlManager_ != nullptr) zwlr_data_control_manager_v1_destroy(dataControlManager_);
    if (keyboardManager_ != nullptr) zwp_virtual_keyboard_manager_v1_destroy(keyboardManager_);
    if (output_ != nullptr) wl_output_destroy(output_);
    if (seat_ != nullptr) wl_seat_destroy(seat_);
    if (registry_ != nullptr) wl_registry_destroy(registry_);
    if (display_ != nullptr) wl_display_disconnect(display_);
}

void Connection::global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                        std::uint32_t version) {
    auto* c = static_cast<Connection*>(data);
    const std::string_view i(interface);
    if (i == wl_seat_interface.name && c->seat_ == nullptr) {
        c->seat_ = bind<wl_seat>(registry, name, &wl_seat_interface, version, 1);
    } else if (i == wl_output_interface.name && c->output_ == nullptr) {
        c->output_ = bind<wl_output>(registry, name, &wl_output_interface, version, 2);
        static const wl_output_listener listener{
            outputGeometry, &Connection::outputMode, outputDone, outputScale, outputText, outputText};
        wl_output_add_listener(c->output_, &listener, c);
    } else if (i == zwp_virtual_keyboard_manager_v1_interface.name) {
        c->keyboardManager_ = bind<zwp_virtual_keyboard_manager_v1>(
            registry, name, &zwp_virtual_keyboard_manager_v1_interface, version, 1);
    } else if (i == zwlr_foreign_toplevel_manager_v1_interface.name) {
        c->toplevelName_ = name;
        c->toplevelVersion_ = version;
    } else if (i == zwlr_data_control_manager_v1_interface.name) {
        c->dataControlManager_ =
            bind<zwlr_data_control_manager_v1>(registry, name, &zwlr_data_control_manager_v1_interface, version, 1);
    } else if (i == zwlr_virtual_pointer_manager_v1_interface.name) {
        c->pointerManager_ = bind<zwlr_virtual_pointer_manager_v1>(
            registry, name, &zwlr_virtual_pointer_manager_v1_interface, version, 1);
    }
}

void Connection::outputMode(void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height,
                            std::int32_t) {
    auto* c = static_cast<Connection*>(data);
    if ((flags & WL_OUTPUT_MODE_CURRENT) != 0) {
        c->outputWidth_ = width;
        c->outputHeight_ = height;
    }
}

std::vector<std::string> Connection::missingProtocols() const {
    std::vector<std::string> missing;
    if (keyboardManager_ == nullptr) missing.emplace_back(zwp_virtual_keyboard_manager_v1_interface.name);
    if (toplevelName_ == 0) missing.emplace_back(zwlr_foreign_toplevel_manager_v1_interface.name);
    return missing;
}

zwlr_foreign_toplevel_manager_v1* Connection::bindToplevelManager() {
    if (toplevelName_ == 0) return nullptr;
    return bind<zwlr_foreign_toplevel_manager_v1>(registry_, toplevelName_, &zwlr_foreign_toplevel_manager_v1_interface,
                                                  toplevelVersion_, 3);
}

bool Connection::roundtrip() { return wl_display_roundtrip(display_) >= 0; }

void Connection::flush() { wl_display_flush(display_); }

bool Connection::broken() const { return wl_display_get_error(display_) != 0; }

bool Connection::dispatchArrived() {
    while (wl_display_prepare_read(display_) != 0) {
        if (wl_display_dispatch_pending(display_) < 0) return false;
    }
    wl_display_flush(display_);
    pollfd fd{wl_display_get_fd(display_), POLLIN, 0};
    if (poll(&fd, 1, 0) > 0) {
        if (wl_display_read_events(display_) < 0) return false;
    } else {
        wl_display_cancel_read(display_);
    }
    return wl_display_dispatch_pending(display_) >= 0;
}

int Connection::fd() const { return wl_display_get_fd(display_); }

bool Connection::dispatchUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!done()) {
        if (wl_display_dispatch_pending(display_) < 0) return false;
        if (done()) return true;
        while (wl_display_prepare_read(display_) != 0) {
            if (wl_display_dispatch_pending(display_) < 0) return false;
        }
        if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display_);
            return false;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            wl_display_cancel_read(display_);
            return false;
        }
        pollfd fd{wl_display_get_fd(display_), POLLIN, 0};
        const int ready = poll(&fd, 1, static_cast<int>(left.count()));
        if (ready <= 0) {
            wl_display_cancel_read(display_);
            if (ready < 0 && errno != EINTR) return false;
            continue;
        }
        if (wl_display_read_events(display_) < 0) return false;
    }
    return true;
}

std::uint32_t eventTime() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

}  // namespace orv::wayland
