#include "platform/x11/x11_desktop_settings.h"

// Qt before Xlib: Xlib's macros (None, Status, Bool ...) break Qt's headers.
#include <QImage>
#include <QPainter>
#include <QString>
#include <QUrl>
// clang-format off
#include <X11/Xatom.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
// clang-format on
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/cp1252.h"
#include "platform/x11/run_program.h"
#include "platform/x11/service_module.h"
#include "platform/x11/xlib_util.h"

namespace orv::x11 {

int repeatDelayMs(int delay) { return 250 * (std::clamp(delay, 0, 3) + 1); }

int repeatIntervalMs(int speed) {
    // 2.5 characters a second at speed 0 up to 30 at speed 31, in 31 even steps.
    const double perSecond = 2.5 + 27.5 * std::clamp(speed, 0, 31) / 31.0;
    return static_cast<int>(std::lround(1000.0 / perSecond));
}

namespace {

// The output whose modes the display mode commands work on: RandR's primary output, else the
// first connected output that drives a CRTC, else the first connected one.
RROutput primaryOutput(Display* d, XRRScreenResources* res) {
    const RROutput primary = XRRGetOutputPrimary(d, DefaultRootWindow(d));
    for (int i = 0; i < res->noutput; ++i)
        if (res->outputs[i] == primary && primary != 0) return primary;
    RROutput connected = 0;
    for (int i = 0; i < res->noutput; ++i) {
        XRROutputInfo* info = XRRGetOutputInfo(d, res, res->outputs[i]);
        if (info == nullptr) continue;
        const bool isConnected = info->connection == RR_Connected;
        const bool driven = info->crtc != 0;
        XRRFreeOutputInfo(info);
        if (isConnected && driven) return res->outputs[i];
        if (isConnected && connected == 0) connected = res->outputs[i];
    }
    return connected;
}

int refreshOf(const XRRModeInfo& m) {
    double lines = m.vTotal;
    if (m.modeFlags & RR_DoubleScan) lines *= 2;
    if (m.modeFlags & RR_Interlace) lines /= 2;
    if (m.hTotal == 0 || lines == 0) return 0;
    return static_cast<int>(std::lround(static_cast<double>(m.dotClock) / (m.hTotal * lines)));
}

// Bits per pixel of the screen's pixmaps (32 for a depth of 24).
int bitsPerPixel(Display* d) {
    const int depth = DefaultDepth(d, DefaultScreen(d));
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(d, &count);
    int bpp = depth;
    for (int i = 0; i < count; ++i)
        if (formats[i].depth == depth) bpp = formats[i].bits_per_pixel;
    if (formats != nullptr) XFree(formats);
    return bpp;
}

// The primary output's modes in the server's order, with the resources they came from.
struct OutputModes {
    XRRScreenResources* res = nullptr;
    RROutput output = 0;
    RRCrtc crtc = 0;
    std::vector<std::pair<RRMode, DisplayMode>> modes;

