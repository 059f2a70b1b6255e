#include "OrderCatalogue.h"

#include <QHash>

namespace vf::catalogue {

namespace {

QString itemPrompt(int pair)
{
    const QString arrow = pair <= 9 ? QStringLiteral("   ----------------------->")
                                    : QStringLiteral("   --------------------->");
    return QStringLiteral("      Item #") + QString::number(pair) + arrow;
}

// The 24 item pairs: "Item #i" with its arrow, then "Quantity #i".
QStringList itemPairs()
{
    QStringList prompts;
    for (int pair = 1; pair <= 24; ++pair)
        prompts << itemPrompt(pair) << QStringLiteral("Quantity #") + QString::number(pair);
    return prompts;
}

// Name pairs from slot 3: the first name prompt, then the later one numbered from 2.
QStringList namePairs(const QString& first, const QString& later)
{
    QStringList prompts{first, QStringLiteral("Quantity #1")};
    for (int pair = 2; pair <= 24; ++pair)
        prompts << later + QString::number(pair)
                << QStringLiteral("Quantity #") + QString::number(pair);
    return prompts;
}

QStringList numbered(const QStringList& pattern, int count)
{
    QStringList prompts;
    for (int i = 1; i <= count; ++i) {
        for (const QString& prompt : pattern)
            prompts << QString(prompt).replace(QStringLiteral("%n"), QString::number(i));
    }
    return prompts;
}

QStringList repeated(const QString& prompt, int count)
{
    QStringList prompts;
    for (int i = 0; i < count; ++i)
        prompts << prompt;
    return prompts;
}

using L = QStringList;

QList<CatalogueEntry> buildEntries()
{
    const QString divAll = QStringLiteral("Div Type (or the word ALL)");
    const QString divName = QStringLiteral("Division Name #");
    const QString shipAll = QStringLiteral("Ship Name (or the word ALL)");
    const QString shipName = QStringLiteral("Ship Name #");
    const QString moon = QStringLiteral("Moon (or a zero for planet)");
    QStringList rnPrompts = L{QStringLiteral("Fleet # From"), QStringLiteral("Fleet # To")} +
                            namePairs(shipAll, shipName);
    rnPrompts[49] = QStringLiteral("Quantity #24 (or FUEL)");
    QStringList srpPrompts;
    for (int k = 1; k <= 25; ++k)
        srpPrompts << QStringLiteral("Research Group # ") + QString::number(k);
    const QStringList build = {QStringLiteral("Quantity"), QStringLiteral("Item Name"),
                               QStringLiteral("Population Group #"),
                               QStringLiteral("Build Priority"),
                               QStringLiteral("Tooled? (Yes/No)")};

    auto e = [](const char* code, int layout, const char* description, QStringList prompts) {
        const QString c = QString::fromLatin1(code);
        return CatalogueEntry{
            c,      c, QString::fromLatin1(description), layout, static_cast<int>(prompts.size()),
            prompts};
    };
    return {
        e("ABP", 3,
          "ABP (Army Battle Plan), Army #, Offensive Combat Order, Standing Defense Order",
          {"Army #", "Offensive Combat Order", "Standing Defense Order"}),
        e("AC", 4,
          "AC (Assign Commander), Legendary Character #, Target Type, Target ID, Orbital Location "
          "(if target is a World)",
          {"Legendary Character #", "Target Type", "Target ID", "Orbital Location"}),
        e("ALLG", 1, "ALLG (Swear Allegiance), Empire # you wish to swear allegiance to",
          {"Empire # to swear to"}),
        e("ANZ", 1, "ANZ (Analyze Item), Item Name", {"Item Name"}),
        e("BALG", 1, "BALG (Break Allegiance), Empire #", {"Empire #"}),
        e("BI", 4, "BI (Build Item), Quantity, Item, Population Group #, Build Priority, Tooled",
          build),
        e("BOMB", 2,
          "BOMB (Orbital Bombardment), Fleet #, Population Group #, [Item, Quantity] x 24",
          L{"Fleet #", "Population Group #"} + itemPairs()),
        e("CNVR", 1, "CNVR (Convoy Route), Convoy Route Name", {"Convoy Route Name"}),
        e("COLB", 1, "COLB (Colonial Beacon), Fleet #", {"Fleet #"}),
        e("CON", 3, "CON (Construct Installation), Quantity, Installation, Population Group #",
          {"Quantity", "Installation", "Population Group #"}),
        e("CONV", 3,
          "CONV (Convoy Route), Fleet #, Convoy Route Name, Priority (Zero to start at beginning)",
          {"Fleet #", "Convoy Route Name", "Priority"}),
        e("CSV", 2, "CSV (Colonial Attrition Survey), Fleet #, Population Group #",
          {"Fleet #", "Pop Group #"}),
        e("CTRN", 2, "CTRN (Colonist Training), Population Group #, Quantity",
          {"Pop Group #", "Quantity"}),
        e("DD", 1, "DD (Design Details), Ship Design Name", {"Ship Design Name"}),
        e("DECF", 1, "DECF (Decommission Fleet), Fleet #", {"Fleet #"}),
        e("DELS", 4, "DELS (Delete Standing Orders), [Standing Order Priority] x 5",
          repeated(QStringLiteral("Standing Order Priority"), 5)),
        e("DGF", 1, "DGF (Disband Ground Force), Army #", {"Army #"}),
        e("DIP", 4,
          "DIP (Diplomacy), Fleet #, Population Group #, Diplomacy Option, Item, Quantity",
          {"Fleet #", "Population Group #", "Diplomacy Option", "Item", "Quantity"}),
        e("DISM", 3, "DISM (Dismantle Installation), Quantity, Installation, Population Group #",
          {"Quantity", "Installation", "Population Group #"}),
        e("DIV", 3,
          "DIV (Division Assignment), Pop Group #, Army #, [Division Type, #] x 24 (use ALL to "
          "xfer every Div)",
          L{"Pop Group #", "Army #"} + namePairs(divAll, divName)),
        e("EAF", 2, "EAF (Embark Army Force), Army #, Fleet #", {"Army #", "Fleet #"}),
        e("EB", 4, "EB (Edit Build), Quantity, Item (or CLEAR ALL), Pop Group #, Priority, Tooled",
          build),
        e("ECNV", 3,
          "ECNV (Edit Convoy Route), Convoy Route Name, Priority # to Edit, New Priority # (Zero "
          "to delete)",
          {"Convoy Route Name", "Priority #", "New Priority #"}),
        e("ED", 1, "ED (Eliminate Design), Ship Class", {"Ship Class"}),
        e("ESTA", 2, "ESTA (Edit Standing Order), [Priority # to Edit, New Priority #] x 5",
          numbered({QStringLiteral("Priority #%n"), QStringLiteral("New Priority #%n")}, 5)),
        e("EXIL", 1, "EXIL (Exile Leader), Character #", {"Character #"}),
        e("EXPL", 1, "EXPL (Exploration), Fleet #", {"Fleet #"}),
        e("FNAM", 2, "FNAM (Rename Fleets), [Fleet #, New Name] x 5",
          numbered({QStringLiteral("Fleet #%n"), QStringLiteral("New Name")}, 5)),
        e("FOB", 1, "FOB (Fleet Order of Battle), Fleet #", {"Fleet #"}),
        e("FORM", 4,
          "FORM (Formation Battle Plan), Formation Battle Plan, Battle Formation, Deployment "
          "Location, Fighter Operations Option, Drone Operations Option",
          {"Force Battle Plan", "Battle Formation", "Deployment Location",
           "Fighter Operations Option", "Drone Operations Option"}),
        e("FUEL", 3,
          "FUEL (Fuel Transfer), Fleet # From, Fleet # To, Fuel Transfer Quantity (or the keyword "
          "SPLIT)",
          {"Fleet # From", "Fleet # To", "Fuel Quantity"}),
        e("GATK", 1, "GATK (Ground Attack), Army #", {"Army #"}),
        e("GEO", 2,
          "GEO (Geological Survey), Fleet #, Moon (letter of moon, or a zero if mapping primary "
          "planet)",
          L{"Fleet #"} + L{moon}),
        e("INST", 1, "INST (Describe Installation), Installation", {"Installation"}),
        e("JETT", 2, "JETT (Jettison Cargo), Fleet #, Item Name, Quantity",
          {"Fleet #", "Item Name", "Quantity"}),
        e("LC", 2, "LC (Load Cargo), Population Group #, Fleet #, [Item, Quantity] x 24",
          L{"Population Group #", "Fleet #"} + itemPairs()),
        e("LFE", 1, "LFE (Life Fire Exercise), Fleet #", {"Fleet #"}),
        e("MESS", 2, "MESS (Send Message), Empire #, Message", {"Empire #", "Message"}),
        e("MOVE", 3, "MOVE (Move to Warp Point), Fleet #, System Name, Warp Point #",
          {"Fleet #", "System Name", "Warp Point #"}),
        e("NAME", 2, "NAME (Name Legendary Character), [Legendary Character #, New Name] x 5",
          numbered({QStringLiteral("Legendary Character #%n"), QStringLiteral("New Name")}, 5)),
        e("NENC", 3,
          "NENC (Naval Encounter Plan), Fleet #, Rules of Engagement Option (ROE), Force Battle "
          "Plan",
          {"Fleet #", "Rules of Engagement (ROE)", "Force Battle Plan"}),
        e("NEWA", 3, "NEWA (New Army), Population Group #, New Army ID #, New Army Name",
          {"Population Group #", "New Army ID #", "New Army Name"}),
        e("NEWF", 3, "NEWF (New Fleet), Fleet #, New Fleet #, New Fleet Name",
          {"Fleet #", "New Fleet #", "New Fleet Name"}),
        e("NFBP", 2,
          "NFBP (New Force Battle Plan), Force Battle Plan to copy from, New Force Battle Plan "
          "Name",
          {"FBP to copy from", "New FBP Name"}),
        e("NM", 3, "NM (Naval Movement), Fleet #, System Name, Orbital Location",
          {"Fleet #", "System Name", "Orbital Location"}),
        e("NUD", 3,
          "NUD (Naval Unit Design), Design Type, Design Name, Mission Class, [Item, Quantity] x 24",
          L{"Design Type", "Design Name", "Mission Class"} + itemPairs()),
        e("OC", 2, "OC (Offload Cargo), Fleet #, Population Group #, [Item, Quantity] x 24",
          L{"Fleet #", "Population Group #"} + itemPairs()),
        e("ORB", 2,
          "ORB (Orbital Reconnaissance), Fleet #, Moon (letter of moon, or a zero if mapping "
          "primary planet)",
          L{"Fleet #"} + L{moon}),
        e("PAP", 2, "PAP (Political Action Proposal), Empire #, Diplomatic Agreement",
          {"Empire #", "Diplomatic Agreement"}),
        e("PMAP", 2,
          "PMAP (Planet Map), Fleet #, Moon (letter of moon, or a zero if mapping primary planet)",
          L{"Fleet #"} + L{moon}),
        e("PRIV", 0,
          "PRIV (Privacy Option) [no entries needed--this is a toggle Yes/No from current setting]",
          {}),
        e("RA", 3,
          "RA (Reorganize Army), Army # From, Army # To, [Division Type, #] x 24 (use ALL to xfer "
          "every Div)",
          L{"Army # From", "Army # To"} + namePairs(divAll, divName)),
        e("REA", 1, "REA (Request Empire Address), Empire #", {"Empire #"}),
        e("REVO", 3,
          "REVO (Instigate Revolution), Primary Govt, Secondary Govt, Tradition, Emperor Title",
          {"Primary Govt", "Secondary Govt", "Imperial Tradition", "Emperor Title"}),
        e("RN", 3,
          "RN (Reorganize Naval), Fleet # From, Fleet # To, [Ship Name, #] x 24 (use ALL to xfer "
          "every ship)",
          rnPrompts),
        e("RTD", 0, "RTD (Request Technology Descriptions)", {}),
        e("SCRP", 4, "SCRP (Scrap Ship), Quantity, Ship Class, Fleet #, Population Group #",
          {"Quantity", "Ship Class", "Fleet #", "Population Group #"}),
        e("SCUT", 0,
          "SCUT (Scuttle Ship), Fleet #, Fleet # (confirm), [Ship Name, #] x 24 (use ALL to "
          "scuttle every ship)",
          L{"Fleet #", "Fleet # (confirm)"} + namePairs(shipAll, shipName)),
        e("SENS", 1, "SENS (Sensor Sweep), Fleet #", {"Fleet #"}),
        e("SHIP", 4,
          "SHIP (Build Ship), Quantity, Ship Class, Population Group #, Build Priority, Assign to "
          "Fleet #",
          {"Quantity", "Ship Class", "Population Group #", "Build Priority", "Assign to Fleet #"}),
        e("SKIM", 1, "SKIM (Skim Gas Giant), Fleet #", {"Fleet #"}),
        e("SRP", 2, "SRP (Set Research Priority), Research Group # 1, ..., Research Group # 25",
          srpPrompts),
        e("SS", 1, "SS (System Scan), Fleet #", {"Fleet #"}),
        e("SUPP", 1, "SUPP (Resupply Duty), Fleet #", {"Fleet #"}),
        e("SURV", 1, "SURV (Warp Survey), Fleet #", {"Fleet #"}),
        e("TAC", 1, "TAC (Ground Force Tactical Ratings), Army #", {"Army #"}),
        e("TR", 2,
          "TR (Transfer Item), Population Group # From, Population Group # To, [Item, Quantity] x "
          "24",
          L{"Pop Group # From", "Pop Group # To"} + itemPairs()),
        e("TREE", 0, "TREE (Allegiance Tree)", {}),
        e("WARP", 1, "WARP (Warp Movement), Fleet #", {"Fleet #"}),
    };
}

const QStringList kXVariants = {
    QStringLiteral("BOMB"), QStringLiteral("CTRN"), QStringLiteral("EXPL"), QStringLiteral("LC"),
    QStringLiteral("LFE"),  QStringLiteral("MOVE"), QStringLiteral("NM"),   QStringLiteral("OC"),
    QStringLiteral("SENS"), QStringLiteral("SHIP"), QStringLiteral("SKIM"), QStringLiteral("TR"),
    QStringLiteral("WARP")};

struct Catalogue {
    QHash<QString, CatalogueEntry> entries;
    QStringList codes;

