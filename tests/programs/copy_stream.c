/* CopyStream between files: buffer sizes at both limits and between them,
 * sources shorter than, equal to and a multiple of the buffer, a source
 * already at its end, and a destination opened for writing only (whose own
 * end-of-stream test is true from the start). */
#include "system_check.h"

#define DIR "vorn_tmp_copy_stream"

static KrString* path(const char* name) { return cat(S(DIR "\\"), S(name)); }

static int pattern;

static void makeSource(int size) {
    pattern = fcreatebank(size);
    for (int i = 0; i < size; ++i) fpokebyte(pattern, i, i * 7 + i / 251);
    int f = fwritefile(path("source.bin"));
    fwritebytes(pattern, f, 0, size);
    fclosefile(f);
}

/* Copies the source into a new file and checks every byte of the copy. */
static void copyWith(int size, int bufferSize) {
    int src = freadfile(path("source.bin"));
    int dest = fwritefile(path("copy.bin"));
    fcopystream(src, dest, bufferSize);
    fclosefile(dest);
    fclosefile(src);
    int copied = ffilesize(path("copy.bin"));
    CHECK(copied == size);
    int back = fcreatebank(size);
    int f = freadfile(path("copy.bin"));
    CHECK(freadbytes(back, f, 0, size) == size);
    fclosefile(f);
    for (int i = 0; i < size; ++i)
        if (fpeekbyte(back, i) != fpeekbyte(pattern, i)) failed(__LINE__, "copied byte differs");
    ffreebank(back);
    fwrite(_krStrFromInt(size));
    fwrite(S(" bytes, buffer "));
    fwrite(_krStrFromInt(bufferSize));
    fwrite(S(": copied "));
    fprint(_krStrFromInt(copied));
    _krStrTmpFree(3);
    flush();
}

VORN_MAIN {
    fdeletefile(path("source.bin"));
    fdeletefile(path("copy.bin"));
    fcreatedir(S(DIR));
    flush();

    makeSource(100000);
    copyWith(100000, 1);
    copyWith(100000, 1048576);
    copyWith(100000, 100000);
    ffreebank(pattern);
    makeSource(32768);
    copyWith(32768, 16384);
    ffreebank(pattern);
    makeSource(1048577);
    copyWith(1048577, 1048576);
    ffreebank(pattern);

    /* A source at its end copies nothing; the destination's bytes stay. */
    int src = freadfile(path("source.bin"));
    fseekfile(src, 1048577);
    int dest = fopenfile(path("copy.bin"));
    fcopystream(src, dest, 16384);
    sayInt("from the end: ", ffilepos(dest));
    fclosefile(dest);
    fclosefile(src);
    sayInt("copy keeps: ", ffilesize(path("copy.bin")));

    /* Copying into a file that is being appended to, after a few bytes. */
    src = freadfile(path("source.bin"));
    fseekfile(src, 1048570);
    dest = fwritefile(path("copy.bin"));
    fwriteline(dest, S("head"));
    fcopystream(src, dest, 4);
    fclosefile(dest);
    fclosefile(src);
    sayInt("appended: ", ffilesize(path("copy.bin")));

    fdeletefile(path("source.bin"));
    fdeletefile(path("copy.bin"));
    fdeletedir(S(DIR));
    sayInt("directory left: ", ffiletype(S(DIR)));
    flush();
    say("done");
}
