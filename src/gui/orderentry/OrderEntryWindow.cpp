#include "OrderEntryWindow.h"

#include "CodeListDelegate.h"

#include "OrderEntryLayout.h"
#include "OrdersGridModel.h"
#include "WidgetOrderForm.h"
#include "common/AppContext.h"
#include "common/Dialogs.h"
#include "common/FocusMoves.h"
#include "common/GridColumns.h"
#include "common/GuardedAction.h"
#include "common/Navigator.h"
#include "common/ProgramKeys.h"
#include "common/ScreenMetrics.h"
#include "common/Twips.h"
#include "common/WindowMemory.h"
#include "orders/ChosenCode.h"
#include "orders/EnterKeyRoutes.h"
#include "orders/FieldLayouts.h"
#include "orders/OrderCatalogue.h"
#include "orders/OrderCheck.h"
#include "orders/OrderStorer.h"
#include "orders/SlotFocusRules.h"
#include "orders/TypeAhead.h"
#include "store/OrderRepository.h"
#include "store/TurnDataRepository.h"
#include "warpmap/WarpMap.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace vf {

using namespace orderentry;

namespace {

const ChoiceList& chooserEntries()
{
    static const ChoiceList entries = choicesOf(catalogue::chooserCodes());
    return entries;
}

} // namespace

OrderEntryWindow::OrderEntryWindow(AppContext& context, Navigator& navigator, int empireId,
                                   QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_navigator(navigator)
    , m_empireId(empireId)
    , m_orders(std::make_unique<OrderRepository>(context.store))
    , m_turnData(std::make_unique<TurnDataRepository>(context.store, empireId))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Voidfire: Dominara (Order Entry)"));

    // The area first: the boxes built into it watch their events through this window.
    m_scroll = new QScrollArea(this);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setFrameShape(QFrame::NoFrame);
    const OrderEntryBody built = buildOrderEntryBody(this);
    const OrderFormWidgets& widgets = built.widgets;
    m_scroll->setWidget(built.body);
    m_chooser = widgets.chooser;
    m_description = widgets.description;
    m_boxes = widgets.boxes;
    m_grid = built.grid;
    m_gridModel = new OrdersGridModel(m_context.store, m_empireId, this);
    m_grid->setModel(m_gridModel);
    fitOrderGridColumns(m_grid, 0, twips(600), 1, twips(700));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);

    m_form = std::make_unique<WidgetOrderForm>(widgets, context.screen);
    m_storer = std::make_unique<OrderStorer>(
        *m_form,
        [this](const QString& code, const std::array<QString, kSlotCount>& slots) {
            m_orders->append(m_empireId, code, slots);
        },
        [this](const QString& text) { showMessage(text); }, [this] { showStoredOrders(); });
    m_enter = std::make_unique<EnterKeyRoutes>(*m_form, *m_storer,
                                               [this](const QString& text) { showMessage(text); });
    wireControls(widgets);

    const int screenWidth = context.screen.screenWidth();
    m_form->placeBoxes(0);
    m_form->placeButtons(screenWidth <= 800);
    // As wide as the placement of the boxes, and of the buttons where they lie further.
    int right = twips(layouts::compactPlacement(screenWidth) ? kCompactWidth : kDesignWidth);
    for (const QWidget* button : {widgets.mainMenu, widgets.editOrders, widgets.saveOrder})
        right = qMax(right, button->geometry().right() + 1);
    m_designedBody = QSize(right, twips(kDesignHeight));
    m_scroll->viewport()->installEventFilter(this);
    fitBodyToWindow();
    for (int slot = 1; slot <= m_boxes.size(); ++slot)
        m_form->setSlotVisible(slot, false);
    m_chooser->addItems(catalogue::chooserCodes());
    CodeListDelegate::tellMeanings(*m_chooser);
    m_chooser->setCurrentIndex(-1);
    m_chooser->setEditText(QString());
    m_chooser->setFocus(Qt::OtherFocusReason);
    // The turn data and the map beside the form. (Not Ctrl+Q: an order half typed would go.)
    addProgramKeys(this, navigator, empireId,
                   {ProgramKey::TurnData, ProgramKey::WarpMap, ProgramKey::WhatChanged,
                    ProgramKey::UserGuide});

    // The designed size (on a small screen the screen's width), limited to the room the screen
    // has: the form scrolls inside, and follows the box that takes the focus. A larger window
    // gives the grid the room.
    const int frame = 24;
    const int width = screenWidth > 800 ? qMin(twips(layouts::windowWidth(screenWidth)),
                                               m_designedBody.width() + frame)
                                        : context.screen.availableSize().width();
    const QSize designed(width,
                         qMin(m_designedBody.height() + frame, context.screen.screenHeight() - 60));
    resize(fittedToScreen(designed, context.screen));
    new WindowMemory(this, RememberedState(context.store), context.screen);
}

