/* Tessaroven's portable elementary functions: musl 1.2.3, from Debian's source package musl 1.2.3-1
 * (musl_1.2.3.orig.tar.gz), file src/internal/libm.h; musl's licence is COPYRIGHT beside this file.
 * Changed here: cut down to what the double functions in this folder use; the long double shapes,
 * TOINT_INTRINSICS and the float declarations dropped; a build whose double arithmetic carries excess
 * precision is refused, contraction to fused multiply-add is switched off; every name these files define is renamed
 * (below) so that none of them clashes with, or is replaced by, the system's libm; no visibility
 * attribute on Windows.
 */
#ifndef _LIBM_H
#define _LIBM_H

#include <stdint.h>
#include <float.h>
#include <math.h>

/* The same bits on every target need plain double arithmetic: no x87 (FLT_EVAL_METHOD 2), no fused
 * multiply-add, no value-changing optimisations. The build passes -ffp-contract=off; these catch a
 * target or a flag that would quietly change the results. */
#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#error "the portable maths needs double arithmetic without excess precision (SSE2, wasm, ...)"
#endif
#if defined(__FAST_MATH__)
#error "the portable maths must not be built with -ffast-math"
#endif
/* Contraction is also switched off by -ffp-contract=off (and by GCC's ISO C mode); this says it to
 * compilers that read the pragma. */
#ifdef __clang__
#pragma STDC FP_CONTRACT OFF
#endif

/* Every name defined in this folder, renamed after <math.h> has declared the system's own. */
#define sin tessaroven_musl_sin
#define cos tessaroven_musl_cos
#define tan tessaroven_musl_tan
#define atan tessaroven_musl_atan
#define atan2 tessaroven_musl_atan2
#define asin tessaroven_musl_asin
#define exp tessaroven_musl_exp
#define log tessaroven_musl_log
#define scalbn tessaroven_musl_scalbn
#define floor tessaroven_musl_floor
#define __sin tessaroven_musl_sin_kernel
#define __cos tessaroven_musl_cos_kernel
#define __tan tessaroven_musl_tan_kernel
#define __rem_pio2 tessaroven_musl_rem_pio2
#define __rem_pio2_large tessaroven_musl_rem_pio2_large
#define __math_xflow tessaroven_musl_math_xflow
#define __math_uflow tessaroven_musl_math_uflow
#define __math_oflow tessaroven_musl_math_oflow
#define __math_divzero tessaroven_musl_math_divzero
#define __math_invalid tessaroven_musl_math_invalid
#define __exp_data tessaroven_musl_exp_data
#define __log_data tessaroven_musl_log_data

/* Kept out of the shared module that links the core; PE/COFF (Windows) has no such visibility. */
#ifdef _WIN32
#define hidden
#else
#define hidden __attribute__((__visibility__("hidden")))
#endif

/* Support non-nearest rounding mode.  */
#define WANT_ROUNDING 1
/* Support signaling NaNs.  */
#define WANT_SNAN 0

#define issignaling_inline(x) 0

#define TOINT_INTRINSICS 0

/* Helps static branch prediction so hot path can be better optimized.  */
#ifdef __GNUC__
#define predict_true(x) __builtin_expect(!!(x), 1)
#define predict_false(x) __builtin_expect(x, 0)
#else
#define predict_true(x) (x)
#define predict_false(x) (x)
#endif

/* Evaluate an expression as the specified type. With standard excess
   precision handling a type cast or assignment is enough (with
   -ffloat-store an assignment is required, in old compilers argument
   passing and return statement may not drop excess precision).  */

static inline double eval_as_double(double x)
{
	double y = x;
	return y;
}

/* fp_barrier returns its input, but limits code transformations
   as if it had a side-effect (e.g. observable io) and returned
   an arbitrary value.  */

static inline double fp_barrier(double x)
{
	volatile double y = x;
	return y;
}

/* fp_force_eval ensures that the input value is computed when that's
   otherwise unused.  To prevent the constant folding of the input
   expression, an additional fp_barrier may be needed or a compilation
   mode that does so (e.g. -frounding-math in gcc). Then it can be
   used to evaluate an expression for its fenv side-effects only.   */

static inline void fp_force_evalf(float x)
{
	volatile float y = x;
	(void)y;
}

static inline void fp_force_eval(double x)
{
	volatile double y = x;
	(void)y;
}

#define FORCE_EVAL(x) do {                        \
	if (sizeof(x) == sizeof(float)) {         \
		fp_force_evalf(x);                \
	} else {                                  \
		fp_force_eval(x);                 \
	}                                         \
} while(0)

#define asuint64(f) ((union{double _f; uint64_t _i;}){f})._i
#define asdouble(i) ((union{uint64_t _i; double _f;}){i})._f

#define EXTRACT_WORDS(hi,lo,d)                    \
do {                                              \
  uint64_t __u = asuint64(d);                     \
  (hi) = __u >> 32;                               \
  (lo) = (uint32_t)__u;                           \
} while (0)

#define GET_HIGH_WORD(hi,d)                       \
do {                                              \
  (hi) = asuint64(d) >> 32;                       \
} while (0)

#define GET_LOW_WORD(lo,d)                        \
do {                                              \
  (lo) = (uint32_t)asuint64(d);                   \
} while (0)

#define INSERT_WORDS(d,hi,lo)                     \
do {                                              \
  (d) = asdouble(((uint64_t)(hi)<<32) | (uint32_t)(lo)); \
} while (0)

#define SET_HIGH_WORD(d,hi)                       \
  INSERT_WORDS(d, hi, (uint32_t)asuint64(d))

#define SET_LOW_WORD(d,lo)                        \
  INSERT_WORDS(d, asuint64(d)>>32, lo)

hidden int    __rem_pio2_large(double*,double*,int,int,int);

hidden int    __rem_pio2(double,double*);
hidden double __sin(double,double,int);
hidden double __cos(double,double);
hidden double __tan(double,double,int);

/* error handling functions */
hidden double __math_xflow(uint32_t, double);
hidden double __math_uflow(uint32_t);
hidden double __math_oflow(uint32_t);
hidden double __math_divzero(uint32_t);
hidden double __math_invalid(double);

double sin(double);
double cos(double);
double tan(double);
double atan(double);
double atan2(double, double);
double asin(double);
double exp(double);
double log(double);
double scalbn(double, int);
double floor(double);

#endif
