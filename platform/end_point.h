// A saved execution context to which End and the runtime-error path return
// without unwinding: compiled code has no unwind tables, so no exception may
// cross it. On 32-bit Windows the structured-exception chain is saved too, so
// that frames abandoned by the jump leave no stale handler registrations.
#pragma once

namespace platform {

struct EndPoint {
    void* context[5];
    void* exceptionChain;
};

void* currentExceptionChain();
void restoreExceptionChain(void* chain);

} // namespace platform

// Saves the end point; evaluates to 0 when saved, to 1 when returned to.
// Must be used directly in the function whose frame stays alive.
#define KR_SAVE_END_POINT(point) \
    ((point).exceptionChain = platform::currentExceptionChain(), __builtin_setjmp((point).context))

[[noreturn]] inline void krReturnToEndPoint(platform::EndPoint& point) {
    platform::restoreExceptionChain(point.exceptionChain);
    __builtin_longjmp(point.context, 1);
}
