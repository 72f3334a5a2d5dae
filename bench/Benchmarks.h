#pragma once

#include "BenchOptions.h"

// The commands of zelkarin_bench; each prints its rows of the table that BENCHMARKS.md keeps.

// OK pressed -> main window filled and painted, the statements alone, and the memory then, on
// the program's side by zelkarin_bench_program; every sample is a process of its own.
void measureLogin(const BenchOptions& options);
// A sample of the login's floor, in a process of its own: the bare window of the start-up
// floor, then the program's statements through the engine's own client library.
int loginFloorChild(const BenchOptions& options, char* program);

// A period picked from the main window's list, in this process after one login.
void measurePeriodSwitch(const BenchOptions& options, char* program);

// Start of the program to the login window shown, and the memory then.
void measureStartUp(const BenchOptions& options);

// The query plans of the grouped teaching-load statements, written to --out, and their times.
void explainGroupedStatements(const BenchOptions& options);
