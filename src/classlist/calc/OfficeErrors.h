#pragma once

#include "Error.h"

#include <com/sun/star/uno/Exception.hpp>

#include <chrono>

// The office's failures as the member reads them.

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
