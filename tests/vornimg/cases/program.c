/* Exercises every kind of reference a C program makes to the runtime and to
 * itself: stdcall runtime commands, a runtime data cell, string literals,
 * static functions and variables, initialised pointers in .data and .rdata,
 * a COMMON variable and data placed in a section with a long name. */
extern void __stdcall fprint(const char *text);
extern void __stdcall fprintint(int value);
extern int __stdcall fmillisecs(void);
extern const char *__stdcall _krStrConcat(const char *a, const char *b);
extern int _krIntType;

static int calls;            /* .bss */
int shared_total;            /* COMMON with -fcommon */
int start_value = 7;         /* .data */
const char *greeting = "greeting from .data";
__attribute__((section(".rdata$a_section_name_longer_than_eight")))
const int long_section_value = 1234567;

__attribute__((noinline)) static int triple(int x) { calls++; return 3 * x; }
__attribute__((noinline)) static int add_one(int x) { calls++; return x + 1; }
__attribute__((noinline)) int a_function_with_a_rather_long_name(int x) { return x - 1; }

static int (*const operations[])(int) = { triple, add_one, a_function_with_a_rather_long_name };
static const char *const words[] = { "zero", "one", "two" };

/* Kept out of line so the tables are read through their relocated pointers. */
__attribute__((noipa)) static int apply_all(int (*const *ops)(int), const char *const *names, int v) {
    int i;
    for (i = 0; i < 3; i++) {
        v = ops[i](v);
        fprint(names[i]);
    }
    return v;
}

void __stdcall _MAIN(void) {
    int v;
    fprint("hello from the image");
    fprint(greeting);
    fprint(_krStrConcat("con", "cat"));
    v = apply_all(operations, words, start_value);
    fprintint(v);
    fprintint(calls);
    shared_total += fmillisecs() + _krIntType;
    fprintint(shared_total);
    fprintint(long_section_value);
}
