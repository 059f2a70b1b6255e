#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace vf::test {

// Answers every modal window of the real dialogs as it comes, once each, the way a player
// answers what appears (it looks a few times a second, so a progress dialog or a second
// message in between is no matter). The answer is given the window; it must close it.
class ModalAnswerer {
public:
    explicit ModalAnswerer(std::function<void(QWidget*)> answer)
        : m_answer(std::move(answer))
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == m_answered)
                return;
            m_answered = modal;
            // Answered from an event of its own: the poll must go on meanwhile, for a window
            // the answer opens (a timer's event is not delivered again while it is handled).
            QTimer::singleShot(0, &m_poll, [this, window = QPointer<QWidget>(modal)] {
                if (window)
                    m_answer(window);
            });
        });
        constexpr int kPollMs = 20;
        m_poll.start(kPollMs);
    }
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

private:
    std::function<void(QWidget*)> m_answer;
    QTimer m_poll;
    QPointer<QWidget> m_answered;
};

} // namespace vf::test
