/* The records that the compiler lays out for custom types, arrays, vectors
 * and data statements, as C structures for the language program tests. */
#ifndef LANG_TYPES_H
#define LANG_TYPES_H

typedef struct Header {
    int* fields;
    struct Header* next;
    struct Header* prev;
    void* type;
    int refs;
} Header;

/* A type descriptor with room for N field types. */
#define TYPE_DESC(N) \
    struct { \
        int kind; \
        Header used; \
        Header free; \
        int fieldCount; \
        void* fieldTypes[N]; \
    }

/* The initialiser of a descriptor named NAME: both anchors point to
 * themselves, type 0, count -1. */
#define ANCHOR(a) {(int*)&(a), &(a), &(a), 0, -1}
#define TYPE_INIT(name, n, ...) {5, ANCHOR(name.used), ANCHOR(name.free), n, {__VA_ARGS__}}

typedef struct {
    int kind;
    int count;
    void* elementType;
} VectorType;

#define ARRAY_DESC(D) \
    struct { \
        void* data; \
        int elementKind; \
        int dimensions; \
        int sizes[D]; \
    }

typedef struct {
    int kind;
    union {
        int i;
        float f;
        const char* s;
    } value;
} DataItem;

/* The number of headers in a list, anchor excluded. */
static int listLength(Header* anchor) {
    int n = 0;
    for (Header* h = anchor->next; h != anchor; h = h->next) ++n;
    return n;
}

#endif
