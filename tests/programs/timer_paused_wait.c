/* WaitTimer on a paused timer is a runtime error; pausing twice is no error. */
#include "vorn.h"

VORN_MAIN {
    int timer = fcreatetimer(50.0f);
    fpausetimer(timer);
    fpausetimer(timer);
    fwaittimer(timer);
}
