/* vorn_constants.h: named values of the runtime's commands for programs
 * written in C (included by vorn.h): event ids, modifier and button numbers,
 * key codes (KeyDown, KeyHit, EVENT_KEY_DOWN), the character codes of keys
 * without a character (GetKey, EVENT_KEY_CHAR), pixel format codes and the
 * values Eof returns. Plain macros, usable in C, C++ and switch labels.
 */
#ifndef VORN_CONSTANTS_H
#define VORN_CONSTANTS_H

/* Event ids (WaitEvent, EventID, PeekEvent). A group's bits with a low byte
 * of 0 (0x100 keys, 0x200 mouse, 0x800 window) flush the whole group in
 * FlushEvents. */
#define EVENT_KEY_DOWN        0x101 /* data: key code (VORN_KEY_...) */
#define EVENT_KEY_UP          0x102 /* data: key code */
#define EVENT_KEY_CHAR        0x103 /* data: character (VORN_CHAR_... for keys without one) */
#define EVENT_MOUSE_DOWN      0x201 /* data: button; x, y; z: modifiers */
#define EVENT_MOUSE_UP        0x202 /* data: button; x, y; z: modifiers */
#define EVENT_MOUSE_MOVE      0x203 /* x, y */
#define EVENT_MOUSE_WHEEL     0x204 /* data: notches */
#define EVENT_MOUSE_ENTER     0x205 /* x, y */
#define EVENT_MOUSE_LEAVE     0x206
#define EVENT_GADGET_ACTION   0x401 /* data: depends on the gadget */
#define EVENT_WINDOW_MOVE     0x801 /* x, y: the window's new position */
#define EVENT_WINDOW_SIZE     0x802 /* x, y: the window's new width and height */
#define EVENT_WINDOW_CLOSE    0x803
#define EVENT_WINDOW_ACTIVATE 0x804
#define EVENT_MENU_ACTION     0x1001 /* data: the menu id */
#define EVENT_APP_SUSPEND     0x2001
#define EVENT_APP_RESUME      0x2002
#define EVENT_MODAL_BEGIN     0x2004
#define EVENT_MODAL_END       0x2005
#define EVENT_TIMER_TICK      0x4001 /* data: the tick count; source: the timer */

/* Modifier flags (EventZ of mouse button events, HotKeyEvent). */
#define VORN_MOD_SHIFT 1
#define VORN_MOD_CTRL  2
#define VORN_MOD_ALT   4

/* Mouse buttons (MouseDown, MouseHit, GetMouse, EVENT_MOUSE_DOWN). */
#define VORN_MOUSE_LEFT   1
#define VORN_MOUSE_RIGHT  2
#define VORN_MOUSE_MIDDLE 3

