/* A user library that lies only under "vornpath"/userlibs/, never beside the
 * program, so that only the fallback path finds it. */
__declspec(dllexport) int __stdcall home_answer(int a, int b) { return a * b + 1; }
