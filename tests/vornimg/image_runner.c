/* A stand-in for the runtime linker, built for Windows and run under Wine:
 * loads a module image, links it against its own symbols and a handful of
 * runtime-style routines, and calls offset 0 of the code block.
 * Usage: image_runner.exe IMAGE */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

static void __stdcall rt_print(const char *text) { printf("%s\n", text); }
static void __stdcall rt_print_int(int value) { printf("%d\n", value); }
static int __stdcall rt_millisecs(void) { return 1000; }
static const char *__stdcall rt_str_concat(const char *a, const char *b) {
    char *s = malloc(strlen(a) + strlen(b) + 1);
    strcpy(s, a);
    strcat(s, b);
    return s;
}
static int rt_int_type = 42;

static const struct { const char *name; void *address; } runtime_map[] = {
    {"_fprint", (void *)rt_print},
    {"_fprintint", (void *)rt_print_int},
    {"_fmillisecs", (void *)rt_millisecs},
    {"__krStrConcat", (void *)rt_str_concat},
    {"__krIntType", &rt_int_type},
};

static unsigned char *image, *image_end, *cursor;
static unsigned char *code;
static unsigned code_size;

static void fail(const char *text, const char *name) {
    printf("link error: %s%s\n", text, name ? name : "");
    fflush(stdout);
    exit(255);
}

static unsigned read_u32(void) {
    unsigned v;
    if (image_end - cursor < 4) fail("truncated image", NULL);
    memcpy(&v, cursor, 4);
    cursor += 4;
    return v;
}

static const char *read_name(void) {
    const char *name = (const char *)cursor;
    while (cursor < image_end && *cursor) cursor++;
    if (cursor == image_end) fail("truncated image", NULL);
    cursor++;
    return name;
}

static unsigned symbol_count;
static const char **symbol_names;
static unsigned char **symbol_addresses;

/* Module symbols first, later entries win; then the runtime map. */
static unsigned char *resolve(const char *name) {
    unsigned i;
    for (i = symbol_count; i-- > 0;)
        if (!strcmp(symbol_names[i], name)) return symbol_addresses[i];
    for (i = 0; i < sizeof runtime_map / sizeof runtime_map[0]; i++)
        if (!strcmp(runtime_map[i].name, name)) return runtime_map[i].address;
    fail("Can't find symbol: ", name);
    return NULL;
}

static void apply(int relative) {
    unsigned count = read_u32(), i;
    for (i = 0; i < count; i++) {
        const char *name = read_name();
        unsigned offset = read_u32();
        unsigned char *field = code + offset, *target = resolve(name);
        unsigned value;
        if (offset > code_size - 4) fail("field outside code: ", name);
        memcpy(&value, field, 4);
        value += relative ? (unsigned)(target - field) : (unsigned)target;
        memcpy(field, &value, 4);
    }
}

int main(int argc, char **argv) {
    FILE *f;
    long size;
    unsigned i;
    if (argc != 2) return 2;
    f = fopen(argv[1], "rb");
    if (!f) fail("cannot open ", argv[1]);
    fseek(f, 0, SEEK_END);
    size = ftell(f);
    fseek(f, 0, SEEK_SET);
    image = malloc(size);
    if (fread(image, 1, size, f) != (size_t)size) fail("cannot read ", argv[1]);
    fclose(f);
    cursor = image;
    image_end = image + size;

    code_size = read_u32();
    if ((unsigned long)(image_end - cursor) < code_size) fail("truncated code", NULL);
    code = VirtualAlloc(NULL, code_size, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
    memcpy(code, cursor, code_size);
    cursor += code_size;

    symbol_count = read_u32();
    symbol_names = calloc(symbol_count + 1, sizeof *symbol_names);
    symbol_addresses = calloc(symbol_count + 1, sizeof *symbol_addresses);
    for (i = 0; i < symbol_count; i++) {
        symbol_names[i] = read_name();
        unsigned offset = read_u32();
        if (offset >= code_size) fail("Illegal symbol value", NULL);
        symbol_addresses[i] = code + offset;
    }
    apply(1);
    apply(0);
    if (cursor != image_end) fail("bytes after the relocations", NULL);

    fflush(stdout);
    ((void (*)(void))code)();
    fflush(stdout);
    return 0;
}
