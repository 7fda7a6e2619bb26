#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>

#include "acquisition/qt/CSonarSocket.h"
#include "app/qt/CMainFrame.h"
#include "app/qt/QtPlatform.h"
#include "beam/qt/CBeamCoverView.h"
#include "display/qt/CKeelbrookView.h"
#include "document/CKeelbrookDoc.h"
#include "support/FakeDocument.h"

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "keelbrook_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *instance;
}

std::vector<std::uint8_t> echoes(std::uint32_t seed) {
    std::vector<std::uint8_t> e(head::kLiveSamplesTotal / 2);
    for (auto& v : e) {
        seed = seed * 1664525u + 1013904223u;
        v = static_cast<std::uint8_t>(seed >> 25);
    }
    return e;
}

// A connected document with a view of the given size, fed with pings of fixed echoes.
struct ViewRig {
    ViewRig(int w, int h)
        : fake((app(), dir.path().toStdString() + "/"), w, h),
          view(fake.doc),
          port(echoes(1)),
          stbd(echoes(2)) {
        fake.connect("127.0.0.1");
        view.resize(w, h);
        view.show();  // a hidden widget gets its size only when shown
        for (int i = 0; i < h; ++i) {
            ping();
        }
    }
    void ping() { fake.ping(port, stbd); }

    QTemporaryDir dir;
    FakeDocument fake;
    CKeelbrookView view;
    std::vector<std::uint8_t> port, stbd;
};

