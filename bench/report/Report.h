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

// One row of the table that scripts/run-benchmarks prints and BENCHMARKS.md keeps.
struct Figure {
    Figure(std::string benchmark, std::string engine, const char* unit = "ms")
        : benchmark(std::move(benchmark)), engine(std::move(engine)), unit(unit) {}

    std::string benchmark;
    std::string engine;
    Samples program; // the figure, measured through the program's own code
    Samples floor;   // the same work through the engine's or the office's own interface
    const char* unit;
    std::string target = "-"; // as the table states it
    std::string met = "-";    // whether it is, part by part where the target has parts
};

// "yes", or a "no" that stands out in the table.
std::string verdict(bool met);

// Prints the row: figure, floor, their ratio, the target and whether it is met.
void printFigure(const Figure& figure);
