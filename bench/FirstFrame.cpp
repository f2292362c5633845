// Watches a widget's paint events; after the first one it prints the elapsed time and quits.
#include "bench/FirstFrame.h"

#include <cstdio>
#include <ctime>

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

namespace velmo::bench {
namespace {

class TFirstFrameWatch final : public QObject {
  public:
    TFirstFrameWatch(QWidget& Widget, int64_t LaunchNs) : QObject(&Widget), LaunchNs(LaunchNs) {
        Widget.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Paint && !Seen) {
            Seen = true;
            // Queued, so it runs once the paint event and the flush of this update are over.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    std::printf("first_frame_ns %lld\n",
                                static_cast<long long>(MonotonicNs() - LaunchNs));
                    std::fflush(stdout);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(Watched, Event);
    }

  private:
    int64_t LaunchNs;
    bool Seen = false;
};

}  // namespace

int64_t MonotonicNs() {
    timespec Now{};
    clock_gettime(CLOCK_MONOTONIC, &Now);
    return static_cast<int64_t>(Now.tv_sec) * 1'000'000'000 + Now.tv_nsec;
}

void QuitAfterFirstFrame(QWidget& Widget, int64_t LaunchNs) {
    new TFirstFrameWatch(Widget, LaunchNs);  // owned by the widget
}

}  // namespace velmo::bench
