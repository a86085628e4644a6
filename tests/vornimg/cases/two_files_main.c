/* The main file of a program of two objects: it calls into the other file,
 * reads its data and shares a tentative definition with it. */
extern void __stdcall fprintint(int value);
extern int helper_twice(int x);
extern int helper_table[3];
int tally; /* COMMON here and in the other file with -fcommon */

void __stdcall _MAIN(void) {
    tally = helper_twice(helper_table[2]);
    fprintint(tally);
}
