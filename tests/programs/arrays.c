/* Arrays dimensioned at run time and vectors, laid out as the compiler emits
 * them: compiled code stores the highest indices before _krDimArray and
 * computes positions from the cumulative sizes. */
#include "lang_check.h"
#include "lang_types.h"

typedef ARRAY_DESC(1) Array1;
typedef ARRAY_DESC(2) Array2;
typedef TYPE_DESC(1) ThingType;

static Array1 numbers = {0, 1, 1, {0}};
static Array2 grid = {0, 2, 2, {0, 0}};
static Array1 names = {0, 3, 1, {0}};
static Array1 things = {0, 5, 1, {0}};
static Array1 nothing = {0, 1, 1, {0}};
static ThingType tThing = TYPE_INIT(tThing, 1, _krIntType);
static VectorType nameVector = {6, 4, _krStrType};
static VectorType thingVector = {6, 2, &tThing};

VORN_MAIN {
    /* Highest index 10: 11 zeroed elements. */
    numbers.sizes[0] = 10;
    _krDimArray(&numbers);
    CHECK(numbers.data != 0 && numbers.sizes[0] == 11);
    int* n = numbers.data;
    int sum = 0;
    for (int i = 0; i < 11; ++i) sum |= n[i];
    CHECK(sum == 0);
    n[10] = 5;
    _krUndimArray(&numbers);
    CHECK(numbers.data == 0 && numbers.sizes[0] == 11);
    _krUndimArray(&numbers); /* not dimensioned: nothing */

    /* Dimensioned again after undimensioning, with new highest indices. */
    numbers.sizes[0] = 2;
    _krDimArray(&numbers);
    CHECK(numbers.sizes[0] == 3 && ((int*)numbers.data)[2] == 0);
    _krUndimArray(&numbers);

    /* (3, 4): sizes 4 and 20; element (2, 3) at 2 + 3 * 4 = 14. */
    grid.sizes[0] = 3;
    grid.sizes[1] = 4;
    _krDimArray(&grid);
    sayInt("grid sizes: ", grid.sizes[0]);
    sayInt("            ", grid.sizes[1]);
    float* cells = grid.data;
    cells[2 + 3 * grid.sizes[0]] = 1.5f;
    CHECK(cells[14] == 1.5f && cells[19] == 0.0f);
    _krUndimArray(&grid);

    /* Highest index -1: an empty dimension. */
    nothing.sizes[0] = -1;
    _krDimArray(&nothing);
    CHECK(nothing.data != 0 && nothing.sizes[0] == 0);
    _krUndimArray(&nothing);
    CHECK(nothing.data == 0);

    /* Undimensioning releases string and object elements. */
    KrString* s = _krStrRetain(_krStrFromCStr("element"));
    _krStrTmpFree(1);
    names.sizes[0] = 3;
    _krDimArray(&names);
    _krStrStore(&((KrString**)names.data)[0], s);
    _krStrStore(&((KrString**)names.data)[3], s);
    CHECK(VIEW(s)->refs == 3);
    _krUndimArray(&names);
    CHECK(VIEW(s)->refs == 1);

    Header* thing = _krObjNew(&tThing);
    things.sizes[0] = 1;
    _krDimArray(&things);
    _krObjStore(&((Header**)things.data)[1], thing);
    CHECK(thing->refs == 2);
    _krUndimArray(&things);
    CHECK(thing->refs == 1);

    /* Vectors: zeroed storage; freeing releases the elements. */
    KrString** v = _krVecAlloc(&nameVector);
    CHECK(v[0] == 0 && v[3] == 0);
    _krStrStore(&v[3], s);
    CHECK(VIEW(s)->refs == 2);
    _krVecFree(v, &nameVector);
    CHECK(VIEW(s)->refs == 1);
    Header** t = _krVecAlloc(&thingVector);
    _krObjStore(&t[1], thing);
    _krVecFree(t, &thingVector);
    CHECK(thing->refs == 1);
    _krObjDelete(thing);
    _krStrRelease(s);
    say("done");
}
