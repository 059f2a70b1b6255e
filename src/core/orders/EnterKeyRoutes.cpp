#include "EnterKeyRoutes.h"

#include "ChosenCode.h"
#include "CodeSets.h"
#include "NumberReading.h"
#include "OrderChecks.h"
#include "OrderForm.h"
#include "OrderStorer.h"
#include "model/Order.h"

namespace vf {

void EnterKeyRoutes::onChooserEnter()
{
    if (isOneOf(m_form.code(), {"TREE", "PRIV", "RTD", "RTL"})) {
        m_storer.storeOrder();
        return;
    }
    m_form.setCodeChanged(true);
    applyChosenCode(m_form);
    if (m_form.isSlotVisible(1))
        m_form.focusSlot(1);
}

void EnterKeyRoutes::next(int slot)
{
    if (slot < kSlotCount && m_form.isSlotVisible(slot + 1))
        m_form.focusSlot(slot + 1);
}

void EnterKeyRoutes::convertAndStore(std::initializer_list<int> slots)
{
    for (int slot : slots)
        m_storer.convertSlot(slot);
    m_storer.storeOrder();
}

// Each slot's routes return false for "any other code": move on to the next slot.
void EnterKeyRoutes::onSlotEnter(int slot)
{
    const QString c = m_form.code();
    bool handled = false;
    switch (slot) {
    case 1:
        handled = slot1(c);
        break;
    case 2:
        handled = slot2(c);
        break;
    case 3:
        handled = slot3(c);
        break;
    case 4:
        handled = slot4(c);
        break;
    case 5:
        handled = slot5(c);
        break;
    default:
        handled = laterSlot(slot, c);
        break;
    }
    if (!handled)
        next(slot);
}

bool EnterKeyRoutes::slot1(const QString& c)
{
    if (isOneOf(c, {"BALG", "EXIL", "CNVR", "REA", "INST", "DD", "ANZ", "ED", "ALLG"}))
        convertAndStore({});
    else if (isOneOf(c, {"TAC", "FOB", "SKIM", "XSKIM", "GATK", "SENS", "XSENS", "COLB", "DGF",
                         "EXPL", "XEXPL", "LFE", "XLFE", "SUPP", "SS", "WARP", "XWARP", "SURV"}))
        convertAndStore({1});
    else if (c == QLatin1String("DECF")) {
        if (m_form.selectedEntry(1) >= 0) {
            const QString upper = m_form.slotText(1).toUpper();
            if (upper == QLatin1String("ALL") || upper == QLatin1String("HOME"))
                m_form.setSlotText(1, upper);
            else
                m_storer.convertSlot(1);
        }
        convertAndStore({});
    } else
        return false;
    return true;
}

bool EnterKeyRoutes::slot2(const QString& c)
{
    if (isOneOf(c, {"CTRN", "XCTRN", "GEO", "ORB", "PMAP"}))
        convertAndStore({1});
    else if (isOneOf(c, {"CSV", "EAF"}))
        convertAndStore({1, 2});
    else if (isOneOf(c, {"PAP", "MESS", "NFBP"}))
        convertAndStore({});
    else
        return false;
    return true;
}

bool EnterKeyRoutes::slot3(const QString& c)
{
    if (isOneOf(c, {"NM", "XNM", "ABP", "NEWF", "CONV", "NENC", "JETT", "NEWA"}))
        convertAndStore({1});
    else if (isOneOf(c, {"FUEL", "ECNV"}))
        convertAndStore({});
    else if (isOneOf(c, {"CON", "DISM"}))
        convertAndStore({3});
    else if (isOneOf(c, {"MOVE", "XMOVE"}))
        convertAndStore({1, 3});
    else if (c == QLatin1String("AC")) {
        const QString target = m_form.slotText(2);
        if (isOneOf(target, {"Army", "Installation", "Fleet"}))
            convertAndStore({1});
        else if (target == QLatin1String("World"))
            return false;
    } else
        return false;
    return true;
}

bool EnterKeyRoutes::slot4(const QString& c)
{
    if (c == QLatin1String("AC"))
        convertAndStore({1});
    else if (c == QLatin1String("REVO"))
        convertAndStore({});
    else if (c == QLatin1String("SCRP"))
        convertAndStore({3, 4, 5});
    else
        return false;
    return true;
}

bool EnterKeyRoutes::slot5(const QString& c)
{
    if (isOneOf(c, {"BI", "EB", "DELS"})) {
        m_storer.convertSlot(3);
        populationGroupCheck();
    } else if (isOneOf(c, {"SHIP", "XSHIP"}))
        convertAndStore({3, 5});
    else if (c == QLatin1String("DIP"))
        convertAndStore({1, 2});
    else if (c == QLatin1String("FORM"))
        convertAndStore({});
    else
        return false;
    return true;
}

bool EnterKeyRoutes::laterSlot(int slot, const QString& c)
{
    if (slot == 10 && c == QLatin1String("ESTA"))
        convertAndStore({});
    else if (slot == 10 && isOneOf(c, {"NAME", "FNAM"}))
        convertAndStore({1, 3, 5, 7, 9});
    else if (slot == 25 && c == QLatin1String("SRP"))
        convertAndStore({});
    else if (slot == 50 && isOneOf(c, {"LC", "XLC", "OC", "XOC", "RN", "SCUT", "BOMB", "XBOMB",
                                       "TR", "XTR", "RA", "DIV"}))
        convertAndStore({});
    else if (slot == 51)
        convertAndStore({});
    else if (slot != 10 && slot != 25 && slot <= 48 && c == QLatin1String("xx"))
        return true; // nothing happens
    else
        return false;
    return true;
}

namespace {

QString refusalMessage(const QString& sentence)
{
    return CheckFinding{CheckFinding::Kind::Refusal, 3, sentence, {}, {}}.message();
}

} // namespace

void EnterKeyRoutes::populationGroupCheck()
{
    const bool noGroup = leadingNumber(m_form.slotText(3)) < 1;
    const QString upperCode = m_form.code().toUpper();
    if (noGroup && m_form.slotText(2).toUpper() == QLatin1String("CLEAR ALL")) {
        m_showMessage(refusalMessage(QStringLiteral(
            "You have forgotten to enter a Population Group # for an EB (Edit Build) "
            "order with the CLEAR ALL option set.")));
    } else if (noGroup && (upperCode == QLatin1String("EB") || upperCode == QLatin1String("BI"))) {
        m_showMessage(refusalMessage(QStringLiteral(
            "You have forgotten to enter a Population Group # for an EB (Edit Build) "
            "or BI (Build Item) order.")));
    } else {
        m_storer.storeOrder();
    }
}

} // namespace vf
