#include "platform/wayland/wayland_clipboard.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <string_view>
#include <vector>

#include "platform/cp1252.h"
#include "platform/unique_fd.h"
#include "platform/wayland/wayland_connection.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace orv::wayland {

namespace {

using namespace std::chrono_literals;

// How long the program that holds the clipboard may take to hand over its text.
constexpr auto kReceiveDeadline = 2s;

// Text types, the preferred first: what Wayland programs offer, and what XWayland offers for X11
// programs.
constexpr std::array<std::string_view, 5> kTextTypes = {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain", "TEXT",
                                                        "STRING"};

// Reads `fd` to its end or the deadline.
std::string readAll(int fd, std::chrono::milliseconds deadline) {
    std::string data;
    const auto end = std::chrono::steady_clock::now() + deadline;
    char buffer[4096];
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
        pollfd p{fd, POLLIN, 0};
        if (left <= 0 || ::poll(&p, 1, static_cast<int>(left)) <= 0) break;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        data.append(buffer, static_cast<std::size_t>(n));
    }
    return data;
}

}  // namespace

// What lives on the clipboard's thread: the connection, the data device, the selection offered
// by others and the text this program offers.
struct WaylandClipboard::State {
    std::unique_ptr<Connection> connection;
    zwlr_data_control_device_v1* device = nullptr;
    zwlr_data_control_offer_v1* pendingOffer = nullptr;  // announced, not yet the selection
    std::vector<std::string> pendingTypes;
    zwlr_data_control_offer_v1* selection = nullptr;
    std::vector<std::string> selectionTypes;
    zwlr_data_control_source_v1* source = nullptr;  // ours, while it is the selection
    std::string sourceText;                         // UTF-8
    UniqueFd wake{::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)};

    ~State() {
        if (source != nullptr) zwlr_data_control_source_v1_destroy(source);
        if (selection != nullptr) zwlr_data_control_offer_v1_destroy(selection);
        if (pendingOffer != nullptr) zwlr_data_control_offer_v1_destroy(pendingOffer);
        if (device != nullptr) zwlr_data_control_device_v1_destroy(device);
    }

    static void onOfferType(void* data, zwlr_data_control_offer_v1* offer, const char* type) {
        auto* s = static_cast<State*>(data);
        if (offer == s->pendingOffer) s->pendingTypes.emplace_back(type);
    }
    static void onDataOffer(void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
        auto* s = static_cast<State*>(data);
        if (s->pendingOffer != nullptr) zwlr_data_control_offer_v1_destroy(s->pendingOffer);
        s->pendingOffer = offer;
        s->pendingTypes.clear();
        static const zwlr_data_control_offer_v1_listener listener{onOfferType};
        zwlr_data_control_offer_v1_add_listener(offer, &listener, s);
    }
    static void onSelection(void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
        auto* s = static_cast<State*>(data);
        if (s->selection != nullptr && s->selection != offer) zwlr_data_control_offer_v1_destroy(s->selection);
        s->selection = offer;
        s->selectionTypes.clear();
        if (offer != nullptr && offer == s->pendingOffer) {
            s->selectionTypes = std::move(s->pendingTypes);
            s->pendingOffer = nullptr;
        }
    }
    static void onFinished(void*, zwlr_data_control_device_v1*) {}

    static void onSend(void* data, zwlr_data_control_source_v1*, const char*, std::int32_t fd) {
        const UniqueFd out(fd);
        const std::string& text = static_cast<State*>(data)->sourceText;
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = ::write(out.get(), text.data() + done, text.size() - done);
            if (n <= 0 && errno != EINTR) break;
            if (n > 0) done += static_cast<std::size_t>(n);
        }
    }
    static void onCancelled(void* data, zwlr_data_control_source_v1* source) {
        auto* s = static_cast<State*>(data);
        zwlr_data_control_source_v1_destroy(source);
        if (s->source == source) s->source = nullptr;
    }

    // The selection's text as its owner hands it over; empty when it offers no text.
    std::string receive() {
        if (source != nullptr) return sourceText;
        if (selection == nullptr) return {};
        const auto type =
            std::find_first_of(kTextTypes.begin(), kTextTypes.end(), selectionTypes.begin(), selectionTypes.end(),
                               [](std::string_view a, const std::string& b) { return a == b; });
        if (type == kTextTypes.end()) return {};
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return {};
        const UniqueFd in(fds[0]);
        {
            const UniqueFd out(fds[1]);
            zwlr_data_control_offer_v1_receive(selection, std::string(*type).c_str(), out.get());
            wl_display_flush(connection->display());
        }
        return readAll(in.get(), kReceiveDeadline);
    }

    void offer(std::string text) {
        if (source != nullptr) zwlr_data_control_source_v1_destroy(source);
        sourceText = std::move(text);
        source = zwlr_data_control_manager_v1_create_data_source(connection->dataControlManager());
        static const zwlr_data_control_source_v1_listener listener{onSend, onCancelled};
        zwlr_data_control_source_v1_add_listener(source, &listener, this);
        for (std::string_view type : kTextTypes) zwlr_data_control_source_v1_offer(source, std::string(type).c_str());
        zwlr_data_control_device_v1_set_selection(device, source);
        connection->roundtrip();
    }
};

