/* Tessaroven's portable elementary functions: musl 1.2.3, from Debian's source package musl 1.2.3-1
 * (musl_1.2.3.orig.tar.gz), file src/math/__math_uflow.c; musl's licence is COPYRIGHT beside this file.
 * Changed here: includes name their folder.
 * libm.h renames what this file defines, so that nothing clashes with the system's libm.
 */
#include "calc/portable_math/libm.h"

double __math_uflow(uint32_t sign)
{
	return __math_xflow(sign, 0x1p-767);
}
