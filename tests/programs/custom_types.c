/* Custom-type objects and their lists, driven the way compiled code drives
 * them: descriptors laid out as the compiler emits them, field access through
 * the header's fields address. */
#include "lang_check.h"
#include "lang_types.h"

/* Type Item: id (int), name (string), link (Item), tags (vector of 3 strings) */
static VectorType tagsType = {6, 3, _krStrType};
typedef TYPE_DESC(4) ItemType;
static ItemType tItem = TYPE_INIT(tItem, 4, _krIntType, _krStrType, &tItem, &tagsType);
/* Type Other: one float field */
typedef TYPE_DESC(1) OtherType;
static OtherType tOther = TYPE_INIT(tOther, 1, _krFltType);
/* Type Block: one int field, used only for the block test */
static OtherType tBlock = TYPE_INIT(tBlock, 1, _krIntType);

enum { ID, NAME, LINK, TAGS };

static Header* make(int id) {
    Header* h = _krObjNew(&tItem);
    h->fields[ID] = id;
    return h;
}

static void sayOrder(const char* label) {
    fwrite(_krStrFromCStr(label));
    _krStrTmpFree(1);
    for (Header* h = _krObjFirst(&tItem); h; h = _krObjNext(h)) {
        fwrite(_krStrFromInt(h->fields[ID]));
        fwrite(_krStrFromCStr(" "));
        _krStrTmpFree(2);
    }
    say("");
}

static Header* loop;

