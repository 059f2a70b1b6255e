#include "OrderStorer.h"

#include "ChosenCode.h"
#include "CodeSets.h"
#include "NumberReading.h"
#include "OrderForm.h"
#include "store/OrderRepository.h"

#include <QList>

namespace vf {

namespace {

const QString kBreak = QStringLiteral("\r\n\r\n");

QString warning(const QString& sentence, const QString& action)
{
    return QStringLiteral("<< WARNING >>") + kBreak + sentence + kBreak + action + kBreak +
           QStringLiteral("This order has been saved, but you could delete and re-enter it by "
                          "using the Edit Order screen if you would like to make a change.");
}

QList<int> range(int from, int to, int step)
{
    QList<int> slots;
    for (int slot = from; slot <= to; slot += step)
        slots << slot;
    return slots;
}

// The slots whose picked entries become identifiers, by the code as typed.
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

} // namespace

OrderStorer::OrderStorer(OrderForm& form, const OrderRepository& orders, int empireId,
                         ShowMessage showMessage, Refresh refreshGrid)
    : m_form(form)
    , m_orders(orders)
    , m_empireId(empireId)
    , m_showMessage(std::move(showMessage))
    , m_refreshGrid(std::move(refreshGrid))
{
}

QString OrderStorer::refusal(const QString& sentence)
{
    return QStringLiteral("<< WARNING >>") + kBreak + sentence + kBreak +
           QStringLiteral("This order WILL FAIL TO EXECUTE correctly even if you only have one "
                          "Population Group in the game.") +
           kBreak +
           QStringLiteral("This order will not be saved and should be re-entered with a "
                          "Population Group #.");
}

double OrderStorer::num(int slot) const
{
    return leadingNumber(m_form.slotText(slot));
}

QString OrderStorer::upperSlot(int slot) const
{
    return m_form.slotText(slot).toUpper();
}

void OrderStorer::blankFill()
{
    if (m_form.code().isEmpty())
        m_form.setCode(QStringLiteral(" "));
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (m_form.slotText(slot).isEmpty())
            m_form.setSlotText(slot, QStringLiteral(" "));
    }
}

bool OrderStorer::refuses(const QString& code)
{
    const auto refuse = [this](const char* sentence) {
        m_showMessage(refusal(QString::fromLatin1(sentence)));
        return true;
    };
    if (code == QLatin1String("EB") && upperSlot(2) == QLatin1String("CLEAR ALL") && num(3) < 1)
        return refuse("You have forgotten to enter a Population Group # for an EB (Edit Build) "
                      "order with the CLEAR ALL option set.");
    if (isOneOf(code, {"BI", "EB", "CON", "DISM"}) && num(3) < 1)
        return refuse("You have forgotten to enter a Population Group # for an EB (Edit Build), "
                      "BI (Build Item), CON (Construct Installation) or DISM (Dismantle "
                      "Installation) order.");
    if (isOneOf(code, {"SHIP", "XSHIP"}) && num(3) < 1)
        return refuse("You have forgotten to enter a Population Group # for a SHIP (Build Ship) "
                      "order.");
    if (isOneOf(code, {"TR", "XTR"}) && (num(1) < 1 || num(2) < 1))
        return refuse("You have forgotten to enter a Population Group # for a TR (Transfer "
                      "Items) order.");
    if (code == QLatin1String("CTRN") && num(1) < 1)
        return refuse("You have forgotten to enter a Population Group # for a CTRN (Colonist "
                      "Training) order.");
    if (isOneOf(code, {"LC", "XLC"}) && num(1) < 1)
        return refuse("You have forgotten to enter a Population Group # for an LC (Load Cargo) "
                      "order.");
    if (isOneOf(code, {"OC", "XOC"}) && num(2) < 1)
        return refuse("You have forgotten to enter a Population Group # for an OC (Offload "
                      "Cargo) order.");
    return false;
}

