#ifndef VORN_H
#define VORN_H
#define VORN_API __attribute__((stdcall))
#define VORN_MAIN void VORN_API _MAIN(void)
typedef struct KrString KrString;
void VORN_API fruntimestats(void);
#endif
