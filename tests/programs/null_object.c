/* A field access through a deleted object ends the run. */
#include "lang_check.h"
#include "lang_types.h"

typedef TYPE_DESC(1) ThingType;
static ThingType tThing = TYPE_INIT(tThing, 1, _krIntType);

VORN_MAIN {
    Header* thing = _krObjNew(&tThing);
    _krObjDelete(thing);
    if (!thing->fields) _krNullObjEx();
    say("not reached");
}
