/* Files as streams: every encoding written and read back, reads at and past
 * the end, lines ended by CR LF, LF or nothing with stray CRs, positions and
 * direction changes, string lengths that lie, open modes, and the file
 * commands on names. Everything lives in a directory of its own, removed at
 * the end. */
#include "system_check.h"

#define DIR "vorn_tmp_file_streams"

static KrString* path(const char* name) { return cat(S(DIR "\\"), S(name)); }

VORN_MAIN {
    fdeletefile(path("data.bin"));
    fdeletefile(path("copy.bin"));
    fdeletefile(path("new.bin"));
    fdeletefile(path("lines.txt"));
    fdeletedir(S(DIR));
    fcreatedir(S(DIR));
    CHECK(ffiletype(S(DIR)) == 2);
    flush();

    /* Every encoding, and the bytes they make. */
    int f = fwritefile(path("data.bin"));
    CHECK(f != 0);
    fwritebyte(f, 257);
    fwritebyte(f, -1);
    fwriteshort(f, 70000);
    fwriteshort(f, -1);
    fwriteint(f, -123456789);
    fwritefloat(f, 1.5f);
    fwritestring(f, S("hello"));
    fwritestring(f, S(""));
    fwriteline(f, S("line one"));
    sayInt("written: ", ffilepos(f));
    fclosefile(f);
    sayInt("FileSize: ", ffilesize(path("data.bin")));
    sayInt("FileType: ", ffiletype(path("data.bin")));

    f = freadfile(path("data.bin"));
    int bank = fcreatebank(37);
    CHECK(freadbytes(bank, f, 0, 37) == 37);
    CHECK(fpeekbyte(bank, 0) == 1 && fpeekbyte(bank, 1) == 255);
    CHECK(fpeekshort(bank, 2) == 4464 && fpeekshort(bank, 4) == 65535);
    CHECK(fpeekint(bank, 6) == -123456789 && fpeekint(bank, 10) == 0x3FC00000);
    CHECK(fpeekint(bank, 14) == 5 && fpeekbyte(bank, 18) == 'h' && fpeekint(bank, 23) == 0);
    CHECK(fpeekbyte(bank, 35) == 13 && fpeekbyte(bank, 36) == 10);
    CHECK(feof(f) == 1);
    fclosefile(f);

    f = freadfile(path("data.bin"));
    sayInt("ReadByte: ", freadbyte(f));
    sayInt("ReadByte: ", freadbyte(f));
    sayInt("ReadShort: ", freadshort(f));
    sayInt("ReadShort: ", freadshort(f));
    sayInt("ReadInt: ", freadint(f));
    sayFloat(freadfloat(f));
    EXPECT_TEXT(T(freadstring(f)), "hello");
    EXPECT_TEXT(T(freadstring(f)), "");
    CHECK(feof(f) == 0 && freadavail(f) == 0);
    EXPECT_TEXT(T(freadline(f)), "line one");
    /* At the end: counts of 0, zeros and empty strings. */
    CHECK(feof(f) == 1 && freadavail(f) == 0);
    CHECK(freadbyte(f) == 0 && freadshort(f) == 0 && freadint(f) == 0 && freadfloat(f) == 0.0f);
    KrString* none = T(freadline(f));
    CHECK(VIEW(none)->length == 0);
    none = T(freadstring(f));
    CHECK(VIEW(none)->length == 0);
    CHECK(freadbytes(bank, f, 0, 4) == 0);
    fclosefile(f);
    flush();

    /* A float's bits read back as an int; a short read keeps high bytes 0. */
    f = fwritefile(path("data.bin"));
    fwritefloat(f, -2.0f);
    fwritebyte(f, 0x7F);
    fclosefile(f);
    f = freadfile(path("data.bin"));
    sayInt("float bits: ", freadint(f));
    sayInt("short ReadInt: ", freadint(f));
    fclosefile(f);

    /* Lines: CR LF, a lone CR, a bare LF, an empty line, a last line without
     * an end, and lines around the length where the reader changes buffer. */
    f = fwritefile(path("lines.txt"));
    const char bytes[] = "ab\r\ncd\na\rb\n\r\n\n\r\rlast";
    for (int i = 0; bytes[i]; ++i) fwritebyte(f, bytes[i]);
    fclosefile(f);
    f = freadfile(path("lines.txt"));
    for (int i = 0; i < 6; ++i) {
        KrString* line = T(freadline(f));
        fwrite(S("line: ["));
        fwrite(line);
        fprint(S("]"));
    }
    CHECK(feof(f) == 1);
    EXPECT_TEXT(T(freadline(f)), "");
    fclosefile(f);
    flush();
    f = fwritefile(path("lines.txt"));
    int lengths[] = {255, 256, 257, 1000};
    for (int i = 0; i < 4; ++i) fwriteline(f, cat(T(fstring(S("x"), lengths[i] - 1)), S("y")));
    fclosefile(f);
    f = freadfile(path("lines.txt"));
    for (int i = 0; i < 4; ++i) {
        KrString* line = T(freadline(f));
        CHECK(VIEW(line)->length == lengths[i] && byteAt(line, lengths[i] - 1) == 'y' && byteAt(line, 0) == 'x');
    }
    CHECK(feof(f) == 1);
    fclosefile(f);
    flush();

    /* String lengths that lie: a body cut short gives what arrived, a
     * negative one reads as "" and leaves the following bytes in the stream. */
    f = fwritefile(path("data.bin"));
    fwriteint(f, 1000);
    fwritebyte(f, 'a');
    fwritebyte(f, 'b');
    fwritebyte(f, 'c');
    fclosefile(f);
    f = freadfile(path("data.bin"));
    EXPECT_TEXT(T(freadstring(f)), "abc");
    fclosefile(f);
    f = fwritefile(path("data.bin"));
    fwriteint(f, -5);
    fwriteline(f, S("after"));
    fclosefile(f);
    f = freadfile(path("data.bin"));
    none = T(freadstring(f));
    CHECK(VIEW(none)->length == 0);
    EXPECT_TEXT(T(freadline(f)), "after");
    fclosefile(f);
    flush();

    /* Positions, and reading and writing one file in turn without seeking
     * between them. */
    f = fwritefile(path("data.bin"));
    for (int i = 0; i < 10; ++i) fwritebyte(f, i);
    fclosefile(f);
    f = fopenfile(path("data.bin"));
    sayInt("SeekFile: ", fseekfile(f, 2));
    sayInt("ReadShort at 2: ", freadshort(f));
    sayInt("FilePos: ", ffilepos(f));
    fwriteshort(f, 0x4141);
    sayInt("ReadByte after write: ", freadbyte(f));
    fseekfile(f, 4);
    sayInt("ReadShort at 4: ", freadshort(f));
    fseekfile(f, 10);
    CHECK(feof(f) == 1);
    fwritebyte(f, 42);
    sayInt("FilePos after append: ", ffilepos(f));
    fseekfile(f, 9);
    CHECK(freadbyte(f) == 9 && freadbyte(f) == 42 && feof(f) == 1);
    fclosefile(f);
    sayInt("size after append: ", ffilesize(path("data.bin")));

    /* Open modes: OpenFile and ReadFile need the file, WriteFile makes it. */
    CHECK(fopenfile(path("new.bin")) == 0 && freadfile(path("new.bin")) == 0);
    CHECK(ffiletype(path("new.bin")) == 0 && ffilesize(path("new.bin")) == 0);
    f = fwritefile(path("new.bin"));
    CHECK(f != 0 && feof(f) == 1);
    /* Asking for the end of a write-only file does not spoil writing on. */
    fwritebyte(f, 7);
    CHECK(feof(f) == 1 && ffilepos(f) == 1);
    fwritebyte(f, 8);
    fclosefile(f);
    CHECK(ffiletype(path("new.bin")) == 1 && ffilesize(path("new.bin")) == 2);
    /* WriteFile truncates. */
    f = fwritefile(path("data.bin"));
    fclosefile(f);
    CHECK(ffilesize(path("data.bin")) == 0);
    fclosefile(0);

    /* CopyFile replaces its target; wildcards find the first hit. */
    f = fwritefile(path("data.bin"));
    fwriteline(f, S("copied"));
    fclosefile(f);
    fcopyfile(path("data.bin"), path("new.bin"));
    f = freadfile(path("new.bin"));
    EXPECT_TEXT(T(freadline(f)), "copied");
    fclosefile(f);
    CHECK(ffilesize(path("new.*")) == 8 && ffiletype(path("n*")) == 1);
    fdeletefile(path("new.bin"));
    CHECK(ffiletype(path("new.bin")) == 0);
    flush();

    fdeletefile(path("data.bin"));
    fdeletefile(path("lines.txt"));
    fdeletedir(S(DIR));
    sayInt("directory left: ", ffiletype(S(DIR)));
    ffreebank(bank);
    flush();
    say("done");
}
