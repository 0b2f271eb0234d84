#pragma once

#include "engine/grid_compare.h"
#include "record/client_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace tw {

class CProfileSnapshot;
class CProfileStore;

// The grid's named scenarios in the profile, each in a section of its own that older
// builds skip and keep: [GridScenario1] to [GridScenario20], with the keys Name, Extra,
// Rate and Adjust. A month list is runs of months with one value, "13-360:200.00
// 400:50.00", months without a value left out. A deleted scenario leaves its section
// with an empty name, which the next save takes.
inline constexpr int kMaxGridScenarios = 20;
inline constexpr int kMaxScenarioNameLength = 60; // characters

std::vector<GridScenario> LoadGridScenarios(const CProfileSnapshot &profile);

// What is wrong with a scenario's name, "" when it can be used.
std::string CheckScenarioName(std::string_view name);
// The scenario of that name (ASCII case ignored), or nullptr.
const GridScenario *FindScenario(const std::vector<GridScenario> &scenarios, std::string_view name);

// Saves the inputs of `t` under `name` (trimmed), replacing a scenario of that name.
SaveStatus SaveGridScenario(CProfileStore &profile, std::string_view name, const GridTable &t);
SaveStatus DeleteGridScenario(CProfileStore &profile, std::string_view name);

} // namespace tw
