#include "platform/x11/toolkit_keyboard.h"

#include <QtGui/QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

// The XKB protocol header names a field "explicit", a keyword in C++.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wkeyword-macro"
#endif
#define explicit xkb_explicit
#include <xcb/xkb.h>
#undef explicit
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

namespace orv::x11 {

void ignoreKeyboardSwitchesInToolkit() {
    const auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    auto* x11 = app != nullptr ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) return;
    xcb_xkb_select_events(connection, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY,
                          XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY, 0, 0, 0, nullptr);
    xcb_flush(connection);
}

}  // namespace orv::x11
