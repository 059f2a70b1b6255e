#pragma once

#include <QStringList>

namespace vf::vocabulary {

// The game's fixed word lists, each in the order the entry boxes offer it.
const QStringList& governmentTypes();
const QStringList& designTypes();
const QStringList& moonLetters();
const QStringList& battleFormations();
const QStringList& rulesOfEngagement();
const QStringList& targetTypes();
const QStringList& offensiveCombatOrders();
const QStringList& diplomaticAgreements();
const QStringList& imperialTraditions();
const QStringList& missionClasses();
const QStringList& standingDefenceOrders();
const QStringList& diplomacyOptions();
const QStringList& fighterOperations();
const QStringList& droneOperations();
const QStringList& yesOrNo();
const QStringList& deploymentLocations();
const QStringList& divisionTypes();

} // namespace vf::vocabulary
