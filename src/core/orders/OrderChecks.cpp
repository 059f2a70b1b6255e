#include "OrderChecks.h"

#include "CodeSets.h"
#include "NumberReading.h"

namespace vf {

namespace {

const QString kBreak = QStringLiteral("\r\n\r\n");

QList<int> range(int from, int to, int step)
{
    QList<int> slots;
    for (int slot = from; slot <= to; slot += step)
        slots << slot;
    return slots;
}

// The order's slots as the checks read them.
class Slots {
public:
    explicit Slots(const std::function<QString(int)>& text)
        : m_text(text)
    {
    }
    double num(int slot) const { return leadingNumber(m_text(slot)); }
    QString upper(int slot) const { return m_text(slot).toUpper(); }

private:
    const std::function<QString(int)>& m_text;
};

CheckFinding refusal(int slot, const char* sentence)
{
    return {CheckFinding::Kind::Refusal, slot, QString::fromLatin1(sentence), {}, {}};
}

// The refusing checks: the first that fires, if any.
std::optional<CheckFinding> firstRefusal(const QString& code, const Slots& s)
{
    if (code == QLatin1String("EB") && s.upper(2) == QLatin1String("CLEAR ALL") && s.num(3) < 1)
        return refusal(3, "You have forgotten to enter a Population Group # for an EB (Edit Build) "
                          "order with the CLEAR ALL option set.");
    if (isOneOf(code, {"BI", "EB", "CON", "DISM"}) && s.num(3) < 1)
        return refusal(3, "You have forgotten to enter a Population Group # for an EB (Edit "
                          "Build), BI (Build Item), CON (Construct Installation) or DISM "
                          "(Dismantle Installation) order.");
    if (isOneOf(code, {"SHIP", "XSHIP"}) && s.num(3) < 1)
        return refusal(3, "You have forgotten to enter a Population Group # for a SHIP (Build "
                          "Ship) order.");
    const char* transfer = "You have forgotten to enter a Population Group # for a TR (Transfer "
                           "Items) order.";
    if (isOneOf(code, {"TR", "XTR"}) && s.num(1) < 1)
        return refusal(1, transfer);
    if (isOneOf(code, {"TR", "XTR"}) && s.num(2) < 1)
        return refusal(2, transfer);
    if (code == QLatin1String("CTRN") && s.num(1) < 1)
        return refusal(1, "You have forgotten to enter a Population Group # for a CTRN (Colonist "
                          "Training) order.");
    if (isOneOf(code, {"LC", "XLC"}) && s.num(1) < 1)
        return refusal(1, "You have forgotten to enter a Population Group # for an LC (Load "
                          "Cargo) order.");
    if (isOneOf(code, {"OC", "XOC"}) && s.num(2) < 1)
        return refusal(2, "You have forgotten to enter a Population Group # for an OC (Offload "
                          "Cargo) order.");
    return std::nullopt;
}

void quantityAndTooledChecks(const QString& code, const Slots& s, QList<CheckFinding>& found)
{
    const QString one = QStringLiteral("I have entered 1 (one) as the Quantity for this order.");
    if (isOneOf(code, {"EB", "BI"}) && s.upper(5) != QLatin1String("YES") &&
        s.upper(5) != QLatin1String("NO"))
        found << CheckFinding{
            CheckFinding::Kind::Correction, 5,
            QStringLiteral("You have forgotten to enter a Tooled option for an EB (Edit Build) or "
                           "BI (Build Item) order."),
            QStringLiteral("I have entered NO as the Tooled option for this order."),
            QStringLiteral("No")};
    if (isOneOf(code, {"BI", "CON", "DISM"}) && s.num(1) < 1)
        found << CheckFinding{CheckFinding::Kind::Correction, 1,
                              QStringLiteral("You have forgotten to enter a Quantity for a BI "
                                             "(Build Item), CON (Construct Installation) or DISM "
                                             "(Dismantle Installation) order."),
                              one, QStringLiteral("1")};
    if (code == QLatin1String("CTRN") && s.num(2) < 1)
        found << CheckFinding{CheckFinding::Kind::Correction, 2,
                              QStringLiteral("You have forgotten to enter a Quantity for a CTRN "
                                             "(Colonist Training) order."),
                              one, QStringLiteral("1")};
}

void movementWarnings(const QString& code, const Slots& s, QList<CheckFinding>& found)
{
    if (isOneOf(code, {"MOVE", "XMOVE"}) && s.num(3) < 13)
        found << CheckFinding{
            CheckFinding::Kind::Warning, 3,
            QStringLiteral("You have entered an unusually low Warp Point number for a Move (Move "
                           "to Warp Point) order."),
            QStringLiteral("I have left this value alone, but am concerned that you might really "
                           "be interested in using a NM (Naval Movement) order to move a fleet to "
                           "a planet."),
            std::nullopt};
    if (isOneOf(code, {"NM", "XNM"}) && s.num(3) > 30)
        found << CheckFinding{
            CheckFinding::Kind::Warning, 3,
            QStringLiteral("You have entered an unusually high orbital location number for an NM "
                           "(Naval Movement) order."),
            QStringLiteral("I have left this value alone, but am concerned that you might really "
                           "be interested in using a MOVE (Move to Warp Point) order to move a "
                           "fleet to a warp point."),
            std::nullopt};
}

void allKeywordChecks(const QString& code, const Slots& s, QList<CheckFinding>& found)
{
    struct AllCheck {
        const char* code;
        const char* sentence;
        const char* replacement;
    };
    static const AllCheck allChecks[] = {
        {"RN",
         "You have entered the keyword ALL in a Quantity field for an RN (Reorganize Naval) "
         "order.  Use the ALL keyword here to transfer every ship in the 'from' fleet, but not as "
         "a substitute for a quantity related to a specific ship type.",
         "9999"},
        {"OC",
         "You have entered the keyword ALL in a Quantity field for an OC (Offload Cargo) order.",
         "9999999"},
        {"LC", "You have entered the keyword ALL in a Quantity field for a LC (Load Cargo) order.",
         "9999999"},
    };
    for (const AllCheck& check : allChecks) {
        if (code != QLatin1String(check.code))
            continue;
        for (int slot = 4; slot <= 50; slot += 2) {
            if (s.upper(slot) != QLatin1String("ALL"))
                continue;
            const QString replacement = QString::fromLatin1(check.replacement);
            found << CheckFinding{
                CheckFinding::Kind::Correction, slot, QString::fromLatin1(check.sentence),
                QStringLiteral("I have changed this entry to %1.").arg(replacement), replacement};
        }
    }
}

} // namespace

QString CheckFinding::message() const
{
    if (kind == Kind::Refusal)
        return QStringLiteral("<< WARNING >>") + kBreak + sentence + kBreak +
               QStringLiteral("This order WILL FAIL TO EXECUTE correctly even if you only have "
                              "one Population Group in the game.") +
               kBreak +
               QStringLiteral("This order will not be saved and should be re-entered with a "
                              "Population Group #.");
    return QStringLiteral("<< WARNING >>") + kBreak + sentence + kBreak + action + kBreak +
           QStringLiteral("This order has been saved, but you could delete and re-enter it by "
                          "using the Edit Order screen if you would like to make a change.");
}

QList<CheckFinding> plausibilityChecks(const QString& code,
                                       const std::function<QString(int)>& slotText)
{
    const QString upperCode = code.toUpper();
    const Slots s(slotText);
    if (const auto refused = firstRefusal(upperCode, s))
        return {*refused};
    QList<CheckFinding> found;
    quantityAndTooledChecks(upperCode, s, found);
    movementWarnings(upperCode, s, found);
    allKeywordChecks(upperCode, s, found);
    return found;
}

QList<int> slotsConverted(const QString& c)
{
    if (c == QLatin1String("????"))
        return range(2, 50, 2);
    if (isOneOf(c, {"RN", "RA", "SCUT", "TR", "LC", "OC", "XLC", "XOC", "EAF", "CSV", "CTRN", "DIV",
                    "XCTRN", "XTR", "FUEL", "DIP"}))
        return {1, 2};
    if (isOneOf(c, {"CONV",  "COLB", "DGF",   "EXPL", "LFE",   "SUPP",  "SS",   "WARP", "SURV",
                    "GATK",  "SENS", "XEXPL", "XLFE", "XSENS", "XWARP", "SKIM", "ABP",  "BOMB",
                    "XBOMB", "GEO",  "ORB",   "PMAP", "XSKIM", "TAC",   "FOB",  "DECF", "NM",
                    "NENC",  "NEWF", "NEWA",  "XNM",  "JETT",  "AC",    "EXIL"}))
        return {1};
    if (isOneOf(c, {"NAME", "FNAM"}))
        return range(1, 9, 2);
    if (isOneOf(c, {"MOVE", "XMOVE"}))
        return {1, 3};
    if (isOneOf(c, {"CON", "BI", "EB", "DISM"}))
        return {3};
    if (isOneOf(c, {"SHIP", "XSHIP"}))
        return {3, 5};
    if (c == QLatin1String("SCRP"))
        return {3, 4, 5};
    return {};
}

} // namespace vf
