#pragma once

#include <string>
#include <vector>

// Repeated measurements of one figure. On a machine shared with other work the fastest sample
// is the one least disturbed, so it is the figure; the median shows how much the rest were.
struct Samples {
    std::vector<double> values;

    void add(double value) { values.push_back(value); }
    // Each throws std::logic_error when there is no sample.
    double figure() const;
    double median() const;
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
