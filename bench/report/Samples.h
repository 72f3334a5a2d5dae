#pragma once

#include <string>
#include <vector>

// Repeated measurements of one figure. On a machine shared with other work the fastest sample
// is the one least disturbed, so it is the figure; the median shows how much the rest were.
class Samples {
public:
    void add(double value) { m_values.push_back(value); }
    double figure() const;
    double median() const;
    // "12.3 ms (median 14.0)"
    std::string describe(const char* unit) const;

private:
    std::vector<double> sorted() const;

    std::vector<double> m_values;
};
