// Two steps of the form float(c * float(x)) side by side, which g++ 12's straight-line
// vectoriser packs into one double multiply, dropping the inner rounding to float; the build
// turns that vectoriser off (cmake/HygrovaFlags.cmake). Built without the flag, this test
// fails for as long as the compiler does so.

#include <gtest/gtest.h>

namespace hygrova {
namespace {

[[gnu::noinline]] void TwoSteps(const double* x, float* out)
{
    out[0] = static_cast<float>(-10.79574 * static_cast<float>(x[0] - 1.0));
    out[1] = static_cast<float>(-4.76955 * static_cast<float>(x[1] - 1.0));
}

TEST(PackedRoundingTest, EachStepRoundsToFloatAsItIsWritten)
{
    int differences = 0;
    for (int i = 0; i < 1000; ++i) {
        const double x[2] = {1.0 + i * 1e-7, 0.7 + i * 3e-7};
        float packed[2];
        TwoSteps(x, packed);
        // One step at a time: the inner float is stored before it is multiplied.
        volatile float inner[2] = {static_cast<float>(x[0] - 1.0), static_cast<float>(x[1] - 1.0)};
        differences += packed[0] != static_cast<float>(-10.79574 * inner[0]) ? 1 : 0;
        differences += packed[1] != static_cast<float>(-4.76955 * inner[1]) ? 1 : 0;
    }
    EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace hygrova
