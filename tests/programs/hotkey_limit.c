/* A hundred key pairs can be bound, rebinding one adds none, the next new
 * pair is a runtime error. */
#include "vorn.h"

VORN_MAIN {
    int key;
    for (key = 0; key < 100; ++key) fhotkeyevent(key, 2, 0x5000 + key, 0, 0, 0, 0, 0);
    fhotkeyevent(7, 2, 0x6000, 1, 0, 0, 0, 0);
    fhotkeyevent(7, 4, 0x6000, 1, 0, 0, 0, 0);
}
