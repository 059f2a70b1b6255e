#include "StarPanel.h"

#include "common/AppContext.h"
#include "common/GuardedAction.h"
#include "common/Navigator.h"
#include "common/NewOrderMenu.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vf {

namespace {

// What an entry of the panel that begins an order holds: its record's kind and number.
constexpr int kKindRole = Qt::UserRole;
constexpr int kNumberRole = Qt::UserRole + 1;

QTreeWidgetItem* recordItem(QTreeWidgetItem* parent, const QString& text, RecordKind kind,
                            int number)
{
    auto* item = new QTreeWidgetItem(parent, {text});
    item->setData(0, kKindRole, int(kind));
    item->setData(0, kNumberRole, number);
    return item;
}

bool beginsOrders(const QTreeWidgetItem* item)
{
    return item && item->data(0, kKindRole).isValid();
}

} // namespace

StarPanel::StarPanel(AppContext& context, Navigator& navigator, int empireId, const WarpMap& map,
                     QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_navigator(navigator)
    , m_empireId(empireId)
    , m_map(map)
{
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("StarPanel"));
    m_tree->setAccessibleName(QStringLiteral("Star"));
    m_tree->setHeaderLabel(QStringLiteral("Choose a star"));
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tree->installEventFilter(this);
    connect(m_tree, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        offerNewOrder(m_tree->itemAt(at), m_tree->viewport()->mapToGlobal(at));
    });
    m_near = new QCheckBox(QStringLiteral("&Near This Star:"), this);
    m_near->setObjectName(QStringLiteral("NearThisStar"));
    m_near->setToolTip(QStringLiteral("Only the stars a fleet here reaches in so many jumps"));
    m_jumps = new QSpinBox(this);
    m_jumps->setObjectName(QStringLiteral("NearJumps"));
    m_jumps->setAccessibleName(QStringLiteral("Jumps from this star"));
    m_jumps->setRange(1, 5);
    m_jumps->setValue(2);
    m_jumps->setSuffix(QStringLiteral(" jumps"));
    connect(m_near, &QCheckBox::toggled, this, &StarPanel::nearChanged);
    connect(m_jumps, &QSpinBox::valueChanged, this, [this] {
        if (m_near->isChecked())
            Q_EMIT nearChanged();
    });
    auto* near = new QHBoxLayout;
    near->addWidget(m_near);
    near->addWidget(m_jumps);
    near->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree, 1);
    layout->addLayout(near);
}

int StarPanel::nearJumps() const
{
    return m_near->isChecked() && m_star >= 0 ? m_jumps->value() : 0;
}

void StarPanel::showStar(int star)
{
    const MapStar& shown = m_map.stars[star];
    m_star = star;
    m_tree->clear();
    m_tree->setHeaderLabel(shown.name);
    guarded(m_context.dialogs, [&] {
        const StarDetails details = starDetails(m_context.store, m_empireId, shown.name);
        const auto group = [this](const QString& title, qsizetype count) {
            auto* item =
                new QTreeWidgetItem(m_tree, {QStringLiteral("%1 (%2)").arg(title).arg(count)});
            item->setExpanded(true);
            return item;
        };
        QTreeWidgetItem* warps = group(QStringLiteral("Warp Points"), details.warpPoints.size());
        for (const auto& warp : details.warpPoints)
            recordItem(warps,
                       QStringLiteral("Warp Point # %1 to %2").arg(warp.id).arg(warp.leadsTo),
                       RecordKind::WarpPoint, warp.id);
        QTreeWidgetItem* orbits = group(QStringLiteral("Orbits"), details.orbits.size());
        for (const QString& orbit : details.orbits)
            new QTreeWidgetItem(orbits, {orbit});
        const auto records = [&](const QString& title, const QList<StarDetails::Record>& entries,
                                 RecordKind kind) {
            QTreeWidgetItem* parent = group(title, entries.size());
            for (const StarDetails::Record& entry : entries)
                recordItem(parent, entry.label, kind, entry.number);
        };
        records(QStringLiteral("Population Groups"), details.populationGroups,
                RecordKind::PopulationGroup);
        records(QStringLiteral("Fleets"), details.fleets, RecordKind::Fleet);
    });
    if (m_tree->topLevelItemCount() > 0 && m_tree->topLevelItem(0)->childCount() > 0)
        m_tree->setCurrentItem(m_tree->topLevelItem(0)->child(0));
    if (m_near->isChecked())
        Q_EMIT nearChanged();
}

void StarPanel::offerNewOrder(QTreeWidgetItem* item, std::optional<QPoint> at)
{
    if (!beginsOrders(item) || m_star < 0)
        return;
    const auto kind = RecordKind(item->data(0, kKindRole).toInt());
    QMenu codes(this);
    codes.setObjectName(QStringLiteral("NewOrderCodes"));
    codes.setTitle(QStringLiteral("&New Order\u2026"));
    // A warp point's orders name its star too; a fleet's or a population group's do not.
    const QString star = kind == RecordKind::WarpPoint ? m_map.stars[m_star].name : QString();
    addNewOrderCodes(
        codes, kind, item->data(0, kNumberRole).toInt(), star,
        [this](const OrderStart& start) { m_navigator.startOrder(m_empireId, start); });
    if (at) {
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("NewOrderMenu"));
        menu.addMenu(&codes);
        menu.exec(*at);
    } else {
        codes.exec(m_tree->viewport()->mapToGlobal(m_tree->visualItemRect(item).center()));
    }
}

bool StarPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const auto key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            beginsOrders(m_tree->currentItem())) {
            offerNewOrder(m_tree->currentItem(), std::nullopt);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vf
