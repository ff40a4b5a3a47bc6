#include "framework/core/DpiScale.h"

#include <climits>

namespace tembra {
namespace {

int MulDivRounded(int value, unsigned numerator, unsigned denominator) {
    if (numerator == 0) numerator = kDefaultDpi;
    if (denominator == 0) denominator = kDefaultDpi;
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    long long q = (product >= 0 ? product + half : product - half) / static_cast<long long>(denominator);
    if (q > INT_MAX) q = INT_MAX;
    if (q < INT_MIN) q = INT_MIN;
    return static_cast<int>(q);
}

}  // namespace

int ScaleToDpi(int value, unsigned dpi) { return MulDivRounded(value, dpi, kDefaultDpi); }

int ScaleFromDpi(int value, unsigned dpi) { return MulDivRounded(value, kDefaultDpi, dpi); }

}  // namespace tembra
