#pragma once

// The limit values of the floating types, built from their IEEE 754 bit patterns.

// Each fills only the out-locations that are not null: the largest finite value, the
// smallest positive (subnormal) value, the quiet NaN, and the two infinities.
void HAL_getFloatConstants(float* maxValue, float* minValue, float* nan, float* negativeInfinity,
                           float* positiveInfinity);
void HAL_getDoubleConstants(double* maxValue, double* minValue, double* nan, double* negativeInfinity,
                            double* positiveInfinity);