// The yardstick: the 8-bit image with its palette drawn scaled into the view, nothing else.
void BM_NaiveIndexedPaint(benchmark::State& state) {
    app();
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    QImage indexed(w, h, QImage::Format_Indexed8);
    QVector<QRgb> palette(256);
    for (int i = 0; i < 256; ++i) {
        palette[i] = qRgb(i, i, i);
    }
    indexed.setColorTable(palette);
    for (int y = 0; y < h; ++y) {
        std::memset(indexed.scanLine(y), y & 0xFF, static_cast<std::size_t>(w));
    }
    QImage target(w, h, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&target);
        p.drawImage(QRect(0, 0, w - 8, h), indexed);
        p.end();
        benchmark::DoNotOptimize(target.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NaiveIndexedPaint)->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// Times one paint per iteration; the ping that precedes it is not timed.
void paintAfterEachPing(benchmark::State& state, ViewRig& rig, QImage& target) {
    for (auto _ : state) {
        state.PauseTiming();
        rig.ping();
        state.ResumeTiming();
        QPainter p(&target);
        rig.view.paintView(p);
        p.end();
        benchmark::DoNotOptimize(target.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}

// One full paint of the view after a new ping: waterfall, grid, labels, texts, indicator.
void BM_WaterfallPaint(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    ViewRig rig(w, h);
    QImage target(w, h, QImage::Format_RGB32);
    paintAfterEachPing(state, rig, target);
}
BENCHMARK(BM_WaterfallPaint)->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// Fills the view's measurement store: 40 ranges, 30 distances, 10 marks and 5 heights of 4 items
// each, spread over the picture, 75 of them labelled.
void placeMeasurements(CKeelbrookView& view, int w, int h) {
    using measure::Tool;
    measure::MeasureTools& tools = view.measureTools();
    const measure::LiveContext context = view.measureContext();
    auto at = [&](int i, int dx = 0) {
        return measure::Point{(i * 97 + dx) % (w - 60) + 30, (i * 53) % (h - 60) + 30};
    };
    auto click = [&](measure::Point p) {
        tools.press(p, context);
        tools.release();
    };
    for (int i = 0; i < 40; ++i) {
        tools.toggle(Tool::Range);
        click(at(i));
    }
    for (int i = 40; i < 70; ++i) {
        tools.toggle(Tool::Distance);
        click(at(i));
        click(at(i, 120));
    }
    for (int i = 70; i < 80; ++i) {
        tools.toggle(Tool::Mark);
        click(at(i));
    }
    for (int i = 80; i < 85; ++i) {
        tools.toggle(Tool::Height);
        for (int step = 0; step < 4; ++step) {
            click(at(i, step * 40));
        }
    }
}

// The same paint with 100 stored measurement items over the waterfall.
void BM_WaterfallPaintWithMeasurements(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    ViewRig rig(w, h);
    placeMeasurements(rig.view, w, h);
    if (rig.view.measureTools().items().size() != measure::MeasureTools::kCapacity) {
        state.SkipWithError("the measurement store is not full");
        return;
    }
    QImage target(w, h, QImage::Format_RGB32);
    paintAfterEachPing(state, rig, target);
}
BENCHMARK(BM_WaterfallPaintWithMeasurements)->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// The beam coverage window at the same size: the 600-ray fan, outlines, scale and labels,
// computed and drawn, with a gain that shades the fan (no single-colour shortcut).
void BM_BeamCoverageDraw(benchmark::State& state) {
    app();
    struct Source : BeamSettingsSource {
        BeamStartSettings beamStartSettings() const override { return {9, 0, 20, 0}; }
    } source;
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    CBeamCoverView view(source, {});
    view.resize(w, h);
    QImage target(w, h, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&target);
        view.paintView(p);
        p.end();
        benchmark::DoNotOptimize(target.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BeamCoverageDraw)->Args({1920, 1080})->Unit(benchmark::kMillisecond);

long residentKiB() {
    std::ifstream in("/proc/self/status");
    std::string key;
    while (in >> key) {
        if (key == "VmRSS:") {
            long kib = 0;
            in >> kib;
            return kib;
        }
        in.ignore(1 << 12, '\n');
    }
    return 0;
}

// The live program against the simulator answering as fast as asked: the real socket, the
// document and a shown view repainting as often as the event loop lets it.
void BM_LiveDisplayThroughput(benchmark::State& state) {
    app();
    QProcess sim;
    sim.setProgram(QStringLiteral(HEADSIM_PATH));
    sim.setArguments({"--bind", "127.0.0.41", "--port", "4040", "--rate", "0"});
    sim.start();
    QElapsedTimer wait;
    wait.start();
    bool listening = false;
    while (!listening && wait.elapsed() < 10000) {
        sim.waitForReadyRead(100);
        listening = sim.readAllStandardOutput().contains("listening");
    }
    if (!listening) {
        state.SkipWithError("headsim did not start");
        return;
    }
    QTemporaryDir dir;
    CSonarSocket socket;
    QtClock clock;
    QtTimers timers;
    FakePrompts prompts;
    CMainFrame frame;
    prompts.answers.push_back("127.0.0.41");
    CKeelbrookDoc doc(DocPorts{socket, clock, timers, prompts, frame},
                      dir.path().toStdString() + "/", 1920, 1080);
    socket.setDocument(&doc);
    timers.setDocument(&doc);
    frame.attachDocument(doc);
    doc.initialise();
    frame.resize(1920, 1080);
    frame.show();
    doc.Connect();
    long rssStart = 0;
    std::uint64_t pings = 0;
    // Speed is unknown without GPS, so every drawn ping is one row.
    auto drawn = [&] { return doc.pipeline().image().totalLines(); };
    for (auto _ : state) {
        const std::uint64_t before = drawn();
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 1000) {
            app().processEvents(QEventLoop::AllEvents, 5);
        }
        pings += drawn() - before;
        if (rssStart == 0) {
            rssStart = residentKiB();
        }
    }
    state.counters["pings_per_second"] =
        benchmark::Counter(static_cast<double>(pings), benchmark::Counter::kIsRate);
    state.counters["rss_growth_KiB"] = static_cast<double>(residentKiB() - rssStart);
    state.SetItemsProcessed(static_cast<std::int64_t>(pings));
    socket.setDocument(nullptr);
    timers.setDocument(nullptr);
    socket.close();
    sim.terminate();
    sim.waitForFinished(3000);
}
BENCHMARK(BM_LiveDisplayThroughput)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// Plays a recording of 3000 pings made by the program itself through the real frame, one ping
// per idle turn, and reports the pings played per second of wall time.
void playThroughTheFrame(benchmark::State& state, int speed, bool paced) {
    app();
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/bench.dsx";
    {
        ViewRig rig(1920, 1080);
        rig.fake.prompts.saveChoices.push_back(FileChoice{path, 0});
        rig.fake.doc.execute(CommandId::RecordData);
        for (int i = 0; i < 3000; ++i) {
            rig.ping();
        }
        rig.fake.doc.execute(CommandId::StopRecording);
    }
    QtClock clock;
    QtTimers timers;
    FakeLink link;
    FakePrompts prompts;
    CMainFrame frame;
    CKeelbrookDoc doc(DocPorts{link, clock, timers, prompts, frame}, dir.path().toStdString() + "/",
                      1920, 1080);
    timers.setDocument(&doc);
    frame.attachDocument(doc);
    doc.initialise();
    doc.settings().playbackSpeed = speed;
    doc.pacer().setPaced(paced);
    frame.resize(1920, 1080);
    frame.show();
    app().processEvents();
    doc.openFileForPlayback(path);
    std::uint64_t pings = 0;
    for (auto _ : state) {
        const std::uint64_t before = doc.pipeline().image().totalLines();
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 1000) {
            app().processEvents(QEventLoop::AllEvents, 5);
        }
        pings += doc.pipeline().image().totalLines() - before;
    }
    state.counters["pings_per_second"] =
        benchmark::Counter(static_cast<double>(pings), benchmark::Counter::kIsRate);
    state.SetItemsProcessed(static_cast<std::int64_t>(pings));
    timers.setDocument(nullptr);
}

// The ceiling: speed 10 with the pace switched off, as fast as the machine plays and paints.
void BM_InteractivePlayback(benchmark::State& state) {
    playThroughTheFrame(state, 10, false);
}
BENCHMARK(BM_InteractivePlayback)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the operator sees at play speed s: about 60 refreshes a second of s pings each.
void BM_PlaybackPace(benchmark::State& state) {
    playThroughTheFrame(state, static_cast<int>(state.range(0)), true);
}
BENCHMARK(BM_PlaybackPace)
    ->Arg(1)
    ->Arg(5)
    ->Arg(10)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
