// Frames per second of a design surface while a selection is dragged: 500 boxes on the surface,
// 50 of them selected and dragged by replayed mouse events, each move followed by the paint it
// causes. Also the frame that repaints every object, the worst a frame can cost.
#include "layout/base_panel.h"
#include "layout/handle.h"
#include "platform/system_services.h"
#include "tests/layout/box_object.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace {

using testing_layout::TBoxObject;

constexpr int Columns = 25;
constexpr int Rows = 20;
constexpr int Selected = 50;
constexpr int MovesPerDrag = 60;

// The program's clock, stepped one frame (16 ms) at a time so that the drag rules see a hand's
// pace without the benchmark sleeping.
qint64 clockMs = 1'000'000'000'000;

// Counts the paints the window system asks of the surface, to show that every frame paints.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

struct Scene {
    QWidget window;
    PaintCounter counter;
    layout::TGBasePanel* surface = nullptr;
    std::vector<TBoxObject*> boxes;

    Scene() {
        platform::SetClock([] { return QDateTime::fromMSecsSinceEpoch(clockMs); });
        surface = new layout::TGBasePanel(&window);
        surface->setGeometry(10, 10, Columns * 48 + 20, Rows * 28 + 20);
        surface->SetShowGrid(true);
        window.resize(surface->width() + 20, surface->height() + 20);
        for (int i = 0; i < Columns * Rows; ++i) {
            auto* box = new TBoxObject;
            box->SetCaption(QStringLiteral("Box %1").arg(i + 1));
            box->Loaded();
            const QRect at(10 + (i % Columns) * 48, 10 + (i / Columns) * 28, 44, 22);
            surface->AddObject(box, layout::Edges::Of(at));
            boxes.push_back(box);
        }
        surface->installEventFilter(&counter);
        window.show();
        settle();
        for (int i = 0; i < Selected; ++i)
            surface->Handle().SelectObject(boxes[i]);
        settle();
    }
    ~Scene() { platform::SetClock({}); }

    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    // One mouse event to the handle (in its coordinates), then the paint it causes.
    void send(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        clockMs += 16;
        layout::TGHandle& handle = surface->Handle();
        QMouseEvent event(type, at, handle.mapToGlobal(at), Qt::LeftButton, buttons, {});
        QApplication::sendEvent(&handle, &event);
        QCoreApplication::processEvents();
    }

    int objectsPainted() const {
        int painted = 0;
        for (const TBoxObject* box : boxes)
            painted += box->painted;
        return painted;
    }
};

Scene& scene() {
    static Scene* shared = new Scene;
    return *shared;
}

// The case: press, 60 moves and the release, each a frame; the selection goes right and
// down on one drag and back on the next.
void BM_DragFiftyOverFiveHundred(benchmark::State& state) {
    Scene& s = scene();
    using Clock = std::chrono::steady_clock;
    int direction = 1;
    const int before = s.objectsPainted();
    const int paintsBefore = s.counter.paints;
    int movePaints = 0;
    Clock::duration moving{}, releasing{}, slowestRelease{};
    for (auto _ : state) {
        const QPoint start(20, 12);
        s.send(QEvent::MouseButtonPress, start, Qt::LeftButton);
        const int atPress = s.objectsPainted();
        const auto movesStart = Clock::now();
        for (int step = 1; step <= MovesPerDrag; ++step)
            s.send(QEvent::MouseMove, start + direction * QPoint(step * 3, step), Qt::LeftButton);
        const auto releaseStart = Clock::now();
        movePaints += s.objectsPainted() - atPress;
        s.send(QEvent::MouseButtonRelease, start + direction * QPoint(MovesPerDrag * 3, 60),
               Qt::NoButton);
        const auto released = Clock::now();
        moving += releaseStart - movesStart;
        releasing += released - releaseStart;
        slowestRelease = std::max(slowestRelease, released - releaseStart);
        direction = -direction;
    }
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    state.counters["move ms/frame"] = ms(moving) / (double(MovesPerDrag) * state.iterations());
    state.counters["release ms/frame"] = ms(releasing) / double(state.iterations());
    state.counters["slowest release ms"] = ms(slowestRelease);
    const double frames = double(MovesPerDrag + 2) * state.iterations();
    state.counters["frames/s"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["ms/frame"] =
        benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                           benchmark::Counter::kIs1000);
    state.counters["objects painted/drag"] =
        double(s.objectsPainted() - before) / state.iterations();
    state.counters["surface paints/drag"] =
        double(s.counter.paints - paintsBefore) / state.iterations();
    state.counters["objects painted by moves"] = double(movePaints) / state.iterations();
}
BENCHMARK(BM_DragFiftyOverFiveHundred)->Unit(benchmark::kMillisecond)->UseRealTime();

// A frame that paints every object again (a zoom or a new background does).
void BM_RepaintWholeSurface(benchmark::State& state) {
    Scene& s = scene();
    for (auto _ : state) {
        s.surface->InvalidateArea(s.surface->rect());
        QCoreApplication::processEvents();
    }
    state.counters["frames/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RepaintWholeSurface)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
