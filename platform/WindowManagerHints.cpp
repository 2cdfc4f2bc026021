#include "platform/WindowManagerHints.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {

// WM_HINTS as ICCCM 4.1.2.4 lays it out: flags first, the initial state third.
constexpr int hintsFields = 9;
constexpr quint32 stateHintFlag = 1u << 1;
constexpr int initialStateField = 2;
constexpr quint32 normalState = 1;
constexpr quint32 iconicState = 3;

void setInitialState(QWindow &window, quint32 state)
{
    // The offscreen platform answers for X11 too, without a connection of Qt's.
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != u"xcb" || !x11 || !x11->connection() || !window.handle())
        return;
    xcb_connection_t *connection = x11->connection();
    const auto id = xcb_window_t(window.winId());
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, hintsFields),
        nullptr);
    if (!reply)
        return;
    // Qt writes the hints when it makes the window; others' are left alone.
    quint32 hints[hintsFields] = {};
    if (reply->format == 32 && xcb_get_property_value_length(reply) == int(sizeof hints)) {
        std::copy_n(static_cast<const quint32 *>(xcb_get_property_value(reply)), hintsFields, hints);
        if (!(hints[0] & stateHintFlag) || hints[initialStateField] != state) {
            hints[0] |= stateHintFlag;
            hints[initialStateField] = state;
            // Sent on Qt's own connection, so it reaches the server before Qt's map request.
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
                                hintsFields, hints);
        }
    }
    std::free(reply);
}

} // namespace

void letWindowStartNormal(QWindow &window)
{
    setInitialState(window, normalState);
}

void letWindowStartIconic(QWindow &window)
{
    setInitialState(window, iconicState);
}

} // namespace platform
