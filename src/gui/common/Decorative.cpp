#include "Decorative.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace vf {

namespace {

constexpr char kDecorative[] = "vfDecorative";

class DecorativeInterface final : public QAccessibleWidget {
public:
    explicit DecorativeInterface(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::StaticText)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State hidden = QAccessibleWidget::state();
        hidden.invisible = true;
        hidden.focusable = false;
        return hidden;
    }
    QString text(QAccessible::Text) const override { return {}; }
};

QAccessibleInterface* decorativeFactory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && widget->property(kDecorative).toBool())
        return new DecorativeInterface(widget);
    return nullptr;
}

} // namespace

void markDecorative(QWidget* widget)
{
    static const bool installed = [] {
        QAccessible::installFactory(decorativeFactory);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(kDecorative, true);
    // A screen reader that is running may have asked for the widget already (as its text was
    // set): the interface made then is dropped, the next one is made as above.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
        made && !dynamic_cast<DecorativeInterface*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

} // namespace vf
