#pragma once
// Small statistics for the grader's evaluation.

#include <utility>
#include <vector>

double Mean(const std::vector<double> &v);
double Median(std::vector<double> v);

// Probability that a value of `pos` exceeds one of `neg` (ties count half).
double Auc(const std::vector<double> &pos, const std::vector<double> &neg);

// One-dimensional logistic regression P(y = 1 | x) = 1 / (1 + exp(-(x - mid) / slope)),
// fitted by Newton's method; returns {mid, slope}.
std::pair<double, double> FitLogistic(const std::vector<double> &x, const std::vector<int> &y);
