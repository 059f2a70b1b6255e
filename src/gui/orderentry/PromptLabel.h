#pragma once

#include <QLabel>

namespace vf {

// The prompt above an entry box. A prompt wider than its box drops its leading blanks
// first and is then cut from the left, so an arrow at its end stays visible; text() keeps
// the whole prompt.
class PromptLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vf
