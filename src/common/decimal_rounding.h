#pragma once

namespace hygrova {

// x rounded to `decimals` places (0..8), halves away from zero, stored back in single
// precision: the float nearest to the decimal number N / 10^decimals, where N is x x
// 10^decimals rounded to an integer. The result is the float that reading the decimal text of
// that number gives, which is why the reference rounds through text: the float nearest to a
// decimal number is what a user who types the shown value gets, and it is not always the
// float nearest to the double quotient N / 10^decimals. Non-finite x is returned as it is.
float RoundToDecimals(float x, int decimals);

namespace reference {

// RoundToDecimals through text: N is written out in decimal and read back with the exponent
// -decimals by a correctly rounding reader. The definition the exact RoundToDecimals is
// proven against by the deep check, and its fall-back for near-ties.
float RoundToDecimals(float x, int decimals);

}  // namespace reference

}  // namespace hygrova
