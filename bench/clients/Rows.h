#pragma once

#include <optional>
#include <string>
#include <vector>

// Every row of a result, each value copied out as text (nullopt for NULL), as the program's
// recordsets keep them.
using Rows = std::vector<std::vector<std::optional<std::string>>>;