VORN_MAIN {
    /* A new object: count 1, fields right after the header, zeroed, with a
     * zeroed vector of its own. */
    Header* a = make(1);
    CHECK(a->refs == 1 && a->type == &tItem && a->fields == (int*)(a + 1));
    CHECK(a->fields[NAME] == 0 && a->fields[LINK] == 0);
    KrString** tags = (KrString**)a->fields[TAGS];
    CHECK(tags && tags[0] == 0 && tags[2] == 0);
    Header* b = make(2);
    Header* c = make(3);
    sayOrder("made: ");
    CHECK(_krObjFirst(&tItem) == a && _krObjLast(&tItem) == c && _krObjPrev(a) == 0 && _krObjPrev(c) == b);

    /* Reordering. */
    _krObjInsBefore(c, a);
    sayOrder("3 before 1: ");
    _krObjInsAfter(c, b);
    sayOrder("3 after 2: ");
    _krObjInsBefore(b, b);
    sayOrder("2 before itself: ");

    /* Deleting releases the string fields and the vector's strings. */
    KrString* name = _krStrFromCStr("name");
    _krStrStore((KrString**)&b->fields[NAME], name);
    _krStrStore(&((KrString**)b->fields[TAGS])[1], name);
    _krStrRetain(name);
    _krStrTmpFree(1);
    CHECK(VIEW(name)->refs == 3);
    _krObjStore(&loop, b); /* hold b as a variable would */
    _krObjDelete(b);
    CHECK(VIEW(name)->refs == 1);
    _krStrRelease(name);
    CHECK(b->fields == 0 && b->refs == 1 && listLength(&tItem.used) == 3);
    sayOrder("2 deleted, still held: ");
    _krObjDelete(b); /* a second delete does nothing */
    CHECK(b->refs == 1);
    CHECK(_krObjCompare(b, 0) == 0 && _krObjCompare(0, 0) == 0 && _krObjCompare(a, a) == 0);
    CHECK(_krObjCompare(a, c) == 1 && _krObjCompare(a, 0) == 1 && _krObjCompare(a, b) == 1);
    CHECK(_krObjNext(a) == c);
    _krObjStore(&loop, 0);
    CHECK(listLength(&tItem.used) == 2 && listLength(&tItem.free) == 510);

    /* A deleted object that only a field still holds leaves the used list
     * when the holder goes. */
    _krObjStore((Header**)&a->fields[LINK], c);
    _krObjDelete(c);
    CHECK(listLength(&tItem.used) == 2 && _krObjLast(&tItem) == a);
    _krObjDelete(a);
    CHECK(listLength(&tItem.used) == 0 && _krObjFirst(&tItem) == 0);

    /* An each-loop that deletes every current object visits each one once. */
    for (int i = 1; i <= 5; ++i) make(i * 10);
    fwrite(_krStrFromCStr("each, deleting: "));
    _krStrTmpFree(1);
    for (int more = _krObjEachFirst(&loop, &tItem); more; more = _krObjEachNext(&loop)) {
        fwrite(_krStrFromInt(loop->fields[ID]));
        fwrite(_krStrFromCStr(" "));
        _krStrTmpFree(2);
        if (loop->fields[ID] == 20) make(60); /* appended during the loop: visited */
        _krObjDelete(loop);
    }
    say("");
    CHECK(loop == 0 && _krObjFirst(&tItem) == 0 && listLength(&tItem.used) == 0);

    /* All deleted but still referenced: First and Last give null. */
    Header* held = make(7);
    _krObjStore(&loop, held);
    _krObjDelete(held);
    CHECK(_krObjFirst(&tItem) == 0 && _krObjLast(&tItem) == 0 && listLength(&tItem.used) == 1);
    _krObjStore(&loop, 0);

    /* DeleteEach, also when deleting one object frees the next one in the
     * list (a deleted object that only the first one's field held). */
    Header* first = make(1);
    Header* second = make(2);
    make(3);
    _krObjStore((Header**)&first->fields[LINK], second);
    _krObjDelete(second);
    _krObjDeleteEach(&tItem);
    CHECK(listLength(&tItem.used) == 0);
    CHECK(listLength(&tItem.free) == 512);

    /* Handles: stable while the object lives, never given out again. */
    Header* h1 = make(1);
    int handle = _krObjToHandle(h1);
    CHECK(handle > 0 && _krObjToHandle(h1) == handle);
    CHECK(_krObjFromHandle(handle, &tItem) == h1 && _krObjFromHandle(handle, &tOther) == 0);
    CHECK(_krObjToHandle(0) == 0 && _krObjFromHandle(handle + 100, &tItem) == 0);
    _krObjDelete(h1);
    CHECK(_krObjToHandle(h1) == 0 && _krObjFromHandle(handle, &tItem) == 0);
    Header* h2 = make(2);
    int handle2 = _krObjToHandle(h2);
    CHECK(handle2 > handle);
    Header* other = _krObjNew(&tOther);
    CHECK(_krObjFromHandle(_krObjToHandle(other), &tItem) == 0);
    _krObjDelete(other);
    _krObjDelete(h2);

    /* 512 objects fill one block, in address order; the 513th makes a
     * second one. */
    static Header* many[513];
    for (int i = 0; i < 512; ++i) many[i] = _krObjNew(&tBlock);
    CHECK(listLength(&tBlock.free) == 0);
    CHECK((char*)many[511] - (char*)many[0] == 511 * (20 + 4));
    many[512] = _krObjNew(&tBlock);
    CHECK(listLength(&tBlock.free) == 511 && listLength(&tBlock.used) == 513);
    CHECK(_krObjLast(&tBlock) == many[512]);
    _krObjDeleteEach(&tBlock);
    CHECK(listLength(&tBlock.free) == 1024 && listLength(&tBlock.used) == 0);

    /* With the free list stocked, new and delete only recycle headers. */
    for (int i = 0; i < 5000; ++i) {
        Header* h = _krObjNew(&tBlock);
        CHECK(h->fields[0] == 0);
        h->fields[0] = i;
        _krObjDelete(h);
    }
    CHECK(listLength(&tBlock.free) == 1024);

    CHECK(sameText(_krObjToStr(0), "[OBJECT]"));
    _krStrTmpFree(1);
    say("done");
}
