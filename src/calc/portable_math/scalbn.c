/* Tessaroven's portable elementary functions: musl 1.2.3, from Debian's source package musl 1.2.3-1
 * (musl_1.2.3.orig.tar.gz), file src/math/scalbn.c; musl's licence is COPYRIGHT beside this file.
 * Changed here: includes name their folder; double_t written as double; <math.h> replaced by libm.h.
 * libm.h renames what this file defines, so that nothing clashes with the system's libm.
 */
#include "calc/portable_math/libm.h"

double scalbn(double x, int n)
{
	union {double f; uint64_t i;} u;
	double y = x;

	if (n > 1023) {
		y *= 0x1p1023;
		n -= 1023;
		if (n > 1023) {
			y *= 0x1p1023;
			n -= 1023;
			if (n > 1023)
				n = 1023;
		}
	} else if (n < -1022) {
		/* make sure final n < -53 to avoid double
		   rounding in the subnormal range */
		y *= 0x1p-1022 * 0x1p53;
		n += 1022 - 53;
		if (n < -1022) {
			y *= 0x1p-1022 * 0x1p53;
			n += 1022 - 53;
			if (n < -1022)
				n = -1022;
		}
	}
	u.i = (uint64_t)(0x3ff+n)<<52;
	x = y * u.f;
	return x;
}
