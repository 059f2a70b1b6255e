#include "RoutePanel.h"

#include <QCompleter>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vf {

RoutePanel::RoutePanel(const WarpMap& map, QWidget* parent)
    : QWidget(parent)
    , m_map(map)
    , m_finder(map)
    , m_avoided(std::size_t(map.stars.size()), false)
{
    setObjectName(QStringLiteral("RoutePanel"));
    m_from = starBox(QStringLiteral("RouteFrom"), QStringLiteral("Route from"));
    m_to = starBox(QStringLiteral("RouteTo"), QStringLiteral("Route to"));
    m_told = new QLabel(QStringLiteral("Type the star to start from and the star to go to."), this);
    m_told->setObjectName(QStringLiteral("RouteText"));
    m_told->setWordWrap(true);
    m_told->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_told->setFocusPolicy(Qt::StrongFocus); // a screen reader reaches it by Tab
    m_avoidedList = new QLabel(this);
    m_avoidedList->setObjectName(QStringLiteral("AvoidedStars"));
    m_avoidedList->setWordWrap(true);
    m_avoidedList->hide();
    m_order = new QPushButton(QStringLiteral("Or&der This Route\u2026"), this);
    m_order->setObjectName(QStringLiteral("OrderRoute"));
    m_order->setAccessibleName(QStringLiteral("Order This Route"));
    m_order->setEnabled(false);
    connect(m_order, &QPushButton::clicked, this, &RoutePanel::orderWanted);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Fro&m:"), m_from);
    form->addRow(QStringLiteral("&To:"), m_to);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addWidget(m_told);
    layout->addWidget(m_avoidedList);
    layout->addWidget(m_order);
    layout->addStretch(1);
}

RoutePanel::~RoutePanel() = default;

QLineEdit* RoutePanel::starBox(const QString& name, const QString& accessible)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setAccessibleName(accessible);
    QStringList names;
    for (const MapStar& star : m_map.stars)
        names << star.name;
    auto* completer = new QCompleter(names, box);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    box->setCompleter(completer);
    connect(box, &QLineEdit::textChanged, this, &RoutePanel::search);
    return box;
}

void RoutePanel::setFrom(int star)
{
    m_from->setText(m_map.stars[star].name);
}

void RoutePanel::setTo(int star)
{
    m_to->setText(m_map.stars[star].name);
}

bool RoutePanel::isAvoided(int star) const
{
    return m_avoided[std::size_t(star)];
}

void RoutePanel::toggleAvoided(int star)
{
    m_avoided[std::size_t(star)] = !m_avoided[std::size_t(star)];
    m_overlay.avoided.clear();
    QStringList names;
    for (int i = 0; i < m_map.stars.size(); ++i) {
        if (m_avoided[std::size_t(i)]) {
            m_overlay.avoided.push_back(i);
            names << m_map.stars[i].name;
        }
    }
    m_avoidedList->setText(QStringLiteral("Avoiding: ") + names.join(QStringLiteral(", ")));
    m_avoidedList->setVisible(!names.isEmpty());
    search();
}

int RoutePanel::starIn(const QLineEdit* box) const
{
    return m_map.indexOf(box->text().trimmed());
}

void RoutePanel::search()
{
    const int from = starIn(m_from);
    const int to = starIn(m_to);
    m_route = Route{};
    for (const QLineEdit* box : {m_from, m_to}) {
        if (!box->text().trimmed().isEmpty() && starIn(box) < 0) {
            m_told->setText(QStringLiteral("No star named %1.").arg(box->text().trimmed()));
            break;
        }
    }
    if (from >= 0 && to >= 0) {
        m_route = m_finder.find(from, to, m_avoided);
        m_told->setText(routeText(m_map, m_route));
    } else if ((from >= 0 || m_from->text().trimmed().isEmpty()) &&
               (to >= 0 || m_to->text().trimmed().isEmpty())) {
        m_told->setText(QStringLiteral("Type the star to start from and the star to go to."));
    }
    m_overlay.route = m_route.jumps;
    m_order->setEnabled(!m_route.jumps.empty());
    Q_EMIT changed();
}

} // namespace vf