void OrderStorer::correctAndWarn(const QString& code)
{
    const QString one = QStringLiteral("I have entered 1 (one) as the Quantity for this order.");
    if (isOneOf(code, {"EB", "BI"}) && upperSlot(5) != QLatin1String("YES") &&
        upperSlot(5) != QLatin1String("NO")) {
        m_showMessage(
            warning(QStringLiteral("You have forgotten to enter a Tooled option for an "
                                   "EB (Edit Build) or BI (Build Item) order."),
                    QStringLiteral("I have entered NO as the Tooled option for this order.")));
        m_form.setSlotText(5, QStringLiteral("No"));
    }
    if (isOneOf(code, {"BI", "CON", "DISM"}) && num(1) < 1) {
        m_showMessage(warning(QStringLiteral("You have forgotten to enter a Quantity for a BI "
                                             "(Build Item), CON (Construct Installation) or DISM "
                                             "(Dismantle Installation) order."),
                              one));
        m_form.setSlotText(1, QStringLiteral("1"));
    }
    if (code == QLatin1String("CTRN") && num(2) < 1) {
        m_showMessage(warning(QStringLiteral("You have forgotten to enter a Quantity for a CTRN "
                                             "(Colonist Training) order."),
                              one));
        m_form.setSlotText(2, QStringLiteral("1"));
    }
    if (isOneOf(code, {"MOVE", "XMOVE"}) && num(3) < 13)
        m_showMessage(warning(
            QStringLiteral("You have entered an unusually low Warp Point number for a Move (Move "
                           "to Warp Point) order."),
            QStringLiteral("I have left this value alone, but am concerned that you might really "
                           "be interested in using a NM (Naval Movement) order to move a fleet to "
                           "a planet.")));
    if (isOneOf(code, {"NM", "XNM"}) && num(3) > 30)
        m_showMessage(warning(
            QStringLiteral("You have entered an unusually high orbital location number for an NM "
                           "(Naval Movement) order."),
            QStringLiteral("I have left this value alone, but am concerned that you might really "
                           "be interested in using a MOVE (Move to Warp Point) order to move a "
                           "fleet to a warp point.")));
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
            if (upperSlot(slot) != QLatin1String("ALL"))
                continue;
            m_showMessage(warning(QString::fromLatin1(check.sentence),
                                  QStringLiteral("I have changed this entry to %1.")
                                      .arg(QLatin1String(check.replacement))));
            m_form.setSlotText(slot, QString::fromLatin1(check.replacement));
        }
    }
}

void OrderStorer::convertSlot(int slot)
{
    const int entry = m_form.selectedEntry(slot);
    if (entry < 0)
        return;
    m_form.setSlotText(slot, QString::number(m_form.choices(slot).at(entry).number.value_or(0)));
}

std::array<QString, kSlotCount> OrderStorer::convertedSlots() const
{
    const QString c = m_form.code();
    std::array<QString, kSlotCount> slots;
    for (int slot = 1; slot <= kSlotCount; ++slot)
        slots[slot - 1] = m_form.slotText(slot);
    for (int slot : slotsConverted(c)) {
        const int entry = m_form.selectedEntry(slot);
        if (entry < 0)
            continue;
        const QString upper = slots[slot - 1].toUpper();
        const bool keepWord = c == QLatin1String("DECF") && slot == 1 &&
                              (upper == QLatin1String("ALL") || upper == QLatin1String("HOME"));
        slots[slot - 1] =
            keepWord ? upper : QString::number(m_form.choices(slot).at(entry).number.value_or(0));
    }
    if (c == QLatin1String("NUD") && slots[2].size() > 1)
        slots[2] = slots[2].left(1);
    if (c == QLatin1String("NEWF") && slots[2] == QLatin1String(" "))
        slots[2] = QStringLiteral("Fleet ") + slots[1];
    if (c == QLatin1String("NEWA") && slots[2] == QLatin1String(" "))
        slots[2] = QStringLiteral("Army ") + slots[1];
    if (c == QLatin1String("MESS"))
        slots[2] = QStringLiteral(" ");
    return slots;
}

bool OrderStorer::storeOrder()
{
    blankFill();
    const QString upperCode = m_form.code().toUpper();
    if (refuses(upperCode))
        return false;
    correctAndWarn(upperCode);
    m_orders.append(m_empireId, m_form.code(), convertedSlots());
    m_refreshGrid();
    resetForNextOrder(m_form);
    return true;
}

} // namespace vf
