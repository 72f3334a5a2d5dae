#include "Report.h"

#include <cstdio>

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