std::unique_ptr<WaylandClipboard> WaylandClipboard::create(std::string& error) {
    auto state = std::make_unique<State>();
    state->connection = Connection::open(error);
    if (!state->connection) return nullptr;
    if (state->connection->dataControlManager() == nullptr || !state->wake.valid()) {
        error = "the Wayland compositor has no clipboard control (zwlr_data_control_manager_v1)";
        return nullptr;
    }
    state->device = zwlr_data_control_manager_v1_get_data_device(state->connection->dataControlManager(),
                                                                 state->connection->seat());
    static const zwlr_data_control_device_v1_listener listener{&State::onDataOffer, &State::onSelection,
                                                               &State::onFinished};
    zwlr_data_control_device_v1_add_listener(state->device, &listener, state.get());
    if (!state->connection->roundtrip()) {
        error = "the Wayland compositor closed the connection";
        return nullptr;
    }
    return std::unique_ptr<WaylandClipboard>(new WaylandClipboard(std::move(state)));
}

WaylandClipboard::WaylandClipboard(std::unique_ptr<State> state)
    : state_(std::move(state)), thread_([this] { loop(); }) {}

WaylandClipboard::~WaylandClipboard() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    const std::uint64_t one = 1;
    (void)!::write(state_->wake.get(), &one, sizeof one);
    thread_.join();
}

void WaylandClipboard::run(const std::function<void()>& task) {
    bool finished = false;
    {
        std::unique_lock lock(mutex_);
        if (loopEnded_) {
            // No thread dispatches any more: the connection is the caller's alone.
            lock.unlock();
            task();
            return;
        }
        tasks_.emplace_back([&] {
            task();
            const std::lock_guard inner(mutex_);
            finished = true;
        });
    }
    const std::uint64_t one = 1;
    (void)!::write(state_->wake.get(), &one, sizeof one);
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return finished; });
}

void WaylandClipboard::loop() {
    dispatch();
    std::deque<std::function<void()>> left;
    {
        const std::lock_guard lock(mutex_);
        loopEnded_ = true;
        left.swap(tasks_);
    }
    for (auto& task : left) task();
    done_.notify_all();
}

// Dispatches the connection's events and runs the tasks handed over, until stopped or the
// connection breaks.
void WaylandClipboard::dispatch() {
    wl_display* display = state_->connection->display();
    while (true) {
        std::deque<std::function<void()>> tasks;
        {
            const std::lock_guard lock(mutex_);
            if (stop_) return;
            tasks.swap(tasks_);
        }
        for (auto& task : tasks) task();
        if (!tasks.empty()) done_.notify_all();

        while (wl_display_prepare_read(display) != 0) wl_display_dispatch_pending(display);
        wl_display_flush(display);
        std::array<pollfd, 2> fds{pollfd{wl_display_get_fd(display), POLLIN, 0}, pollfd{state_->wake.get(), POLLIN, 0}};
        if (::poll(fds.data(), fds.size(), -1) > 0 && (fds[0].revents & POLLIN) != 0) {
            if (wl_display_read_events(display) < 0) return;
        } else {
            wl_display_cancel_read(display);
        }
        if ((fds[1].revents & POLLIN) != 0) {
            std::uint64_t count = 0;
            (void)!::read(state_->wake.get(), &count, sizeof count);
        }
        if (wl_display_dispatch_pending(display) < 0) return;
    }
}

std::string WaylandClipboard::text() {
    std::string text;
    run([&] {
        state_->connection->roundtrip();
        text = state_->receive();
    });
    return utf8ToCp1252(text);
}

void WaylandClipboard::setText(const std::string& text) {
    run([&] { state_->offer(cp1252ToUtf8(text)); });
}

}  // namespace orv::wayland
