#include "SlotFocusRules.h"

#include "CodeSets.h"
#include "NumberReading.h"
#include "OrderForm.h"
#include "TurnData.h"
#include "Vocabularies.h"

#include <deque>
#include <optional>

namespace vf {

namespace {

// One list after the other. Either alone is shared, not copied; a join of a few words and a
// list of the turn data is kept for the next order that asks for it: a large empire's thousands
// of fleets and items are offered again and again while its orders are checked.
ChoiceList joined(const ChoiceList& first, const ChoiceList& second)
{
    if (first.isEmpty())
        return second;
    if (second.isEmpty())
        return first;
    struct Join {
        ChoiceList first;
        ChoiceList second;
        ChoiceList both;
    };
    constexpr std::size_t kKept = 8;
    thread_local std::deque<Join> kept;
    // The same list: sharing its entries (the kept copy keeps them from being reused), or a few
    // words alike.
    const auto same = [](const ChoiceList& a, const ChoiceList& b) {
        constexpr qsizetype kFewWords = 8;
        return a.size() == b.size() &&
               (a.constData() == b.constData() || (a.size() <= kFewWords && a == b));
    };
    for (const Join& join : kept) {
        if (same(join.first, first) && same(join.second, second))
            return join.both;
    }
    if (kept.size() == kKept)
        kept.pop_front();
    kept.push_back({first, second, first + second});
    return kept.back().both;
}

ChoiceList words(std::initializer_list<const char*> list)
{
    ChoiceList choices;
    for (const char* word : list)
        choices.append({QString::fromLatin1(word), std::nullopt});
    return choices;
}

} // namespace

// Each source of the turn data, read at most once per focus event.
class SlotFocusRules::Sources {
public:
    explicit Sources(const TurnData& data)
        : m_data(data)
    {
    }
    const ChoiceList& fleets() { return once(m_fleets, &TurnData::fleets); }
    const ChoiceList& items() { return once(m_items, &TurnData::items); }
    const ChoiceList& commanders() { return once(m_commanders, &TurnData::commanders); }
    const ChoiceList& populationGroups() { return once(m_groups, &TurnData::populationGroups); }
    const ChoiceList& shipClasses() { return once(m_classes, &TurnData::shipClasses); }
    const ChoiceList& researchableItems() { return once(m_research, &TurnData::researchableItems); }
    ChoiceList starNames() { return m_data.starNames(); }
    ChoiceList installations() { return m_data.installations(); }
    ChoiceList armies() { return m_data.armies(); }
    ChoiceList battlePlans() { return m_data.battlePlans(); }
    ChoiceList convoyRoutes() { return m_data.convoyRoutes(); }
    ChoiceList warpPointsOf(const QString& star) { return m_data.warpPointsOf(star); }
    ChoiceList orbitalLocationsOf(const QString& star) { return m_data.orbitalLocationsOf(star); }

private:
    const ChoiceList& once(std::optional<ChoiceList>& slot, ChoiceList (TurnData::*read)() const)
    {
        if (!slot)
            slot = (m_data.*read)();
        return *slot;
    }
    const TurnData& m_data;
    std::optional<ChoiceList> m_fleets, m_items, m_commanders, m_groups, m_classes, m_research;
};

void SlotFocusRules::onSlotFocus(int slot)
{
    Sources sources(m_turnData);
    const QString code = m_form.code();
    if (code == QLatin1String("SRP"))
        m_form.setChoices(slot, sources.researchableItems());
    switch (slot) {
    case 1:
        slot1(code, sources);
        break;
    case 2:
        slot2(code, sources);
        break;
    case 3:
        slot3(code, sources);
        break;
    case 4:
        slot4(code, sources);
        break;
    case 5:
        slot5(code, sources);
        break;
    default:
        laterSlot(slot, code, sources);
        break;
    }
}

void SlotFocusRules::setTextSelected(int slot, const QString& text)
{
    m_form.setSlotText(slot, text);
    m_form.selectText(slot, static_cast<int>(text.size()));
}

void SlotFocusRules::fillOdd(int from, int to, const ChoiceList& list)
{
    for (int slot = from; slot <= to; slot += 2)
        m_form.setChoices(slot, list);
}

// Slots 3 to 49 (odd) get the items, slot 3 with its special values first; slots 4 to 50
// (even) the single entry EXCLUDE.
void SlotFocusRules::cargoLists(const ChoiceList& slot3Head, Sources& sources)
{
    const ChoiceList& items = sources.items();
    m_form.setChoices(3, joined(slot3Head, items));
    fillOdd(5, 49, items);
    const ChoiceList exclude = words({"EXCLUDE"});
    for (int slot = 4; slot <= 50; slot += 2)
        m_form.setChoices(slot, exclude);
}

void SlotFocusRules::slot1(const QString& code, Sources& sources)
{
    m_form.clearSlot(1);
    if (isOneOf(code,
                {"NM",   "DIP",   "COLB", "DECF",  "NENC", "EXPL",  "GEO",   "LFE",  "MOVE", "NEWF",
                 "ORB",  "PMAP",  "SKIM", "XSKIM", "RN",   "SCUT",  "SUPP",  "SS",   "WARP", "SURV",
                 "SENS", "XEXPL", "XLFE", "XMOVE", "XNM",  "XSENS", "XWARP", "CONV", "FUEL"})) {
        m_form.clearSlot(3);
        ChoiceList head;
        if (code == QLatin1String("DECF"))
            head = words({"ALL", "HOME"});
        else if (code == QLatin1String("NENC"))
            head = words({"CHANGE ALL"});
        m_form.setChoices(1, joined(head, sources.fleets()));
    } else if (code == QLatin1String("REVO")) {
        m_form.setChoices(1, choicesOf(vocabulary::governmentTypes()));
    } else if (isOneOf(code, {"CNVR", "ECNV"})) {
        m_form.setChoices(1, sources.convoyRoutes());
    } else if (code == QLatin1String("INST")) {
        m_form.setChoices(1, sources.installations());
    } else if (isOneOf(code, {"DD", "ED"})) {
        m_form.setChoices(1, sources.shipClasses());
    } else if (isOneOf(code, {"RA", "ABP", "GATK", "TAC", "EAF", "DGF"})) {
        m_form.setChoices(1, sources.armies());
    } else if (isOneOf(code, {"FOB", "CSV"})) {
        m_form.setChoices(1, sources.fleets());
    } else if (isOneOf(code, {"CTRN", "DIV", "XCTRN", "LC", "NEWA", "XLC"})) {
        m_form.setChoices(1, sources.populationGroups());
    } else if (isOneOf(code, {"AC", "EXIL"})) {
        m_form.setChoices(1, sources.commanders());
    } else if (code == QLatin1String("NUD")) {
        m_form.setChoices(1, choicesOf(vocabulary::designTypes()));
    } else if (isOneOf(code, {"FORM", "NFBP"})) {
        m_form.setChoices(1, sources.battlePlans());
    } else if (code == QLatin1String("ANZ")) {
        m_form.setChoices(1, joined(sources.items(), sources.researchableItems()));
    } else if (code == QLatin1String("NAME")) {
        fillOdd(1, 9, sources.commanders());
    } else if (code == QLatin1String("FNAM")) {
        fillOdd(1, 9, sources.fleets());
    } else if (isOneOf(code, {"BOMB", "XBOMB"})) {
        m_form.setChoices(1, sources.fleets());
        fillOdd(3, 49, sources.items());
    } else if (isOneOf(code, {"TR", "XTR"})) {
        m_form.setChoices(1, sources.populationGroups());
        fillOdd(3, 49, sources.items());
    } else if (isOneOf(code, {"OC", "XOC"})) {
        m_form.setChoices(1, sources.fleets());
        cargoLists(words({"ALL", "ALL NO FUEL", "GLOBAL EXCLUDE"}), sources);
    } else if (code == QLatin1String("JETT")) {
        m_form.setChoices(1, sources.fleets());
        m_form.setChoices(2, sources.items());
    } else if (code == QLatin1String("SRP")) {
        for (int slot = 1; slot <= 25; ++slot)
            m_form.setChoices(slot, sources.researchableItems());
    } else if (code == QLatin1String("SHIP")) {
        setTextSelected(1, QStringLiteral("1"));
    } else if (code == QLatin1String("EB")) {
        setTextSelected(1, QStringLiteral("0"));
    }
}

void SlotFocusRules::slot2(const QString& code, Sources& sources)
{
    if (isOneOf(code, {"NM", "MOVE", "XMOVE", "XNM"})) {
        m_form.clearSlot(3);
        m_form.setChoices(2, sources.starNames());
    } else if (code == QLatin1String("REVO")) {
        m_form.setChoices(2, choicesOf(vocabulary::governmentTypes()));
    } else if (code == QLatin1String("CONV")) {
        m_form.setChoices(2, joined(words({"NONE"}), sources.convoyRoutes()));
    } else if (code == QLatin1String("ECNV")) {
        m_form.setChoices(2, words({"CLEAR ALL"}));
    } else if (code == QLatin1String("ABP")) {
        m_form.setChoices(2, choicesOf(vocabulary::offensiveCombatOrders()));
    } else if (code == QLatin1String("AC")) {
        m_form.setChoices(2, choicesOf(vocabulary::targetTypes()));
    } else if (code == QLatin1String("BI")) {
        m_form.setChoices(2, sources.items());
    } else if (code == QLatin1String("EB")) {
        m_form.setChoices(2, joined(sources.items(), words({"CLEAR ALL"})));
    } else if (isOneOf(code, {"SHIP", "XSHIP", "SCRP"})) {
        m_form.setChoices(2, sources.shipClasses());
    } else if (isOneOf(code, {"CON", "DISM"})) {
        m_form.setChoices(2, joined(sources.installations(), words({"Shipyard Slip"})));
    } else if (code == QLatin1String("NENC")) {
        nencSlot2(sources);
    } else if (code == QLatin1String("FORM")) {
        m_form.setChoices(2, choicesOf(vocabulary::battleFormations()));
    } else if (isOneOf(code, {"GEO", "ORB", "PMAP"})) {
        m_form.setChoices(2, choicesOf(vocabulary::moonLetters()));
        setTextSelected(2, QStringLiteral("0"));
    } else if (isOneOf(code, {"CSV", "DIP"})) {
        m_form.setChoices(2, sources.populationGroups());
    } else if (code == QLatin1String("PAP")) {
        m_form.setChoices(2, choicesOf(vocabulary::diplomaticAgreements()));
        setTextSelected(2, QStringLiteral("No Agreement"));
    } else if (isOneOf(code, {"NAME", "FNAM"})) {
        m_form.clearSlot(2);
    } else if (code == QLatin1String("EAF")) {
        m_form.setChoices(2, sources.fleets());
    } else if (isOneOf(code, {"RA", "DIV"})) {
        m_form.setChoices(2, sources.armies());
    } else if (isOneOf(code, {"RN", "SCUT"})) {
        m_form.setChoices(2, sources.fleets());
    } else if (isOneOf(code, {"LC", "XLC", "FUEL"})) {
        m_form.setChoices(2, sources.fleets());
        cargoLists(words({"ALL", "GLOBAL EXCLUDE"}), sources);
    } else if (isOneOf(code, {"OC", "TR", "XOC", "XTR"})) {
        m_form.setChoices(2, sources.populationGroups());
    } else if (isOneOf(code, {"BOMB", "XBOMB"})) {
        m_form.setChoices(2, words({"ALL"}));
    }
}

void SlotFocusRules::nencSlot2(Sources& sources)
{
    const QString fleet = m_form.slotText(1);
    if (fleet.toUpper() == QLatin1String("CHANGE ALL") || leadingNumber(fleet) == 0) {
        m_form.setPrompt(2, QStringLiteral("Force Battle Plan (from)"));
        m_form.setPrompt(3, QStringLiteral("Force Battle Plan (to)"));
        m_form.setChoices(2, sources.battlePlans());
    } else {
        m_form.setPrompt(2, QStringLiteral("Rules of Engagement (ROE)"));
        m_form.setPrompt(3, QStringLiteral("Force Battle Plan"));
        m_form.setChoices(2, choicesOf(vocabulary::rulesOfEngagement()));
    }
}

void SlotFocusRules::slot3(const QString& code, Sources& sources)
{
    if (code == QLatin1String("FUEL")) {
        m_form.setChoices(3, words({"SPLIT"}));
        setTextSelected(3, QStringLiteral("SPLIT"));
    } else if (code == QLatin1String("REVO")) {
        m_form.setChoices(3, choicesOf(vocabulary::imperialTraditions()));
    } else if (code == QLatin1String("CONV")) {
        setTextSelected(3, QStringLiteral("0"));
    } else if (isOneOf(code, {"NM", "XNM"})) {
        m_form.setChoices(3, sources.orbitalLocationsOf(m_form.slotText(2)));
        setTextSelected(3, QStringLiteral("1"));
    } else if (isOneOf(code, {"MOVE", "XMOVE"})) {
        m_form.setChoices(3, sources.warpPointsOf(m_form.slotText(2)));
    } else if (code == QLatin1String("DIP")) {
        m_form.setChoices(3, choicesOf(vocabulary::diplomacyOptions()));
    } else if (code == QLatin1String("ABP")) {
        m_form.setChoices(3, choicesOf(vocabulary::standingDefenceOrders()));
    } else if (code == QLatin1String("NUD")) {
        m_form.setChoices(3, choicesOf(vocabulary::missionClasses()));
        for (int slot = 4; slot <= 50; slot += 2)
            m_form.setChoices(slot, sources.items());
    } else if (code == QLatin1String("AC")) {
        acSlot3(sources);
    } else if (isOneOf(code, {"BI", "EB", "SHIP", "XSHIP", "CON", "DISM"})) {
        m_form.setChoices(3, sources.populationGroups());
    } else if (code == QLatin1String("SCRP")) {
        m_form.setChoices(3, sources.fleets());
    } else if (code == QLatin1String("NENC")) {
        m_form.setChoices(3, sources.battlePlans());
    } else if (code == QLatin1String("FORM")) {
        m_form.setChoices(3, choicesOf(vocabulary::deploymentLocations()));
    } else if (isOneOf(code, {"RA", "DIV"})) {
        m_form.setChoices(3, joined(words({"ALL"}), choicesOf(vocabulary::divisionTypes())));
    } else if (isOneOf(code, {"RN", "SCUT"})) {
        m_form.setChoices(3, joined(words({"ALL"}), sources.shipClasses()));
    }
}

void SlotFocusRules::acSlot3(Sources& sources)
{
    m_form.clearSlot(3);
    const QString target = m_form.slotText(2);
    if (target == QLatin1String("Army") || target == QLatin1String("Fleet")) {
        m_form.setPrompt(3, target + QStringLiteral(" ID #"));
        m_form.setPromptVisible(4, false);
        m_form.setSlotVisible(4, false);
    } else if (target == QLatin1String("World")) {
        m_form.setPromptVisible(4, true);
        m_form.setSlotVisible(4, true);
        m_form.setPrompt(3, QStringLiteral("System Name"));
        m_form.setChoices(3, sources.starNames());
    }
}

void SlotFocusRules::slot4(const QString& code, Sources& sources)
{
    if (code == QLatin1String("AC"))
        m_form.setChoices(4, sources.orbitalLocationsOf(m_form.slotText(3)));
    else if (code == QLatin1String("FORM"))
        m_form.setChoices(4, choicesOf(vocabulary::fighterOperations()));
    else if (code == QLatin1String("SCRP"))
        m_form.setChoices(4, sources.populationGroups());
}

void SlotFocusRules::slot5(const QString& code, Sources& sources)
{
    if (isOneOf(code, {"BI", "EB"})) {
        m_form.setChoices(5, choicesOf(vocabulary::yesOrNo()));
    } else if (isOneOf(code, {"SHIP", "XSHIP"})) {
        m_form.setChoices(5, sources.fleets());
        setTextSelected(5, QStringLiteral("1001"));
    } else if (code == QLatin1String("FORM")) {
        m_form.setChoices(5, choicesOf(vocabulary::droneOperations()));
    } else if (isOneOf(code, {"RA", "DIV"})) {
        m_form.setChoices(5, choicesOf(vocabulary::divisionTypes()));
    } else if (isOneOf(code, {"RN", "SCUT"})) {
        m_form.setChoices(5, sources.shipClasses());
    }
}

void SlotFocusRules::laterSlot(int slot, const QString& code, Sources& sources)
{
    const bool odd = slot % 2 == 1;
    if (isOneOf(code, {"RN", "SCUT"}) && odd)
        m_form.setChoices(slot, sources.shipClasses());
    if (code == QLatin1String("RN"))
        m_form.setChoices(50, words({"FUEL"}));
    if (isOneOf(code, {"RA", "DIV"}) && odd)
        m_form.setChoices(slot, choicesOf(vocabulary::divisionTypes()));
}

} // namespace vf
