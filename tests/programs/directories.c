/* Directory listings and the current directory: a missing directory, an
 * empty one (only "." and ".."), one with files and a subdirectory, names
 * past the end, the trailing backslash of CurrentDir (also at a drive root),
 * and making and removing directories, which fail silently. */
#include "system_check.h"

#define DIR "vorn_tmp_directories"

static KrString* path(const char* name) { return cat(S(DIR "\\"), S(name)); }

static void touch(const char* name) {
    int f = fwritefile(path(name));
    CHECK(f != 0);
    fclosefile(f);
}

static int same(KrString* a, KrString* b) { return _krStrCompare(a, b) == 0; }

/* Removes what this test makes, whether or not an earlier run finished. */
static void removeTestTree(void) {
    fdeletefile(path("sub\\inner.txt"));
    fdeletedir(path("sub"));
    fdeletedir(path("empty"));
    fdeletefile(path("a.txt"));
    fdeletefile(path("b.txt"));
    fdeletedir(S(DIR));
}

VORN_MAIN {
    removeTestTree();
    fcreatedir(S(DIR));
    fcreatedir(S(DIR));
    sayInt("FileType(dir): ", ffiletype(S(DIR)));
    flush();

    /* A missing directory still gives a listing, an empty one. */
    int missing = freaddir(path("missing"));
    CHECK(missing != 0);
    sayInt("missing MoreFiles: ", fmorefiles(missing));
    EXPECT_TEXT(T(fnextfile(missing)), "");
    fclosedir(missing);

    fcreatedir(path("empty"));
    int listing = freaddir(path("empty"));
    while (fmorefiles(listing)) sayString("empty: ", T(fnextfile(listing)));
    EXPECT_TEXT(T(fnextfile(listing)), "");
    CHECK(fmorefiles(listing) == 0);
    fclosedir(listing);
    flush();

    /* Every entry comes once, in whatever order the platform keeps. */
    touch("a.txt");
    touch("b.txt");
    fcreatedir(path("sub"));
    touch("sub\\inner.txt");
    const char* names[] = {".", "..", "a.txt", "b.txt", "empty", "sub"};
    int seen[6] = {0};
    int entries = 0;
    listing = freaddir(S(DIR));
    while (fmorefiles(listing)) {
        KrString* name = T(fnextfile(listing));
        ++entries;
        for (int i = 0; i < 6; ++i) seen[i] += sameText(name, names[i]);
    }
    fclosedir(listing);
    sayInt("entries: ", entries);
    for (int i = 0; i < 6; ++i) CHECK(seen[i] == 1);
    flush();

    /* A directory that is not empty stays. */
    fdeletedir(path("sub"));
    sayInt("non-empty DeleteDir leaves: ", ffiletype(path("sub")));

    /* CurrentDir ends in exactly one backslash, inside a directory and at
     * the root of a drive. */
    KrString* start = T(fcurrentdir());
    int n = VIEW(start)->length;
    CHECK(n > 1 && byteAt(start, n - 1) == '\\' && byteAt(start, n - 2) != '\\');
    fchangedir(S(DIR));
    KrString* inside = T(fcurrentdir());
    CHECK(same(inside, cat(start, S(DIR "\\"))));
    fchangedir(S("\\"));
    KrString* root = T(fcurrentdir());
    sayInt("root length: ", VIEW(root)->length);
    CHECK(byteAt(root, 1) == ':' && byteAt(root, 2) == '\\');
    /* The names CurrentDir gives, a drive root and a directory spelled with
     * a trailing backslash, are directories to FileType as well. */
    sayInt("FileType(root): ", ffiletype(root));
    sayInt("FileType(inside): ", ffiletype(inside));
    fchangedir(start);
    sayInt("FileType(dir\\): ", ffiletype(S(DIR "\\")));
    sayInt("FileType(missing\\): ", ffiletype(path("missing\\")));
    CHECK(same(T(fcurrentdir()), start));
    fchangedir(path("nowhere"));
    CHECK(same(T(fcurrentdir()), start));
    flush();

    removeTestTree();
    sayInt("directory left: ", ffiletype(S(DIR)));
    flush();
    say("done");
}
