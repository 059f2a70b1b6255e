#pragma once

// The thirteen tables an import copies from a turn results file, in the order the import
// handles them, with the fields copied; and the tables read from the old program's database. Shared
// by the store's schema, the import and the turn results reader; plain C++ so the reader
// needs nothing else.

#include <array>
#include <span>
#include <string_view>

namespace vf::reader {

enum class FieldKind {
    WholeNumber, // EmpireID and the record identifiers: stored as integers
    Text,        // names: stored as text, numbers in plain decimal; a name must be plausible
                 // (see isPlausibleName)
    AnyText,     // what a player typed (the old program's orders): stored as it is
};

struct Field {
    std::string_view name;
    FieldKind kind;
};

struct Table {
    std::string_view name;
    std::span<const Field> fields;
    // A row without a value, or with an empty text, in any field is damage.
    bool everyValueRequired = false;
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
inline constexpr Field kOldOrders[] = {
    {"EmpireID", WholeNumber}, {"Priority", WholeNumber}, {"OrderCode", AnyText}, {"i1", AnyText},
    {"i2", AnyText},           {"i3", AnyText},           {"i4", AnyText},        {"i5", AnyText},
    {"i6", AnyText},           {"i7", AnyText},           {"i8", AnyText},        {"i9", AnyText},
    {"i10", AnyText},          {"i11", AnyText},          {"i12", AnyText},       {"i13", AnyText},
    {"i14", AnyText},          {"i15", AnyText},          {"i16", AnyText},       {"i17", AnyText},
    {"i18", AnyText},          {"i19", AnyText},          {"i20", AnyText},       {"i21", AnyText},
    {"i22", AnyText},          {"i23", AnyText},          {"i24", AnyText},       {"i25", AnyText},
    {"i26", AnyText},          {"i27", AnyText},          {"i28", AnyText},       {"i29", AnyText},
    {"i30", AnyText},          {"i31", AnyText},          {"i32", AnyText},       {"i33", AnyText},
    {"i34", AnyText},          {"i35", AnyText},          {"i36", AnyText},       {"i37", AnyText},
    {"i38", AnyText},          {"i39", AnyText},          {"i40", AnyText},       {"i41", AnyText},
    {"i42", AnyText},          {"i43", AnyText},          {"i44", AnyText},       {"i45", AnyText},
    {"i46", AnyText},          {"i47", AnyText},          {"i48", AnyText},       {"i49", AnyText},
    {"i50", AnyText},          {"i51", AnyText}};
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
    {"Empires", detail::kOldEmpires, true},
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

// Every table read begins with the empire number: the import keeps or leaves rows by it.
template <std::size_t N> constexpr bool empireIdComesFirst(const std::array<Table, N>& tables)
{
    for (const Table& table : tables) {
        if (table.fields[0].name != "EmpireID" || table.fields[0].kind != FieldKind::WholeNumber)
            return false;
    }
    return true;
}
static_assert(empireIdComesFirst(kImportedTables));
static_assert(empireIdComesFirst(kOldDatabaseTables));

// Whether a table is one of the thirteen imported ones.
constexpr bool isImportedTable(std::string_view name)
{
    for (const Table& table : kImportedTables) {
        if (table.name == name)
            return true;
    }
    return false;
}

// Each imported table keeps the further fields of a row (those the import does not copy into
// fields of their own) in one more field, their values joined by the unit separator; the
// names of those fields are kept with the import.
inline constexpr char kMoreField[] = "More";
inline constexpr char kMoreSeparator = '\x1f';

// The fourteenth table a turn results file must hold; none of its rows is read.
inline constexpr std::string_view kEmpiresTable = "Empires";
inline constexpr std::string_view kEmpiresIndex = "PrimaryKey";

} // namespace vf::reader
