/* The one compilation of stb_vorbis's implementation. */
#include <stb/stb_vorbis.h>
