#pragma once

class QWidget;

namespace vf {

// Hides a widget that only decorates (a caption beside a button that carries the same name,
// a prompt that already names its box) from screen readers: it reports itself invisible to
// the accessibility interface, so it is not read twice. It stays on the screen as it is.
void markDecorative(QWidget* widget);

} // namespace vf
