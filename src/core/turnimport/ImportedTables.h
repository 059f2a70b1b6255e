#pragma once

// The thirteen tables an import copies from a turn results file, in the order the import
// handles them, with the fields copied. Shared by the store's schema, the import and the
// turn results reader worker; plain C++ so the worker needs nothing else.

#include <array>
#include <span>
#include <string_view>

namespace vf::turnfile {

enum class FieldKind {
    WholeNumber, // EmpireID and the record identifiers: stored as integers
    Text,        // names: stored as text, numbers in plain decimal
};

struct Field {
    std::string_view name;
    FieldKind kind;
};

struct Table {
    std::string_view name;
    std::span<const Field> fields;
};

namespace detail {
using enum FieldKind;
inline constexpr Field kArmies[] = {
    {"EmpireID", WholeNumber}, {"ArmyID", WholeNumber}, {"ArmyName", Text}};
inline constexpr Field kConvoyRoutes[] = {{"EmpireID", WholeNumber}, {"ConvoyRouteName", Text}};
inline constexpr Field kFleets[] = {
    {"EmpireID", WholeNumber}, {"FleetID", WholeNumber}, {"FleetName", Text}};
inline constexpr Field kBattlePlans[] = {{"EmpireID", WholeNumber}, {"ForceBattlePlan", Text}};
inline constexpr Field kInstallations[] = {{"EmpireID", WholeNumber}, {"InstallationName", Text}};
inline constexpr Field kItems[] = {{"EmpireID", WholeNumber}, {"ItemName", Text}};
inline constexpr Field kCommanders[] = {{"EmpireID", WholeNumber},
                                        {"CommanderRank", Text},
                                        {"CommanderName", Text},
                                        {"CommanderID", WholeNumber}};
inline constexpr Field kOrbitalLocations[] = {
    {"EmpireID", WholeNumber}, {"StarName", Text}, {"OrbitalLocation", Text}};
inline constexpr Field kPopulationGroups[] = {{"EmpireID", WholeNumber},
                                              {"PopulationGroupID", WholeNumber},
                                              {"SystemName", Text},
                                              {"OrbitalLocation", Text}};
inline constexpr Field kResearchableItems[] = {{"EmpireID", WholeNumber}, {"ItemName", Text}};
inline constexpr Field kShipClasses[] = {{"EmpireID", WholeNumber}, {"ShipClass", Text}};
inline constexpr Field kSystemNames[] = {{"EmpireID", WholeNumber}, {"StarName", Text}};
inline constexpr Field kWarpPoints[] = {{"EmpireID", WholeNumber},
                                        {"StarName", Text},
                                        {"DestinationStarName", Text},
                                        {"WarpPointID", WholeNumber}};
} // namespace detail

inline constexpr std::array<Table, 13> kImportedTables = {{
    {"Armies", detail::kArmies},
    {"Convoy Routes", detail::kConvoyRoutes},
    {"Fleets", detail::kFleets},
    {"Force Battle Plans", detail::kBattlePlans},
    {"Installations", detail::kInstallations},
    {"Items", detail::kItems},
    {"Legendary Commanders", detail::kCommanders},
    {"Orbital Locations", detail::kOrbitalLocations},
    {"Population Groups", detail::kPopulationGroups},
    {"Researchable Items", detail::kResearchableItems},
    {"Ship Classes", detail::kShipClasses},
    {"System Names", detail::kSystemNames},
    {"Warp Points", detail::kWarpPoints},
}};

// The fourteenth table a turn results file must hold; none of its rows is read.
inline constexpr std::string_view kEmpiresTable = "Empires";
inline constexpr std::string_view kEmpiresIndex = "PrimaryKey";

} // namespace vf::turnfile