/* Key codes: the keyboard's scan code, plus 128 for the extended keys. */
#define VORN_KEY_ESCAPE        1
#define VORN_KEY_1             2
#define VORN_KEY_2             3
#define VORN_KEY_3             4
#define VORN_KEY_4             5
#define VORN_KEY_5             6
#define VORN_KEY_6             7
#define VORN_KEY_7             8
#define VORN_KEY_8             9
#define VORN_KEY_9            10
#define VORN_KEY_0            11
#define VORN_KEY_MINUS        12
#define VORN_KEY_EQUALS       13
#define VORN_KEY_BACKSPACE    14
#define VORN_KEY_TAB          15
#define VORN_KEY_Q            16
#define VORN_KEY_W            17
#define VORN_KEY_E            18
#define VORN_KEY_R            19
#define VORN_KEY_T            20
#define VORN_KEY_Y            21
#define VORN_KEY_U            22
#define VORN_KEY_I            23
#define VORN_KEY_O            24
#define VORN_KEY_P            25
#define VORN_KEY_LEFT_BRACKET 26
#define VORN_KEY_RIGHT_BRACKET 27
#define VORN_KEY_ENTER        28
#define VORN_KEY_LEFT_CTRL    29
#define VORN_KEY_A            30
#define VORN_KEY_S            31
#define VORN_KEY_D            32
#define VORN_KEY_F            33
#define VORN_KEY_G            34
#define VORN_KEY_H            35
#define VORN_KEY_J            36
#define VORN_KEY_K            37
#define VORN_KEY_L            38
#define VORN_KEY_SEMICOLON    39
#define VORN_KEY_APOSTROPHE   40
#define VORN_KEY_GRAVE        41
#define VORN_KEY_LEFT_SHIFT   42
#define VORN_KEY_BACKSLASH    43
#define VORN_KEY_Z            44
#define VORN_KEY_X            45
#define VORN_KEY_C            46
#define VORN_KEY_V            47
#define VORN_KEY_B            48
#define VORN_KEY_N            49
#define VORN_KEY_M            50
#define VORN_KEY_COMMA        51
#define VORN_KEY_PERIOD       52
#define VORN_KEY_SLASH        53
#define VORN_KEY_RIGHT_SHIFT  54
#define VORN_KEY_NUMPAD_MULTIPLY 55
#define VORN_KEY_LEFT_ALT     56
#define VORN_KEY_SPACE        57
#define VORN_KEY_CAPS_LOCK    58
#define VORN_KEY_F1           59
#define VORN_KEY_F2           60
#define VORN_KEY_F3           61
#define VORN_KEY_F4           62
#define VORN_KEY_F5           63
#define VORN_KEY_F6           64
#define VORN_KEY_F7           65
#define VORN_KEY_F8           66
#define VORN_KEY_F9           67
#define VORN_KEY_F10          68
#define VORN_KEY_NUM_LOCK     69
#define VORN_KEY_SCROLL_LOCK  70
#define VORN_KEY_NUMPAD_7     71
#define VORN_KEY_NUMPAD_8     72
#define VORN_KEY_NUMPAD_9     73
#define VORN_KEY_NUMPAD_SUBTRACT 74
#define VORN_KEY_NUMPAD_4     75
#define VORN_KEY_NUMPAD_5     76
#define VORN_KEY_NUMPAD_6     77
#define VORN_KEY_NUMPAD_ADD   78
#define VORN_KEY_NUMPAD_1     79
#define VORN_KEY_NUMPAD_2     80
#define VORN_KEY_NUMPAD_3     81
#define VORN_KEY_NUMPAD_0     82
#define VORN_KEY_NUMPAD_DECIMAL 83
#define VORN_KEY_F11          87
#define VORN_KEY_F12          88
#define VORN_KEY_NUMPAD_ENTER  (128 + 28)
#define VORN_KEY_RIGHT_CTRL    (128 + 29)
#define VORN_KEY_NUMPAD_DIVIDE (128 + 53)
#define VORN_KEY_RIGHT_ALT     (128 + 56)
#define VORN_KEY_HOME          (128 + 71)
#define VORN_KEY_UP            (128 + 72)
#define VORN_KEY_PAGE_UP       (128 + 73)
#define VORN_KEY_LEFT          (128 + 75)
#define VORN_KEY_RIGHT         (128 + 77)
#define VORN_KEY_END           (128 + 79)
#define VORN_KEY_DOWN          (128 + 80)
#define VORN_KEY_PAGE_DOWN     (128 + 81)
#define VORN_KEY_INSERT        (128 + 82)
#define VORN_KEY_DELETE        (128 + 83)
#define VORN_KEY_LEFT_WINDOWS  (128 + 91)
#define VORN_KEY_RIGHT_WINDOWS (128 + 92)
#define VORN_KEY_APPS          (128 + 93)

/* Character codes that keys without a character queue for GetKey and send
 * as EVENT_KEY_CHAR. */
#define VORN_CHAR_UP        0xF700
#define VORN_CHAR_DOWN      0xF701
#define VORN_CHAR_LEFT      0xF702
#define VORN_CHAR_RIGHT     0xF703
#define VORN_CHAR_F1        0xF704 /* F1..F24: VORN_CHAR_F(1)..VORN_CHAR_F(24) */
#define VORN_CHAR_F(n)      (0xF703 + (n))
#define VORN_CHAR_INSERT    0xF727
#define VORN_CHAR_DELETE    0xF728
#define VORN_CHAR_HOME      0xF729
#define VORN_CHAR_END       0xF72B
#define VORN_CHAR_PAGE_UP   0xF72C
#define VORN_CHAR_PAGE_DOWN 0xF72D

/* Pixel format codes (LockedFormat, GraphicsFormat, GfxModeFormat). */
#define VORN_FORMAT_RGB565   1 /* 16-bit: red 11-15, green 5-10, blue 0-4 */
#define VORN_FORMAT_XRGB1555 2 /* 16-bit: red 10-14, green 5-9, blue 0-4 */
#define VORN_FORMAT_RGB888   3 /* 3 bytes: blue, green, red */
#define VORN_FORMAT_XRGB8888 4 /* 32-bit 0xXXRRGGBB; the top byte is not colour */
#define VORN_FORMAT_ARGB8888 7 /* 32-bit 0xAARRGGBB with alpha */

/* What Eof returns. */
#define VORN_EOF_MORE   0  /* more input may come */
#define VORN_EOF_END    1  /* the end: a file read to its end, a connection the peer closed */
#define VORN_EOF_ERROR (-1) /* the stream failed (a network error, a broken pipe) */

#endif
