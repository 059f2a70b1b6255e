#include "NewOrderMenu.h"

#include "common/Navigator.h"
#include "orders/OrderCatalogue.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>

namespace vf {

namespace {

// "MOVE (Move to Warp Point)"; "XMOVE (Move to Warp Point)" for an X-variant.
QString codeCaption(const QString& code)
{
    const QString meaning = catalogue::meaningOf(code);
    return meaning.isEmpty() ? code : code + QStringLiteral(" (") + meaning + QLatin1Char(')');
}

// Letters typed on an open menu go to the first entry that begins with them (the letters typed
// within a second of each other read as one word), as in a list.
class MenuTypeAhead : public QObject {
public:
    explicit MenuTypeAhead(QMenu& menu)
        : QObject(&menu)
        , m_menu(menu)
    {
        menu.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        if (typed.size() != 1 || !typed.at(0).isLetterOrNumber() ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        constexpr int kWordPauseMs = 1000;
        if (!m_typing.isValid() || m_typing.restart() > kWordPauseMs)
            m_word.clear();
        m_typing.start();
        m_word += typed;
        QAction* found = firstStartingWith(m_word);
        if (!found) {
            m_word = typed; // a new word begun
            found = firstStartingWith(m_word);
        }
        if (found)
            m_menu.setActiveAction(found);
        return true;
    }

private:
    QAction* firstStartingWith(const QString& word) const
    {
        for (QAction* action : m_menu.actions()) {
            const QString text = QString(action->text()).remove(QLatin1Char('&'));
            if (action->isEnabled() && !action->isSeparator() &&
                text.startsWith(word, Qt::CaseInsensitive))
                return action;
        }
        return nullptr;
    }

    QMenu& m_menu;
    QString m_word;
    QElapsedTimer m_typing;
};

} // namespace

void addTypeAhead(QMenu& menu)
{
    new MenuTypeAhead(menu);
}

void addNewOrderCodes(QMenu& menu, RecordKind kind, int number, const QString& star,
                      const std::function<void(const OrderStart&)>& start)
{
    for (const SlotUse& use : slotsTaking(kind)) {
        QAction* action = menu.addAction(codeCaption(use.code));
        const OrderStart order{
            use.code, use.slot, number, use.starSlot, use.starSlot > 0 ? star : QString(), kind};
        QObject::connect(action, &QAction::triggered, &menu, [start, order] { start(order); });
    }
    addTypeAhead(menu);
}

} // namespace vf
