/* Defines everything except the program's main. */
extern void __stdcall fprint(const char *text);
void MAIN(void) { fprint("not the entry point"); }
