#include "Report.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

std::vector<double> sorted(const Samples& samples) {
    if (samples.values.empty())
        throw std::logic_error("no samples");
    std::vector<double> values = samples.values;
    std::sort(values.begin(), values.end());
    return values;
}

// "12.3 ms (median 14.0)"
std::string describe(const Samples& samples, const char* unit) {
    char text[96];
    const int decimals = samples.figure() < 10 ? 2 : 1;
    std::snprintf(text, sizeof text, "%.*f %s (median %.*f)", decimals, samples.figure(), unit,
                  decimals, samples.median());
    return text;
}

} // namespace

double Samples::figure() const {
    return sorted(*this).front();
}

double Samples::median() const {
    const std::vector<double> values = sorted(*this);
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string verdict(bool met) {
    return met ? "yes" : "**no**";
}

void printFigure(const Figure& figure) {
    std::printf("| %s | %s | %s | %s | %.2fx | %s | %s |\n", figure.benchmark.c_str(),
                figure.engine.c_str(), describe(figure.program, figure.unit).c_str(),
                describe(figure.floor, figure.unit).c_str(),
                figure.program.figure() / figure.floor.figure(), figure.target.c_str(),
                figure.met.c_str());
    std::fflush(stdout);
}
