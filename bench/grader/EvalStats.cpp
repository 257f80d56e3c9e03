#include "EvalStats.h"

#include <algorithm>
#include <cmath>
#include <numeric>

double Mean(const std::vector<double> &v)
{
    return v.empty() ? 0.0 : std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Auc(const std::vector<double> &pos, const std::vector<double> &neg)
{
    if (pos.empty() || neg.empty())
        return 0.5;
    double wins = 0;
    for (double p : pos)
        for (double n : neg)
            wins += p > n ? 1.0 : p == n ? 0.5 : 0.0;
    return wins / (static_cast<double>(pos.size()) * static_cast<double>(neg.size()));
}

std::pair<double, double> FitLogistic(const std::vector<double> &x, const std::vector<int> &y)
{
    // Model a + b·z on the standardised z = (x − mean) ÷ sd; Newton steps
    // on the log-likelihood, then back to the scale of x.
    const double mean = Mean(x);
    double var = 0;
    for (double v : x)
        var += (v - mean) * (v - mean);
    const double sd = x.size() > 1 ? std::max(1e-9, std::sqrt(var / static_cast<double>(x.size()))) : 1.0;
    double a = 0;
    double b = 0;
    for (int iter = 0; iter < 100; ++iter) {
        double ga = 0, gb = 0, haa = 0, hab = 0, hbb = 0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            const double z = (x[i] - mean) / sd;
            const double p = 1.0 / (1.0 + std::exp(-(a + b * z)));
            const double e = y[i] - p;
            const double w = p * (1 - p);
            ga += e;
            gb += e * z;
            haa += w;
            hab += w * z;
            hbb += w * z * z;
        }
        const double det = haa * hbb - hab * hab;
        if (std::abs(det) < 1e-12)
            break;
        const double da = (hbb * ga - hab * gb) / det;
        const double db = (haa * gb - hab * ga) / det;
        a += da;
        b += db;
        if (std::abs(da) + std::abs(db) < 1e-9)
            break;
    }
    if (b <= 1e-6)
        b = 1e-6;
    // a + b (x − mean) / sd = (x − mid) / slope
    const double slope = sd / b;
    return {mean - a * slope, slope};
}
