# An image-relative (DIR32NB) field in .data, which an image cannot express.
	.text
	.globl __MAIN
__MAIN:
	ret
	.data
	.rva __MAIN
