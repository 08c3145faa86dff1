// A bare Xlib window that records when each key press reaches it, for latency measurements
// below a millisecond (a toolkit application adds its own event handling on top).
//   key_receiver --title <title>
// Writes one line per event to stdout, flushed at once:
//   window <id>                                    once the window is mapped
//   key <CLOCK_MONOTONIC ns> <utf8 text as hex|-> <keysym>
// The text is decoded with Xutf8LookupString through Xlib's own input method, so a keyboard
// map change (MappingNotify) applies to the keys that follow it.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

int main(int argc, char** argv) {
    std::string title = "Key Receiver";
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--title") == 0) title = argv[++i];
    }
    if (std::setlocale(LC_ALL, "C.UTF-8") == nullptr) std::setlocale(LC_ALL, "");
    XSetLocaleModifiers("@im=none");
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        std::fprintf(stderr, "key_receiver: no display\n");
        return 2;
    }
    const int screen = DefaultScreen(d);
    const Window w = XCreateSimpleWindow(d, RootWindow(d, screen), 100, 100, 320, 200, 0, BlackPixel(d, screen),
                                         WhitePixel(d, screen));
    XStoreName(d, w, title.c_str());
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), XInternAtom(d, "UTF8_STRING", False), 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(d, w, &hints);
    Atom deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
    // Answers the window manager's ping, as the common toolkits do: the sender learns that every
    // event before the ping has been handled.
    Atom ping = XInternAtom(d, "_NET_WM_PING", False);
    Atom protocols[] = {deleteWindow, ping};
    XSetWMProtocols(d, w, protocols, 2);

    XIM im = XOpenIM(d, nullptr, nullptr, nullptr);
    XIC ic = im == nullptr ? nullptr
                           : XCreateIC(im, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, w,
                                       XNFocusWindow, w, nullptr);
    if (ic == nullptr) std::fprintf(stderr, "key_receiver: no input context, decoding Latin-1 only\n");
    XSelectInput(d, w, KeyPressMask | StructureNotifyMask | FocusChangeMask);
    XMapWindow(d, w);
    if (ic != nullptr) XSetICFocus(ic);

    bool announced = false;
    for (;;) {
        XEvent event;
        XNextEvent(d, &event);
        if (XFilterEvent(&event, None)) continue;
        if (event.type == KeyPress) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            char text[64];
            KeySym keysym = NoSymbol;
            int n = 0;
            if (ic != nullptr) {
                Status status = 0;
                n = Xutf8LookupString(ic, &event.xkey, text, sizeof text, &keysym, &status);
                if (status != XLookupChars && status != XLookupBoth) n = 0;
            } else {
                n = XLookupString(&event.xkey, text, sizeof text, &keysym, nullptr);
            }
            std::string hex;
            for (int i = 0; i < n; ++i) {
                char byte[3];
                std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(text[i]));
                hex += byte;
            }
            std::printf("key %lld %s %lu\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                        hex.empty() ? "-" : hex.c_str(), keysym);
            std::fflush(stdout);
        } else if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
        } else if (event.type == MapNotify && !announced) {
            announced = true;
            std::printf("window %lu\n", w);
            std::fflush(stdout);
        } else if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == ping) {
            XEvent reply = event;
            reply.xclient.window = DefaultRootWindow(d);
            XSendEvent(d, DefaultRootWindow(d), False, SubstructureNotifyMask | SubstructureRedirectMask, &reply);
            XFlush(d);
        } else if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) {
            break;
        }
    }
    if (ic != nullptr) XDestroyIC(ic);
    if (im != nullptr) XCloseIM(im);
    XCloseDisplay(d);
    return 0;
}
