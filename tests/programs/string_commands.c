/* The string commands: slicing at and beyond both ends, searching, replacing
 * without rescanning, padding, trimming, case, character codes and the
 * hexadecimal and binary texts. Each result is printed between brackets;
 * strings holding NUL bytes are checked by length and byte. */
#include "system_check.h"

/* Prints "label = [result]" and releases the command's new string. */
static void show(const char* label, KrString* got) {
    fwrite(_krStrFromCStr(label));
    fwrite(_krStrFromCStr(" = ["));
    fwrite(got);
    fprint(_krStrFromCStr("]"));
    _krStrTmpFree(3);
    _krStrRelease(got);
    flush();
}

static KrString* never;

VORN_MAIN {
    KrString* empty = _krStrLoad(&never);

    show("String(ab,3)", fstring(S("ab"), 3));
    show("String(,5)", fstring(S(""), 5));
    show("String(ab,0)", fstring(S("ab"), 0));
    show("String(ab,-2)", fstring(S("ab"), -2));

    show("Left(abc,5)", fleft(S("abc"), 5));
    show("Left(abc,2)", fleft(S("abc"), 2));
    show("Left(abc,0)", fleft(S("abc"), 0));
    show("Left(abc,-1)", fleft(S("abc"), -1));
    show("Right(abc,2)", fright(S("abc"), 2));
    show("Right(abc,9)", fright(S("abc"), 9));
    show("Right(abc,-1)", fright(S("abc"), -1));

    show("Mid(hello,2)", fmid(S("hello"), 2, -1));
    show("Mid(hello,2,2)", fmid(S("hello"), 2, 2));
    show("Mid(hello,0,3)", fmid(S("hello"), 0, 3));
    show("Mid(hello,-1,4)", fmid(S("hello"), -1, 4));
    show("Mid(hello,5)", fmid(S("hello"), 5, -1));
    show("Mid(hello,6)", fmid(S("hello"), 6, -1));
    show("Mid(hello,4,99)", fmid(S("hello"), 4, 99));
    show("Mid(hello,3,0)", fmid(S("hello"), 3, 0));
    show("Mid(hello,-2147483647,5)", fmid(S("hello"), -2147483647, 5));

    sayInt("Instr(abcabc,c) = ", finstr(S("abcabc"), S("c"), 1));
    sayInt("Instr(abcabc,c,4) = ", finstr(S("abcabc"), S("c"), 4));
    sayInt("Instr(abc,,2) = ", finstr(S("abc"), S(""), 2));
    sayInt("Instr(abc,,0) = ", finstr(S("abc"), S(""), 0));
    sayInt("Instr(abc,,4) = ", finstr(S("abc"), S(""), 4));
    sayInt("Instr(abc,x) = ", finstr(S("abc"), S("x"), 1));
    sayInt("Instr(abc,a,4) = ", finstr(S("abc"), S("a"), 4));
    sayInt("Instr(abc,a,-5) = ", finstr(S("abc"), S("a"), -5));
    sayInt("Instr(abc,abcd) = ", finstr(S("abc"), S("abcd"), 1));
    sayInt("Instr(aab,ab) = ", finstr(S("aab"), S("ab"), 1));
    sayInt("Instr(abab,bab) = ", finstr(S("abab"), S("bab"), 1));
    sayInt("Instr(abc,c,3) = ", finstr(S("abc"), S("c"), 3));
    flush();

    show("Replace(aaa,a,aa)", freplace(S("aaa"), S("a"), S("aa")));
    show("Replace(abcabc,bc,X)", freplace(S("abcabc"), S("bc"), S("X")));
    show("Replace(aaaa,aa,a)", freplace(S("aaaa"), S("aa"), S("a")));
    show("Replace(banana,ana,o)", freplace(S("banana"), S("ana"), S("o")));
    show("Replace(abc,abc,)", freplace(S("abc"), S("abc"), S("")));
    show("Replace(xyz,q,r)", freplace(S("xyz"), S("q"), S("r")));
    show("Replace(abc,,X)", freplace(S("abc"), S(""), S("X")));

    show("Upper", fupper(S("Hello, World 123 az")));
    show("Lower", flower(S("Hello, World 123 AZ")));
    show("Trim", ftrim(S("  a b \t")));
    show("Trim(white space only)", ftrim(S(" \t\r\n ")));

    show("LSet(abc,5)", flset(S("abc"), 5));
    show("LSet(abcdef,3)", flset(S("abcdef"), 3));
    show("LSet(,2)", flset(S(""), 2));
    show("LSet(abc,0)", flset(S("abc"), 0));
    show("RSet(abc,5)", frset(S("abc"), 5));
    show("RSet(abcdef,3)", frset(S("abcdef"), 3));
    show("RSet(abc,-2)", frset(S("abc"), -2));

    show("Hex(255)", fhex(255));
    show("Hex(-1)", fhex(-1));
    show("Hex(0)", fhex(0));
    show("Hex(11259375)", fhex(11259375));
    show("Hex(-2147483648)", fhex(-2147483647 - 1));
    show("Bin(5)", fbin(5));
    show("Bin(-1)", fbin(-1));
    show("Bin(-2147483648)", fbin(-2147483647 - 1));

    /* Empty results are the shared empty string; Chr hands out the shared
     * one-character strings, one reference more each time. */
    int emptyRefs = VIEW(empty)->refs;
    KrString* none = fleft(S("abc"), 0);
    CHECK(none == empty && VIEW(empty)->refs == emptyRefs + 1);
    _krStrRelease(none);
    none = fupper(S(""));
    CHECK(none == empty);
    _krStrRelease(none);
    KrString* a = fchr(65);
    int aRefs = VIEW(a)->refs;
    KrString* again = fchr(321);
    CHECK(again == a && VIEW(a)->refs == aRefs + 1 && VIEW(a)->length == 1 && sameText(a, "A"));
    _krStrRelease(again);
    _krStrRelease(a);
    KrString* top = T(fchr(-1));
    CHECK(VIEW(top)->length == 1 && byteAt(top, 0) == 255);
    CHECK(fasc(S("")) == -1 && fasc(S("A")) == 65 && fasc(T(fchr(200))) == 200);
    CHECK(flen(S("hello")) == 5 && flen(S("")) == 0 && flen(T(fchr(0))) == 1);
    flush();

    /* Bytes 128 and above are neither trimmed nor case-changed; NUL bytes are
     * ordinary bytes everywhere. */
    KrString* high = T(fchr(200));
    KrString* nul = T(fchr(0));
    KrString* framed = cat(cat(high, S(" x ")), high);
    KrString* trimmed = T(ftrim(framed));
    CHECK(VIEW(trimmed)->length == 5 && byteAt(trimmed, 0) == 200 && byteAt(trimmed, 4) == 200);
    KrString* zeros = cat(cat(nul, S("a")), nul);
    trimmed = T(ftrim(zeros));
    CHECK(VIEW(trimmed)->length == 1 && sameText(trimmed, "a"));
    CHECK(byteAt(T(fupper(T(fchr(228)))), 0) == 228 && byteAt(T(flower(T(fchr(196)))), 0) == 196);
    KrString* withNul = cat(cat(S("a"), nul), S("b"));
    CHECK(finstr(withNul, S("b"), 1) == 3 && finstr(withNul, nul, 1) == 2);
    KrString* dashed = T(freplace(withNul, nul, S("-")));
    CHECK(VIEW(dashed)->length == 3 && sameText(dashed, "a-b"));
    KrString* midNul = T(fmid(withNul, 2, 1));
    CHECK(VIEW(midNul)->length == 1 && byteAt(midNul, 0) == 0);
    CHECK(VIEW(T(frset(withNul, 2)))->length == 2 && VIEW(T(fstring(withNul, 4)))->length == 12);
    flush();
    say("done");
}
