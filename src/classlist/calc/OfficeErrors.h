#pragma once

#include "Error.h"

#include <com/sun/star/uno/Exception.hpp>

#include <chrono>

// The office's failures as the member reads them.

// The runtime's numbers for the failures that have one of their own.
inline constexpr long subscriptOutOfRangeError = 9;
inline constexpr long applicationDefinedError = 1004;
// The runtime's "The message filter indicated that the application is busy" (0x8001010A): the
// office takes no calls, as one with a dialog open.
inline constexpr long applicationBusyError = -2147417846;

// The office did not start, or did not answer before it was ready (cannot create object).
zelkarin::Error startFailure(const QString& reason);
// The started office did not answer within limit of its start.
zelkarin::Error noAnswerAtStart(std::chrono::milliseconds limit);
// A call into the office had no answer within limit, and the connection to it was dropped.
zelkarin::Error notAnswering(std::chrono::milliseconds limit);
// The office that did not answer in time answers again, but refuses the new connection.
zelkarin::Error refusedAfterCutOff();
// The connection went down under a call, for instance because the office was closed.
zelkarin::Error connectionLost(const css::uno::Exception& e);

// The office's own text, or fallback when it gave none.
QString describe(const css::uno::Exception& e, const QString& fallback);
