// The runtime's type records for the four primitive kinds: data cells whose
// one word is the kind, pointed at by the field types of type descriptors and
// by the element types of vector types.
#include "lang/language_types.h"
#include "runtime/symbol_registration.h"

extern "C" {

int32_t _krIntType[1] = {kKindInt};
int32_t _krFltType[1] = {kKindFloat};
int32_t _krStrType[1] = {kKindString};
int32_t _krCStrType[1] = {kKindCString};

}

KR_INTERNAL(Language, _krIntType, "extern char _krIntType[]");
KR_INTERNAL(Language, _krFltType, "extern char _krFltType[]");
KR_INTERNAL(Language, _krStrType, "extern char _krStrType[]");
KR_INTERNAL(Language, _krCStrType, "extern char _krCStrType[]");
