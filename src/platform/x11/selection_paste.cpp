#include "platform/x11/selection_paste.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <vector>

#include "platform/cp1252.h"
#include "platform/x11/xlib_util.h"

namespace orv::x11 {

struct SelectionPaste::Atoms {
    Atom clipboard;
    Atom targets;
    Atom utf8;
    Atom text;
};

namespace {

// Latin-1 for the clients that ask for STRING; what it cannot hold becomes "?".
std::string latin1Of(const std::string& utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t cp = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out += cp < 0x100 ? static_cast<char>(cp) : '?';
        i += length;
    }
    return out;
}

// Waits for the next event of the connection until `end`; false when none came.
bool nextEvent(Display* display, std::chrono::steady_clock::time_point end, XEvent& event) {
    while (XPending(display) == 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        ::poll(&fd, 1, static_cast<int>(left.count()) + 1);
    }
    XNextEvent(display, &event);
    return true;
}

}  // namespace

std::unique_ptr<SelectionPaste> SelectionPaste::open() {
    DisplayPtr display = openDisplay();
    if (!display) return nullptr;
    const Window window = XCreateSimpleWindow(display.get(), DefaultRootWindow(display.get()), 0, 0, 1, 1, 0, 0, 0);
    return std::unique_ptr<SelectionPaste>(new SelectionPaste(std::move(display), window));
}

SelectionPaste::SelectionPaste(DisplayPtr display, unsigned long window)
    : display_(std::move(display)), window_(window), atoms_(std::make_unique<Atoms>()) {
    Display* d = display_.get();
    *atoms_ = {atom(d, "CLIPBOARD"), atom(d, "TARGETS"), atom(d, "UTF8_STRING"), atom(d, "TEXT")};
}

SelectionPaste::~SelectionPaste() { XDestroyWindow(display_.get(), window_); }

bool SelectionPaste::answer(const void* request, const std::string* utf8) {
    const auto& r = *static_cast<const XSelectionRequestEvent*>(request);
    Display* d = display_.get();
    // Obsolete clients name no property: the answer goes into one named after the target.
    const Atom property = r.property != None ? r.property : r.target;
    bool delivered = false;
    Atom answered = property;
    if (utf8 == nullptr || r.selection != atoms_->clipboard) {
        answered = None;
    } else if (r.target == atoms_->targets) {
        const Atom offered[] = {atoms_->targets, atoms_->utf8, atoms_->text, XA_STRING};
        XChangeProperty(d, r.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered), static_cast<int>(std::size(offered)));
    } else if (r.target == atoms_->utf8 || r.target == atoms_->text || r.target == XA_STRING) {
        const std::string bytes = r.target == XA_STRING ? latin1Of(*utf8) : *utf8;
        XChangeProperty(d, r.requestor, property, r.target == XA_STRING ? XA_STRING : atoms_->utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
        delivered = true;
    } else {
        answered = None;  // no other form of the text
    }
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = d;
    reply.xselection.requestor = r.requestor;
    reply.xselection.selection = r.selection;
    reply.xselection.target = r.target;
    reply.xselection.property = answered;
    reply.xselection.time = r.time;
    XSendEvent(d, r.requestor, False, NoEventMask, &reply);
    return delivered;
}

void SelectionPaste::refuseLateRequests() {
    // Giving the selection up sends this window a SelectionClear too, and a window may ask for
    // an earlier paste's text after the offer ended: neither belongs to the next paste.
    Display* d = display_.get();
    XSync(d, False);
    XEvent event{};
    while (XPending(d) > 0) {
        XNextEvent(d, &event);
        if (event.type == SelectionRequest) answer(&event.xselectionrequest, nullptr);
    }
}

bool SelectionPaste::paste(const std::string& utf8, const std::function<void()>& pressPasteKeys,
                           std::chrono::milliseconds deadline) {
    Display* d = display_.get();
    // A requestor that went away meanwhile gives BadWindow: the trap keeps it from the process.
    ErrorTrap trap(d);
    refuseLateRequests();
    XSetSelectionOwner(d, atoms_->clipboard, window_, CurrentTime);
    if (XGetSelectionOwner(d, atoms_->clipboard) != window_) return false;
    pressPasteKeys();
    const auto end = std::chrono::steady_clock::now() + deadline;
    bool taken = false;
    XEvent event{};
    while (!taken && nextEvent(d, end, event)) {
        if (event.type == SelectionRequest) {
            taken = answer(&event.xselectionrequest, &utf8);
            XFlush(d);
        } else if (event.type == SelectionClear && XGetSelectionOwner(d, atoms_->clipboard) != window_) {
            break;  // another client took the clipboard: it is theirs now
        }
    }
    if (XGetSelectionOwner(d, atoms_->clipboard) == window_)
        XSetSelectionOwner(d, atoms_->clipboard, None, CurrentTime);
    trap.sync();
    return taken;
}

}  // namespace orv::x11
