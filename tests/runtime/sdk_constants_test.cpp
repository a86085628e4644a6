// The SDK's named values (sdk/vorn_constants.h) are the runtime's own: the
// event ids and pixel format codes are compared with the runtime's
// definitions when this file compiles. The SDK spells them as macros, so the
// runtime's values are taken under other names first.
#include "events/event_record.h"
#include "gfx2d/pixel_format.h"

namespace runtime_value {
constexpr int ids[] = {EVENT_KEY_DOWN,      EVENT_KEY_UP,      EVENT_KEY_CHAR,      EVENT_MOUSE_DOWN,
                       EVENT_MOUSE_UP,      EVENT_MOUSE_MOVE,  EVENT_MOUSE_WHEEL,   EVENT_MOUSE_ENTER,
                       EVENT_MOUSE_LEAVE,   EVENT_GADGET_ACTION, EVENT_WINDOW_MOVE, EVENT_WINDOW_SIZE,
                       EVENT_WINDOW_CLOSE,  EVENT_WINDOW_ACTIVATE, EVENT_MENU_ACTION, EVENT_APP_SUSPEND,
                       EVENT_APP_RESUME,    EVENT_MODAL_BEGIN, EVENT_MODAL_END,     EVENT_TIMER_TICK};
constexpr int formats[] = {kFormatRgb565, kFormatRgb555, kFormatRgb888, kFormatXrgb8888, kFormatArgb8888};
} // namespace runtime_value

#include "sdk/vorn_constants.h"

namespace sdk_value {
constexpr int ids[] = {EVENT_KEY_DOWN,      EVENT_KEY_UP,      EVENT_KEY_CHAR,      EVENT_MOUSE_DOWN,
                       EVENT_MOUSE_UP,      EVENT_MOUSE_MOVE,  EVENT_MOUSE_WHEEL,   EVENT_MOUSE_ENTER,
                       EVENT_MOUSE_LEAVE,   EVENT_GADGET_ACTION, EVENT_WINDOW_MOVE, EVENT_WINDOW_SIZE,
                       EVENT_WINDOW_CLOSE,  EVENT_WINDOW_ACTIVATE, EVENT_MENU_ACTION, EVENT_APP_SUSPEND,
                       EVENT_APP_RESUME,    EVENT_MODAL_BEGIN, EVENT_MODAL_END,     EVENT_TIMER_TICK};
constexpr int formats[] = {VORN_FORMAT_RGB565, VORN_FORMAT_XRGB1555, VORN_FORMAT_RGB888, VORN_FORMAT_XRGB8888,
                           VORN_FORMAT_ARGB8888};
} // namespace sdk_value

template <int N>
constexpr bool same(const int (&a)[N], const int (&b)[N]) {
    for (int i = 0; i < N; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

static_assert(same(runtime_value::ids, sdk_value::ids), "an event id of sdk/vorn_constants.h is not the runtime's");
static_assert(same(runtime_value::formats, sdk_value::formats),
              "a pixel format code of sdk/vorn_constants.h is not the runtime's");
static_assert(VORN_CHAR_F(1) == VORN_CHAR_F1 && VORN_CHAR_F(24) == 0xF71B, "F1..F24 run 0xF704..0xF71B");
