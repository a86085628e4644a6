/* A cdecl main (symbol __MAIN, no stdcall suffix) whose only work is a call
 * to a static function that updates a static variable in .bss. */
extern void __stdcall fprintint(int value);

static int counters[16];

__attribute__((noinline)) static void bump(int i) { counters[i] += i; }

void _MAIN(void) {
    bump(3);
    bump(3);
    fprintint(counters[3] + counters[0]);
}
