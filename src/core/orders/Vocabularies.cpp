#include "Vocabularies.h"

namespace vf::vocabulary {

#define VF_VOCABULARY(name, ...)                                                                   \
    const QStringList& name()                                                                      \
    {                                                                                              \
        static const QStringList words = {__VA_ARGS__};                                            \
        return words;                                                                              \
    }

VF_VOCABULARY(governmentTypes, "Autocracy", "Barbarism", "Bureaucracy", "Corporate State",
              "Democracy", "Dictatorship", "Federation", "Feudalism", "Hierarchy", "Imperium",
              "Militocracy", "Matriarchy", "Monarchy", "Oligarchy", "Piracy", "Plutocracy",
              "Republic", "Technocracy", "Theocracy", "Totalitarianism")
VF_VOCABULARY(designTypes, "Starship", "Orbital Installation", "Aquatic Fortress",
              "Subterranean Fortress", "Surface Fortress")
VF_VOCABULARY(moonLetters, "0", "a", "b", "c", "d", "e", "f", "g")
VF_VOCABULARY(battleFormations, "A", "B", "D", "E", "G", "H", "K", "L", "N", "O", "P", "S", "T",
              "V", "X", "Y", "Z")
VF_VOCABULARY(rulesOfEngagement, "Papa", "Quebec", "Romeo", "Sierra", "Tango", "Uniform", "Victor",
              "Whiskey", "X-Ray", "Yankee", "Zulu")
VF_VOCABULARY(targetTypes, "Army", "Fleet", "World")
VF_VOCABULARY(offensiveCombatOrders, "Aerial Bombardment", "Airmobile Assault",
              "Artillery Bombardment", "Encircle", "Frontal Assault", "Harassing Attack",
              "Living Wave Assault", "NBC Strike", "Reconnaissance In Force")
VF_VOCABULARY(diplomaticAgreements, "Strike From Records", "No Agreement", "Alliance", "Cease Fire",
              "Military Alliance", "Non-Aggression Pact", "Total Alliance", "Trade Pact", "War")
VF_VOCABULARY(imperialTraditions, "Administration", "Business", "Diplomacy", "Espionage",
              "Exploration", "Ground Combat", "Martial Arts", "Naval Combat", "Religion", "Science")
VF_VOCABULARY(missionClasses, "A (Assault)", "B (Battle Line)", "D (Drone)", "E (Escort)",
              "G (Missile)", "H (Heavy Screen)", "K (Orbital Command)", "L (Light Screen)",
              "N (Non Combatant)", "O (Auxiliary)", "P (PDC)", "S (Standoff)", "T (Transport)",
              "V (Carrier)", "X (Special #1)", "Y (Special #2)", "Z (Special #3)")
VF_VOCABULARY(standingDefenceOrders, "Counterattack", "Delaying Action", "Fortify",
              "Mobile Defense", "Nuclear Release", "Ready Reserve", "Stand and Defend", "Withdraw")
VF_VOCABULARY(diplomacyOptions, "Aggressive", "Alliance", "Break Agreement", "Cease Fire",
              "Declare War", "Demand Tribute", "Military Alliance", "Neutralize",
              "Non-Aggression Pact", "Peaceful", "Present Gifts", "Slander", "Subversion",
              "Total Alliance", "Trade Pact", "Ultimatum", "Union")
VF_VOCABULARY(fighterOperations, "Cover", "Deep Strike", "Forward Support", "Kamikaze Attack",
              "Kamikaze Cover", "No Launch", "Standard Attack")
VF_VOCABULARY(droneOperations, "Cover Attack", "Focused Attack", "No Launch", "Standard Attack")
VF_VOCABULARY(yesOrNo, "Yes", "No")
VF_VOCABULARY(deploymentLocations, "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12")
VF_VOCABULARY(
    divisionTypes, "Combat Engineer", "EW", "Fortress", "Guerrilla", "Imperial Army Air Force",
    "Imperial Army Armor", "Imperial Army Artillery", "Imperial Army Heavy Air Defense",
    "Imperial Army Heavy Armor", "Imperial Army Heavy Artillery", "Imperial Army Heavy Infantry",
    "Imperial Army Infantry", "Imperial Army Mechanized Infantry", "Imperial Army Special Forces",
    "Imperial Army Strategic Bomber", "Imperial Guards Air Force", "Imperial Guards Armor",
    "Imperial Guards Artillery", "Imperial Guards Heavy Air Defense", "Imperial Guards Heavy Armor",
    "Imperial Guards Heavy Artillery", "Imperial Guards Heavy Infantry", "Imperial Guards Infantry",
    "Imperial Guards Security", "Imperial Guards Special Forces",
    "Imperial Guards Strategic Bomber", "Imperial Marines Air Force", "Imperial Marines Armor",
    "Imperial Marines Heavy Infantry", "Imperial Marines Infantry", "Imperial Marines Raiders",
    "Imperial Marines Special Forces", "Intelligence", "Medical", "Militia", "Naval", "NBC",
    "Security", "Space Defense", "Special Religious", "Special Talent", "Transport")

#undef VF_VOCABULARY

} // namespace vf::vocabulary