    OutputModes() = default;
    OutputModes(const OutputModes&) = delete;
    OutputModes& operator=(const OutputModes&) = delete;
    ~OutputModes() {
        if (res != nullptr) XRRFreeScreenResources(res);
    }
};

bool readOutputModes(Display* d, OutputModes& out) {
    int eventBase = 0, errorBase = 0;
    if (!XRRQueryExtension(d, &eventBase, &errorBase)) return false;
    out.res = XRRGetScreenResourcesCurrent(d, DefaultRootWindow(d));
    if (out.res == nullptr) return false;
    out.output = primaryOutput(d, out.res);
    if (out.output == 0) return false;
    XRROutputInfo* info = XRRGetOutputInfo(d, out.res, out.output);
    if (info == nullptr) return false;
    out.crtc = info->crtc;
    const int bpp = bitsPerPixel(d);
    for (int i = 0; i < info->nmode; ++i) {
        for (int j = 0; j < out.res->nmode; ++j) {
            const XRRModeInfo& m = out.res->modes[j];
            if (m.id != info->modes[i]) continue;
            out.modes.push_back(
                {m.id, DisplayMode{static_cast<int>(m.width), static_cast<int>(m.height), bpp, refreshOf(m)}});
        }
    }
    XRRFreeOutputInfo(info);
    return true;
}

RRMode findMode(const OutputModes& modes, const DisplayMode& wanted) {
    for (const auto& [id, mode] : modes.modes)
        if (mode == wanted) return id;
    return 0;
}

bool isTrueColor24(Display* d) {
    Visual* v = DefaultVisual(d, DefaultScreen(d));
    return DefaultDepth(d, DefaultScreen(d)) >= 24 && v->red_mask == 0xff0000 && v->green_mask == 0xff00 &&
           v->blue_mask == 0xff;
}

// The picture of the whole screen for the wallpaper values; a null image when the file cannot
// be read. Tiling is left to the server (the returned image is the file itself).
QImage wallpaperImage(const WallpaperValues& v, int screenWidth, int screenHeight) {
    QImage picture(QString::fromStdString(cp1252ToUtf8(v.file)));
    if (picture.isNull()) return {};
    picture = picture.convertToFormat(QImage::Format_RGB32);
    if (v.tile == "1") return picture;
    if (v.style == "2") {
        return picture.scaled(screenWidth, screenHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QImage screen(screenWidth, screenHeight, QImage::Format_RGB32);
    screen.fill(Qt::black);
    QPainter painter(&screen);
    const int x = std::atoi(v.originX.c_str());
    const int y = std::atoi(v.originY.c_str());
    if (x != 0 || y != 0) {
        painter.drawImage(x, y, picture);
    } else {
        painter.drawImage((screenWidth - picture.width()) / 2, (screenHeight - picture.height()) / 2, picture);
    }
    painter.end();
    return screen;
}

// GNOME draws its own desktop background from its settings; in a GNOME session they are
// changed as well, since the root window is hidden there.
void setGnomeWallpaper(const WallpaperValues& v) {
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    if (desktop == nullptr || std::strstr(desktop, "GNOME") == nullptr) return;
    if (findProgram("gsettings").empty()) return;
    const std::string schema = "org.gnome.desktop.background";
    if (v.file.empty()) {
        runProgram({"gsettings", "set", schema, "picture-options", "none"});
        return;
    }
    const std::string uri = QUrl::fromLocalFile(QString::fromStdString(cp1252ToUtf8(v.file))).toString().toStdString();
    const char* options = v.tile == "1" ? "wallpaper" : v.style == "2" ? "stretched" : "centered";
    runProgram({"gsettings", "set", schema, "picture-uri", uri});
    runProgram({"gsettings", "set", schema, "picture-uri-dark", uri});
    runProgram({"gsettings", "set", schema, "picture-options", options});
}

}  // namespace

std::unique_ptr<X11DesktopSettings> X11DesktopSettings::create() {
    DisplayPtr display = openDisplay();
    if (!display) return nullptr;
    return std::unique_ptr<X11DesktopSettings>(new X11DesktopSettings(std::move(display)));
}

X11DesktopSettings::X11DesktopSettings(DisplayPtr display) : display_(std::move(display)) {
    int timeout = 0, interval = 0, blanking = 0, exposures = 0;
    XGetScreenSaver(display_.get(), &timeout, &interval, &blanking, &exposures);
    if (timeout > 0) inactiveTimeout_ = timeout;
}

X11DesktopSettings::~X11DesktopSettings() = default;

bool X11DesktopSettings::setRepeat(int delayMs, int intervalMs) {
    unsigned int delay = 0, interval = 0;
    if (!XkbGetAutoRepeatRate(display_.get(), XkbUseCoreKbd, &delay, &interval)) return false;
    if (delayMs >= 0) delay = static_cast<unsigned int>(delayMs);
    if (intervalMs >= 0) interval = static_cast<unsigned int>(intervalMs);
    ErrorTrap trap(display_.get());
    const Bool sent = XkbSetAutoRepeatRate(display_.get(), XkbUseCoreKbd, delay, interval);
    return sent && trap.sync() == 0;
}

bool X11DesktopSettings::setKeyboardDelay(int delay) { return setRepeat(repeatDelayMs(delay), -1); }

bool X11DesktopSettings::setKeyboardSpeed(int speed) { return setRepeat(-1, repeatIntervalMs(speed)); }

bool X11DesktopSettings::setScreenSaverTimeout(int seconds) {
    int timeout = 0, interval = 0, blanking = 0, exposures = 0;
    XGetScreenSaver(display_.get(), &timeout, &interval, &blanking, &exposures);
    if (seconds <= 0) return false;
    inactiveTimeout_ = seconds;
    // A screen saver that is off stays off; the time-out applies when it is switched on.
    if (timeout == 0) return true;
    ErrorTrap trap(display_.get());
    XSetScreenSaver(display_.get(), seconds, interval, blanking, exposures);
    return trap.sync() == 0;
}

bool X11DesktopSettings::setBorderWidth(int) { return true; }

bool X11DesktopSettings::screenSaverActive() {
    int timeout = 0, interval = 0, blanking = 0, exposures = 0;
    XGetScreenSaver(display_.get(), &timeout, &interval, &blanking, &exposures);
    return timeout > 0;
}

void X11DesktopSettings::setScreenSaverActive(bool active) {
    int timeout = 0, interval = 0, blanking = 0, exposures = 0;
    XGetScreenSaver(display_.get(), &timeout, &interval, &blanking, &exposures);
    if (!active && timeout > 0) inactiveTimeout_ = timeout;
    if (active == (timeout > 0)) return;
    XSetScreenSaver(display_.get(), active ? inactiveTimeout_ : 0, interval, blanking, exposures);
    XSync(display_.get(), False);
}

void X11DesktopSettings::startScreenSaver() {
    XForceScreenSaver(display_.get(), ScreenSaverActive);
    XSync(display_.get(), False);
}

bool X11DesktopSettings::displayMode(int index, DisplayMode& mode) {
    OutputModes modes;
    if (index < 0 || !readOutputModes(display_.get(), modes)) return false;
    if (static_cast<std::size_t>(index) >= modes.modes.size()) return false;
    mode = modes.modes[static_cast<std::size_t>(index)].second;
    return true;
}

int X11DesktopSettings::testDisplayMode(const DisplayMode& mode) {
    OutputModes modes;
    if (!readOutputModes(display_.get(), modes) || modes.crtc == 0) return display_result::kFailed;
    if (findMode(modes, mode) == 0) return display_result::kBadMode;
    int minW = 0, minH = 0, maxW = 0, maxH = 0;
    if (XRRGetScreenSizeRange(display_.get(), DefaultRootWindow(display_.get()), &minW, &minH, &maxW, &maxH) &&
        (mode.width > maxW || mode.height > maxH)) {
        return display_result::kBadMode;
    }
    return display_result::kSuccessful;
}

int X11DesktopSettings::applyDisplayMode(const DisplayMode& mode) {
    Display* d = display_.get();
    OutputModes modes;
    if (!readOutputModes(d, modes) || modes.crtc == 0) return display_result::kFailed;
    const RRMode id = findMode(modes, mode);
    if (id == 0) return display_result::kBadMode;
    XRRCrtcInfo* crtc = XRRGetCrtcInfo(d, modes.res, modes.crtc);
    if (crtc == nullptr) return display_result::kFailed;
    const bool sideways = (crtc->rotation & (RR_Rotate_90 | RR_Rotate_270)) != 0;
    const int width = sideways ? mode.height : mode.width;
    const int height = sideways ? mode.width : mode.height;

    // The screen after the change: the bounding box of every lit CRTC, this one resized.
    int screenW = crtc->x + width;
    int screenH = crtc->y + height;
    for (int i = 0; i < modes.res->ncrtc; ++i) {
        if (modes.res->crtcs[i] == modes.crtc) continue;
        XRRCrtcInfo* other = XRRGetCrtcInfo(d, modes.res, modes.res->crtcs[i]);
        if (other == nullptr) continue;
        if (other->mode != 0) {
            screenW = std::max(screenW, other->x + static_cast<int>(other->width));
            screenH = std::max(screenH, other->y + static_cast<int>(other->height));
        }
        XRRFreeCrtcInfo(other);
    }
    // The screen's size now: Xlib's copy (DisplayWidth) is stale after a change made on this
    // connection, so the root window is asked.
    const int screen = DefaultScreen(d);
    Window rootReturn = 0;
    int rx = 0, ry = 0;
    unsigned int rootW = 0, rootH = 0, border = 0, depth = 0;
    if (!XGetGeometry(d, DefaultRootWindow(d), &rootReturn, &rx, &ry, &rootW, &rootH, &border, &depth)) {
        XRRFreeCrtcInfo(crtc);
        return display_result::kFailed;
    }
    const int oldW = static_cast<int>(rootW), oldH = static_cast<int>(rootH);
    const double mmPerPixelX = static_cast<double>(DisplayWidthMM(d, screen)) / DisplayWidth(d, screen);
    const double mmPerPixelY = static_cast<double>(DisplayHeightMM(d, screen)) / DisplayHeight(d, screen);
    auto resizeScreen = [&](int w, int h) {
        XRRSetScreenSize(d, DefaultRootWindow(d), w, h, static_cast<int>(std::lround(w * mmPerPixelX)),
                         static_cast<int>(std::lround(h * mmPerPixelY)));
    };

    ErrorTrap trap(d);
    XGrabServer(d);
    // The screen must hold the CRTC at every step: grow it first, shrink it last.
    const int growW = std::max(oldW, screenW), growH = std::max(oldH, screenH);
    if (growW != oldW || growH != oldH) resizeScreen(growW, growH);
    const Status status = XRRSetCrtcConfig(d, modes.res, modes.crtc, CurrentTime, crtc->x, crtc->y, id, crtc->rotation,
                                           crtc->outputs, crtc->noutput);
    if (status == RRSetConfigSuccess && (screenW != growW || screenH != growH)) resizeScreen(screenW, screenH);
    XUngrabServer(d);
    XRRFreeCrtcInfo(crtc);
    const int errors = trap.sync();
    return status == RRSetConfigSuccess && errors == 0 ? display_result::kSuccessful : display_result::kFailed;
}

void X11DesktopSettings::setWallpaper(const WallpaperValues& values) {
    setGnomeWallpaper(values);
    // The pixmap must outlive this program, as the background of a session does: it is made on
    // a connection of its own whose resources the server keeps after it closes, and named in
    // the root properties that desktop tools read (_XROOTPMAP_ID, ESETROOT_PMAP_ID). The pixmap
    // of an earlier wallpaper is freed by killing the connection that kept it.
    DisplayPtr owner = openDisplay();
    if (!owner) return;
    Display* d = owner.get();
    const int screen = DefaultScreen(d);
    const Window root = RootWindow(d, screen);
    const Atom rootPixmap = atom(d, "_XROOTPMAP_ID");
    const Atom esetroot = atom(d, "ESETROOT_PMAP_ID");

    Pixmap pixmap = None;
    if (!values.file.empty() && isTrueColor24(d)) {
        QImage image = wallpaperImage(values, DisplayWidth(d, screen), DisplayHeight(d, screen));
        if (image.isNull()) return;  // the file cannot be shown: the background stays as it was
        XImage* ximage =
            XCreateImage(d, DefaultVisual(d, screen), static_cast<unsigned>(DefaultDepth(d, screen)), ZPixmap, 0,
                         reinterpret_cast<char*>(image.bits()), static_cast<unsigned>(image.width()),
                         static_cast<unsigned>(image.height()), 32, static_cast<int>(image.bytesPerLine()));
        if (ximage == nullptr) return;
        // QImage's RGB32 words are in the machine's byte order; Xlib converts to the server's.
        ximage->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
        pixmap = XCreatePixmap(d, root, static_cast<unsigned>(image.width()), static_cast<unsigned>(image.height()),
                               static_cast<unsigned>(DefaultDepth(d, screen)));
        GC gc = XCreateGC(d, pixmap, 0, nullptr);
        XPutImage(d, pixmap, gc, ximage, 0, 0, 0, 0, static_cast<unsigned>(image.width()),
                  static_cast<unsigned>(image.height()));
        XFreeGC(d, gc);
        ximage->data = nullptr;  // the pixels belong to the QImage
        XDestroyImage(ximage);
    } else if (!values.file.empty()) {
        return;
    }

    if (auto old = readProperty(d, root, esetroot); old && old->type == XA_PIXMAP && old->items.size() == 1) {
        ErrorTrap trap(d);
        XKillClient(d, static_cast<XID>(old->items[0]));
        trap.sync();
    }
    if (pixmap != None) {
        XSetWindowBackgroundPixmap(d, root, pixmap);
        const long id = static_cast<long>(pixmap);
        XChangeProperty(d, root, rootPixmap, XA_PIXMAP, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&id), 1);
        XChangeProperty(d, root, esetroot, XA_PIXMAP, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&id),
                        1);
        XSetCloseDownMode(d, RetainPermanent);
    } else {
        // No wallpaper: the plain black desktop.
        XSetWindowBackground(d, root, BlackPixel(d, screen));
        XDeleteProperty(d, root, rootPixmap);
        XDeleteProperty(d, root, esetroot);
    }
    XClearWindow(d, root);
    XSync(d, False);
}

std::vector<PrinterInfo> X11DesktopSettings::printers() {
    std::vector<PrinterInfo> list;
    auto* listPrinters = moduleFunction<OrvPrintersList>(kPrintersModule, "orv_printers_list");
    if (listPrinters == nullptr) return list;
    OrvPrinterVisitor* add = [](void* context, const char* name, const char* model, const char* uri) {
        PrinterInfo info;
        info.name = utf8ToCp1252(name);
        if (model != nullptr) info.driver = utf8ToCp1252(model);
        if (uri != nullptr) info.port = utf8ToCp1252(uri);
        static_cast<std::vector<PrinterInfo>*>(context)->push_back(std::move(info));
    };
    listPrinters(add, &list);
    return list;
}

std::string X11DesktopSettings::printerDevicesEntry(const std::string& name) {
    for (const PrinterInfo& printer : printers())
        if (printer.name == name) return printer.driver + "," + printer.port;
    return {};
}

void X11DesktopSettings::setDefaultPrinter(const std::string& deviceLine) {
    const std::string name = cp1252ToUtf8(deviceLine.substr(0, deviceLine.find(',')));
    if (auto* setDefault = moduleFunction<OrvPrintersSetDefault>(kPrintersModule, "orv_printers_set_default"))
        setDefault(name.c_str());
}

}  // namespace orv::x11
