#pragma once

// The thirteen tables an import copies from a turn results file, in the order the import
// handles them, with the fields copied; and the tables read from the old program's database. Shared
// by the store's schema, the import and the turn results reader worker; plain C++ so the worker
// needs nothing else.

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
// The old program's database: its register of empires and their orders, then the imported
// tables as a turn results file holds them.
inline constexpr Field kOldEmpires[] = {
    {"EmpireID", WholeNumber}, {"EmpireName", Text}, {"Password", Text}};
inline constexpr Field kOldOrders[] = {{"EmpireID", WholeNumber},
                                       {"Priority", WholeNumber},
                                       {"OrderCode", Text},
                                       {"i1", Text},
                                       {"i2", Text},
                                       {"i3", Text},
                                       {"i4", Text},
                                       {"i5", Text},
                                       {"i6", Text},
                                       {"i7", Text},
                                       {"i8", Text},
                                       {"i9", Text},
                                       {"i10", Text},
                                       {"i11", Text},
                                       {"i12", Text},
                                       {"i13", Text},
                                       {"i14", Text},
                                       {"i15", Text},
                                       {"i16", Text},
                                       {"i17", Text},
                                       {"i18", Text},
                                       {"i19", Text},
                                       {"i20", Text},
                                       {"i21", Text},
                                       {"i22", Text},
                                       {"i23", Text},
                                       {"i24", Text},
                                       {"i25", Text},
                                       {"i26", Text},
                                       {"i27", Text},
                                       {"i28", Text},
                                       {"i29", Text},
                                       {"i30", Text},
                                       {"i31", Text},
                                       {"i32", Text},
                                       {"i33", Text},
                                       {"i34", Text},
                                       {"i35", Text},
                                       {"i36", Text},
                                       {"i37", Text},
                                       {"i38", Text},
                                       {"i39", Text},
                                       {"i40", Text},
                                       {"i41", Text},
                                       {"i42", Text},
                                       {"i43", Text},
                                       {"i44", Text},
                                       {"i45", Text},
                                       {"i46", Text},
                                       {"i47", Text},
                                       {"i48", Text},
                                       {"i49", Text},
                                       {"i50", Text},
                                       {"i51", Text}};
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

inline constexpr std::array<Table, 15> kOldDatabaseTables = {{
    {"Empires", detail::kOldEmpires},
    {"Orders", detail::kOldOrders},
    kImportedTables[0],
    kImportedTables[1],
    kImportedTables[2],
    kImportedTables[3],
    kImportedTables[4],
    kImportedTables[5],
    kImportedTables[6],
    kImportedTables[7],
    kImportedTables[8],
    kImportedTables[9],
    kImportedTables[10],
    kImportedTables[11],
    kImportedTables[12],
}};

// The fourteenth table a turn results file must hold; none of its rows is read.
inline constexpr std::string_view kEmpiresTable = "Empires";
inline constexpr std::string_view kEmpiresIndex = "PrimaryKey";

} // namespace vf::turnfile
