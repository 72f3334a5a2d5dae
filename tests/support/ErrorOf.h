#pragma once

#include "Error.h"

#include <optional>

// The error a call raised, or none when it returned. Any other exception escapes and fails the
// test; only Error.h is needed, so that tests linking no database code can use it too.
template <typename Call> std::optional<zelkarin::Error> errorOf(Call&& call) {
    try {
        call();
    } catch (const zelkarin::Error& error) {
        return error;
    }
    return std::nullopt;
}
