#include "platform/end_point.h"

namespace platform {

void* currentExceptionChain() {
    void* head;
    __asm__ __volatile__("movl %%fs:0, %0" : "=r"(head));
    return head;
}

void restoreExceptionChain(void* chain) { __asm__ __volatile__("movl %0, %%fs:0" : : "r"(chain) : "memory"); }

} // namespace platform