    Catalogue()
    {
        for (const CatalogueEntry& entry : buildEntries()) {
            entries.insert(entry.code, entry);
            codes << entry.code;
        }
        for (const QString& base : kXVariants) {
            CatalogueEntry variant = entries.value(base);
            variant.code = QLatin1Char('X') + base;
            entries.insert(variant.code, variant);
            codes << variant.code;
        }
    }
};

const Catalogue& instance()
{
    static const Catalogue catalogue;
    return catalogue;
}

} // namespace

const QStringList& chooserCodes()
{
    return instance().codes;
}

QString meaningOf(const QString& code)
{
    const CatalogueEntry* entry = find(code);
    if (!entry)
        return {};
    const qsizetype open = entry->description.indexOf(QLatin1String(" ("));
    const qsizetype close = entry->description.indexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return {};
    return entry->description.mid(open + 2, close - open - 2);
}

QStringList codesMeaning(const QString& word)
{
    QStringList codes;
    for (const QString& code : chooserCodes()) {
        if (meaningOf(code).contains(word, Qt::CaseInsensitive))
            codes << code;
    }
    return codes;
}

const CatalogueEntry* find(const QString& code)
{
    const auto& entries = instance().entries;
    const auto it = entries.constFind(code);
    return it == entries.constEnd() ? nullptr : &it.value();
}

QString slotName(const QString& prompt, int slot)
{
    QString name = prompt;
    const qsizetype dashes = name.indexOf(QStringLiteral("--"));
    if (dashes >= 0)
        name.truncate(dashes);
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("Slot %1").arg(slot) : name;
}

QString messageTemplates()
{
    return QStringLiteral("1  Greetings! Please contact me at your earliest convenience.  "
                          "<include email address>\r\n"
                          "2  You have entered <empire name> space. Leave immediately or face the "
                          "consequences.  <include email address>\r\n"
                          "3  Your forces have entered <empire name> territory. Extract them "
                          "immediately or they will be destroyed.");
}

} // namespace vf::catalogue
