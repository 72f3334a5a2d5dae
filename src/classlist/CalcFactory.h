#pragma once

#include "CalcOptions.h"

class Spreadsheet;

// What the LibreOffice Calc module exports, under calcFactorySymbol. The factory connects to the
// office that an earlier call of this process started, when that one still answers, and starts a
// new one otherwise. The caller owns the result. Throws zelkarin::Error.
using CalcFactory = Spreadsheet* (*)(const CalcOptions* options);
inline constexpr char calcFactorySymbol[] = "zelkarin_create_calc";
