# Name and layout edge cases: the object already defines `_1`, a stdcall and
# a fastcall name, a 16-byte aligned section, and a label that sits at the
# very end of the code block.
	.text
	.globl __MAIN@0
__MAIN@0:
	call local
	call _1
	call @fast@8
	movl $end_marker, %eax
	ret
local:
	ret
	.globl _1
_1:
	ret
	.globl @fast@8
@fast@8:
	ret
	.data
	.long 1
	.section .rdata$aligned,"dr"
	.p2align 4
	.globl _aligned16
_aligned16:
	.long 5
	.bss
end_marker:
