#include "OrderEntryLayout.h"

#include "CodeListDelegate.h"
#include "PromptLabel.h"
#include "common/Decorative.h"
#include "common/EntryBoxes.h"
#include "common/FocusMoves.h"
#include "common/GridColumns.h"
#include "common/Twips.h"
#include "model/Order.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextEdit>

namespace vf {

using namespace orderentry;

namespace {

QComboBox* makeEntryBox(QWidget* parent, const QString& name, const QString& accessible)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    makePickOnlyComboBox(box);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMaxVisibleItems(20);
    box->setAccessibleName(accessible);
    return box;
}

void buildButtons(QWidget* body, OrderFormWidgets& widgets)
{
    auto button = [body](const QString& name, const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, body);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        b->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
        return b;
    };
    widgets.mainMenu = button(QStringLiteral("MainMenu"), QStringLiteral("Back to Main Menu"),
                              QStringLiteral("Brings you back to the Main Menu, where you can "
                                             "select a different Empire for order entry"));
    widgets.editOrders = button(QStringLiteral("EditOrders"), QStringLiteral("Edit Orders"),
                                QStringLiteral("Opens up the Order Editing form"));
    widgets.saveOrder = button(QStringLiteral("SaveOrder"), QStringLiteral("&Save Order"),
                               QStringLiteral("Saves this order, then clears and resets the form "
                                              "to allow another order to be entered"));
}

QTableView* buildGrid(QWidget* body)
{
    auto* grid = new QTableView(body);
    grid->setObjectName(QStringLiteral("TDBGrid1"));
    grid->setAccessibleName(QStringLiteral("Stored orders"));
    placeTwips(grid, kGridLeft, kGridTop, kGridWidth, kGridHeight);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    new GridFocusExit(grid);
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->horizontalHeader()->setDefaultSectionSize(twips(700));
    return grid;
}

QWidget* buildBody(OrderFormWidgets& widgets, QObject* keys)
{
    auto* body = new QWidget;
    body->setFixedSize(twips(kDesignWidth), twips(kDesignHeight));

    auto* codeFrame = new QGroupBox(QStringLiteral("Order Code"), body);
    codeFrame->setObjectName(QStringLiteral("Frame1"));
    placeTwips(codeFrame, 120, 840, 3135, 735);
    QComboBox* chooser =
        makeEntryBox(codeFrame, QStringLiteral("Combo1"), QStringLiteral("Order code"));
    chooser->setToolTip(QStringLiteral("The code for the Order you wish to enter"));
    chooser->setMaxVisibleItems(30);
    CodeListDelegate::install(*chooser);
    placeTwips(chooser, 120, 240, 2895, 315);
    chooser->installEventFilter(keys);

    auto* description = new QLineEdit(body);
    description->setObjectName(QStringLiteral("Text1"));
    description->setReadOnly(true);
    description->setAccessibleName(QStringLiteral("Order description"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(12);
    description->setFont(font);
    placeTwips(description, 120, 240, 10575, 375);
    description->installEventFilter(keys);

    // One line under the code box: a typed word's codes, or text that is no code.
    widgets.notice = new QLabel(body);
    widgets.notice->setObjectName(QStringLiteral("CodeNotice"));
    widgets.notice->setAccessibleName(QStringLiteral("Order code notice"));
    widgets.notice->setStyleSheet(QStringLiteral("QLabel { background: palette(tool-tip-base); "
                                                 "color: palette(tool-tip-text); padding: 1px; }"));
    widgets.notice->setWordWrap(true);
    widgets.notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(widgets.notice, 120, 1590, 10575, 495);
    widgets.notice->hide();

    widgets.chooser = chooser;
    widgets.description = description;
    for (int index = 0; index < kSlotCount; ++index) {
        auto* prompt = new PromptLabel(body);
        prompt->setObjectName(QStringLiteral("OrderCodeHelp%1").arg(index));
        QFont small = prompt->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        prompt->setFont(small);
        markDecorative(prompt); // the box below is named by it
        widgets.prompts << prompt;
        QComboBox* box = makeEntryBox(body, QStringLiteral("OrderCode%1").arg(index),
                                      QStringLiteral("Slot %1").arg(index + 1));
        box->installEventFilter(keys);
        widgets.boxes << box;
    }

    widgets.templates = new QTextEdit(body);
    widgets.templates->setObjectName(QStringLiteral("RichTextBox1"));
    widgets.templates->setAccessibleName(QStringLiteral("Message templates"));
    placeTwips(widgets.templates, 360, 3480, 11295, 3855);
    widgets.templates->hide();

    buildButtons(body, widgets);
    return body;
}

} // namespace

OrderEntryBody buildOrderEntryBody(QObject* keys)
{
    OrderEntryBody built;
    built.body = buildBody(built.widgets, keys);
    built.grid = buildGrid(built.body);
    return built;
}

} // namespace vf
