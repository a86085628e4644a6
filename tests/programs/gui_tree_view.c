/* Tree view nodes as a program sees them: an empty root, insertion places,
 * direct-child counts, programmatic selection, and the handles of a freed
 * node's descendants dying with it. */
#include "gui_check.h"

VORN_MAIN {
    int w = fcreatewindow(TEXT("Tree"), 0, 0, 300, 300, 0, 1 | 32);
    int tv, root, a, b, a1, a2, first;
    _krStrTmpFree(1);
    tv = fcreatetreeview(10, 10, 280, 280, w, 0);
    root = ftreeviewroot(tv);
    sayInt("root children ", fcounttreeviewnodes(root));
    sayInt("selected ", fselectedtreeviewnode(tv));
    a = faddtreeviewnode(TEXT("a"), root);
    b = faddtreeviewnode(TEXT("b"), root);
    first = finserttreeviewnode(0, TEXT("first"), root);
    finserttreeviewnode(99, TEXT("beyond"), root);
    a1 = faddtreeviewnode(TEXT("a1"), a);
    a2 = faddtreeviewnode(TEXT("a2"), a);
    faddtreeviewnode(TEXT("a1x"), a1);
    fmodifytreeviewnode(b, TEXT("B"));
    _krStrTmpFree(8);
    sayInt("root children ", fcounttreeviewnodes(root));
    sayInt("a children ", fcounttreeviewnodes(a));
    sayInt("nodes differ ", a != b && a != first && a1 != a2);
    fselecttreeviewnode(a2);
    sayInt("selected a2 ", fselectedtreeviewnode(tv) == a2);
    fexpandtreeviewnode(a);
    fcollapsetreeviewnode(a);
    ffreetreeviewnode(0);
    ffreetreeviewnode(a);
    sayInt("after freeing a: root children ", fcounttreeviewnodes(root));
    sayInt("selection freed with a ", fselectedtreeviewnode(tv) != a2);
    fcounttreeviewnodes(a1);
    say("not reached");
}
