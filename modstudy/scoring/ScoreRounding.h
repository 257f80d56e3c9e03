#pragma once
// Rounding of the course and score numbers.
//
// Scores shown or sent pass through the base package's PrecisionChange (one
// decimal, halves to even). Whole numbers derived from scores and progress
// (percentages, indexes stored as numbers) use Nearest.

// `value` rounded to the nearest integer, a value exactly halfway between two
// integers going to the even one (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -2.5 -> -2).
// A value that is not finite gives 0; values beyond the int range are clamped
// to it.
int Nearest(double value);
