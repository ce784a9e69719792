// The elementary functions of the core: musl's (src/calc/portable_math/), built from source into the calc
// library so that Linux, Windows and WebAssembly give the same bits. The systems' own libraries differ in the
// last bit on a few in a thousand arguments (glibc's, mingw's and musl's sin, cos, atan, exp and log are
// different code), which would make the same measurement print different digits on each. The functions
// return within 1 ulp of the exact value and agree with glibc's to within 1 ulp; sqrt, floor and fabs are
// exact everywhere and stay with the standard library.
#pragma once

extern "C" {
double tessaroven_musl_sin(double);
double tessaroven_musl_cos(double);
double tessaroven_musl_tan(double);
double tessaroven_musl_atan(double);
double tessaroven_musl_atan2(double, double);
double tessaroven_musl_asin(double);
double tessaroven_musl_exp(double);
double tessaroven_musl_log(double);
}

namespace tessaroven::maths {

inline double Sin(double x) {
    return tessaroven_musl_sin(x);
}
inline double Cos(double x) {
    return tessaroven_musl_cos(x);
}
inline double Tan(double x) {
    return tessaroven_musl_tan(x);
}
inline double Atan(double x) {
    return tessaroven_musl_atan(x);
}
inline double Atan2(double y, double x) {
    return tessaroven_musl_atan2(y, x);
}
inline double Asin(double x) {
    return tessaroven_musl_asin(x);
}
inline double Exp(double x) {
    return tessaroven_musl_exp(x);
}
inline double Log(double x) {
    return tessaroven_musl_log(x);
}

}  // namespace tessaroven::maths
