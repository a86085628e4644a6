/* A program calling a command by a wrong name and a C library function. */
extern int __stdcall fmilisecs(void);
extern unsigned strlen(const char *text);
int length;
char message[] = "no C library in a program";

void __stdcall _MAIN(void) {
    length = fmilisecs();
#ifdef WITH_C_LIBRARY
    length += strlen(message);
#endif
}
