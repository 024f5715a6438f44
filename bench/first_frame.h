#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <string>

namespace zemkari::bench {

// Where a start-up spends its time, in milliseconds since main() began.
class Phases {
public:
    void Mark(const char* phase) {
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin_).count();
        char entry[64];
        std::snprintf(entry, sizeof entry, " %s=%.2f", phase, ms);
        line_ += entry;
    }
    const std::string& Line() const { return line_; }

private:
    std::chrono::steady_clock::time_point begin_ = std::chrono::steady_clock::now();
    std::string line_ = "phases";
};

// Reports the first frame of a top-level widget: once its first paint pass has
// been flushed, writes the phases and "painted" with the time on the monotonic clock
// (nanoseconds since its epoch, which every process shares) to stdout and quits the
// event loop.
// It quits only after what was queued by then has run (the game sets its icon right
// after its first frame), so the peak memory the parent reads counts that too.
class FirstFrame final : public QObject {
public:
    FirstFrame(QWidget& window, Phases& phases) : phases_(phases) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued, so it runs after the whole paint pass and its flush.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    const auto now = std::chrono::steady_clock::now().time_since_epoch();
                    phases_.Mark("painted");
                    std::printf("%s\npainted %lld\n", phases_.Line().c_str(),
                                static_cast<long long>(std::chrono::nanoseconds(now).count()));
                    std::fflush(stdout);
                    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                              Qt::QueuedConnection);
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Phases& phases_;
    bool seen_ = false;
};

}  // namespace zemkari::bench