OrderEntryWindow::~OrderEntryWindow() = default;

// The code chooser tells the form of a code typed or picked; the buttons lead away or store.
void OrderEntryWindow::wireControls(const OrderFormWidgets& widgets)
{
    connect(m_chooser->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        m_form->setCodeChanged(true);
        m_form->setNotice(codeNotice(text));
    });
    connect(m_chooser, &QComboBox::activated, this, [this] {
        m_form->setCodeChanged(true);
        applyChosenCode(*m_form);
    });
    connect(widgets.mainMenu, &QPushButton::clicked, this,
            [this] { m_navigator.backToMainMenu(); });
    connect(widgets.editOrders, &QPushButton::clicked, this,
            [this] { m_navigator.openOrderListing(m_empireId); });
    connect(widgets.saveOrder, &QPushButton::clicked, this, [this] { saveOrder(); });
}

// The body at its designed size or, in a larger window, as large as the window, the grid
// taking the room gained (and on a small screen no wider than the body).
void OrderEntryWindow::fitBodyToWindow()
{
    QWidget* body = m_scroll->widget();
    const QSize size = m_designedBody.expandedTo(m_scroll->viewport()->size());
    if (body->size() == size)
        return;
    body->setFixedSize(size);
    const int rightMargin = twips(kDesignWidth - kGridLeft - kGridWidth);
    m_grid->setGeometry(twips(kGridLeft), twips(kGridTop),
                        size.width() - twips(kGridLeft) - rightMargin,
                        twips(kGridHeight) + size.height() - m_designedBody.height());
}

// The grid read again, scrolled to the order just stored (the last: the highest priority).
void OrderEntryWindow::showStoredOrders()
{
    m_gridModel->refresh();
    while (m_gridModel->canFetchMore())
        m_gridModel->fetchMore();
    m_grid->scrollToBottom();
}

void OrderEntryWindow::showMessage(const QString& text)
{
    m_context.dialogs.ask({DialogIcon::None, QString(), text, DialogButtons::Ok});
}

void OrderEntryWindow::saveOrder()
{
    const QString code = m_form->code();
    if (code.isEmpty() || code == QLatin1String(" ")) {
        m_context.dialogs.warn(QStringLiteral("Imperial Advisor Report"),
                               QStringLiteral("You need to enter an Order Code before saving "
                                              "this order"));
        return;
    }
    guarded(m_context.dialogs, [this] { m_storer->storeOrder(); });
}

namespace {

bool takesFleets(const QString& code, int slot)
{
    const QList<SlotUse> uses = slotsTaking(RecordKind::Fleet);
    return std::any_of(uses.begin(), uses.end(),
                       [&](const SlotUse& use) { return use.code == code && use.slot == slot; });
}

} // namespace

