/* Tessaroven's portable elementary functions: musl 1.2.3, from Debian's source package musl 1.2.3-1
 * (musl_1.2.3.orig.tar.gz), file src/math/floor.c; musl's licence is COPYRIGHT beside this file.
 * Changed here: includes name their folder; double_t written as double; only the branch for FLT_EVAL_METHOD
 * 0 kept.
 * libm.h renames what this file defines, so that nothing clashes with the system's libm.
 */
#include "calc/portable_math/libm.h"

#define EPS DBL_EPSILON
static const double toint = 1/EPS;

double floor(double x)
{
	union {double f; uint64_t i;} u = {x};
	int e = u.i >> 52 & 0x7ff;
	double y;

	if (e >= 0x3ff+52 || x == 0)
		return x;
	/* y = int(x) - x, where int(x) is an integer neighbor of x */
	if (u.i >> 63)
		y = x - toint + toint - x;
	else
		y = x + toint - toint - x;
	/* special case because of non-nearest rounding modes */
	if (e <= 0x3ff-1) {
		FORCE_EVAL(y);
		return u.i >> 63 ? -1 : 0;
	}
	if (y > 0)
		return x + y - 1;
	return x + y;
}
