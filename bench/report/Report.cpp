#include "Report.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

std::vector<double> Samples::sorted() const {
    if (m_values.empty())
        throw std::logic_error("no samples");
    std::vector<double> values = m_values;
    std::sort(values.begin(), values.end());
    return values;
}

double Samples::median() const {
    const std::vector<double> values = sorted();
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Samples::figure() const {
    return sorted().front();
}

std::string Samples::describe(const char* unit) const {
    char text[96];
    const int decimals = figure() < 10 ? 2 : 1;
    std::snprintf(text, sizeof text, "%.*f %s (median %.*f)", decimals, figure(), unit, decimals,
                  median());
    return text;
}

void printFigure(const Figure& figure) {
    std::printf("| %s | %s | %s | %s | %.2fx | %s | %s |\n", figure.benchmark.c_str(),
                figure.engine.c_str(), figure.program.describe(figure.unit).c_str(),
                figure.floor.describe(figure.unit).c_str(),
                figure.program.figure() / figure.floor.figure(), figure.target.c_str(),
                figure.met.c_str());
    std::fflush(stdout);
}

std::string verdict(bool met) {
    return met ? "yes" : "**no**";
}