void OrderEntryWindow::startOrder(const OrderStart& start)
{
    guarded(m_context.dialogs, [&] {
        m_chooser->setCurrentIndex(m_chooser->findText(start.code, Qt::MatchExactly));
        m_form->setCodeChanged(true);
        applyChosenCode(*m_form);
        // The slots up to the record's are visited in order, as the player tabbing through
        // them would: a slot's list may depend on an earlier one (a star's warp points).
        SlotFocusRules rules(*m_form, *m_turnData);
        for (int slot = 1; slot <= start.slot; ++slot) {
            rules.onSlotFocus(slot);
            if (slot == start.starSlot)
                pick(slot, [&](const ChoiceEntry& entry) {
                    return entry.text.compare(start.star, Qt::CaseInsensitive) == 0;
                });
            if (slot == start.slot)
                pick(slot, [&](const ChoiceEntry& entry) { return entry.number == start.number; });
        }
        // The focus goes to the first slot still empty (a fleet for the warp point), its list
        // already filled: entering it again would empty the slots after it.
        int empty = 1;
        while (empty < start.slot && !m_form->slotText(empty).isEmpty())
            ++empty;
        // Begun at a star: the fleets there head the fleet list (those the file places there).
        if (!start.star.isEmpty() && takesFleets(start.code, empty))
            m_form->setChoices(empty,
                               recordsFirst(m_form->choices(empty),
                                            fleetsAt(m_context.store, m_empireId, start.star)));
        m_quietFocus = true;
        m_form->focusSlot(empty);
        m_quietFocus = false;
    });
}

void OrderEntryWindow::pick(int slot, const std::function<bool(const ChoiceEntry&)>& matches)
{
    const ChoiceList entries = m_form->choices(slot);
    const auto found = std::find_if(entries.begin(), entries.end(), matches);
    if (found == entries.end())
        return;
    QComboBox* box = m_boxes.at(slot - 1);
    box->setCurrentIndex(int(found - entries.begin()));
    // A box narrower than the entry shows its start: the record's number ("44 O'Brien's …").
    if (box->lineEdit())
        box->lineEdit()->setCursorPosition(0);
}

bool OrderEntryWindow::typeAhead(QComboBox* combo, int slot, QKeyEvent* key)
{
    if (key->text().size() != 1 || slot > 2)
        return false;
    QLineEdit* edit = combo->lineEdit();
    const int caret = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const ChoiceList entries = slot == 0 ? chooserEntries() : m_form->choices(slot);
    const auto match = autoCompleteCombo(entries, combo->currentText(), caret, key->text().at(0));
    if (!match)
        return false;
    combo->setCurrentIndex(match->index);
    combo->setEditText(match->text);
    edit->setSelection(match->selectionStart, match->selectionLength);
    return true;
}

bool OrderEntryWindow::handleKey(QComboBox* combo, int slot, QKeyEvent* key)
{
    if (typeAhead(combo, slot, key))
        return true;
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    guarded(m_context.dialogs, [&] {
        if (slot == 0)
            m_enter->onChooserEnter();
        else
            m_enter->onSlotEnter(slot);
    });
    return true;
}

bool OrderEntryWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        fitBodyToWindow();
    if (watched == m_description && event->type() == QEvent::FocusIn) {
        // The description never keeps the focus: Tab passes it on to the next control, so
        // that the keyboard leaves the Order Code box also while it is empty; anything else
        // sends it back to the Order Code box.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::TabFocusReason)
            moveFocusOn(m_description, true);
        else
            m_form->focusChooser();
        return false;
    }
    auto* combo = qobject_cast<QComboBox*>(watched);
    if (!combo)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::Wheel) {
        // A wheel notch over a box scrolls the form; it never changes a pick or the code.
        QCoreApplication::sendEvent(m_scroll->viewport(), event);
        return true;
    }
    const int slot = combo == m_chooser ? 0 : static_cast<int>(m_boxes.indexOf(combo)) + 1;
    if (event->type() == QEvent::KeyPress)
        return handleKey(combo, slot, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusIn)
        scrollIntoView(m_scroll, combo); // on a small screen the box may lie out of view
    if (event->type() == QEvent::FocusIn && slot > 0) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
            !m_quietFocus)
            guarded(m_context.dialogs,
                    [&] { SlotFocusRules(*m_form, *m_turnData).onSlotFocus(slot); });
    }
    return QWidget::eventFilter(watched, event);
}

void OrderEntryWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    m_navigator.backToMainMenu();
}

} // namespace vf
