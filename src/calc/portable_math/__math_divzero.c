/* Tessaroven's portable elementary functions: musl 1.2.3, from Debian's source package musl 1.2.3-1
 * (musl_1.2.3.orig.tar.gz), file src/math/__math_divzero.c; musl's licence is COPYRIGHT beside this file.
 * Changed here: includes name their folder.
 * libm.h renames what this file defines, so that nothing clashes with the system's libm.
 */
#include "calc/portable_math/libm.h"

double __math_divzero(uint32_t sign)
{
	return fp_barrier(sign ? -1.0 : 1.0) / 0.0;
}
