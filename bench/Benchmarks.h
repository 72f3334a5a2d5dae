#pragma once

#include "BenchProgram.h"

// The commands of zelkarin_bench; each prints its rows of BENCHMARKS.md's tables.
void measureLogin(const BenchOptions& options);
void loginFloorChild(const BenchOptions& options);
void measurePeriodSwitch(const BenchOptions& options);
void measureStartUp(const BenchOptions& options);
void explainGroupedStatements(const BenchOptions& options);
