// The desktop palette with the sample provider at scale: a drawing loading into the window (its
// registration, the table taking up every row, and one paint) and a root edit that changes every
// value (the edit, the views hearing of it, and one paint). Each is measured beside the same
// operation with a palette that does nothing, in the same run, so that the ratio is the window's
// own cost. The window is off-screen.

#include "BenchDrawing.h"
#include "ItemClock.h"
#include "SilentPalette.h"

#include "gui/KxDrawingView.h"
#include "host/KxApDocument.h"
#include "modules/desktop-palette/KxDesktopPalette.h"
#include "palette/KxApParameterManagerESW.h"

#include <QApplication>
#include <QTableView>

#include <memory>

namespace {

// Made in main, within the application's life.
KxDesktopPalette* gpPalette = nullptr;

KxDesktopPalette& desktopPalette() {
    return *gpPalette;
}

// The manager with the desktop palette attached and shown, or with the silent one.
KxParameterManager& managerWith(bool desktop) {
    static SilentPalette silent;
    KxApParameterManagerESW::instance()->setHost(desktop ? &desktopPalette()
                                                         : static_cast<KxPaletteBase*>(&silent));
    KxParameterManager& manager = KxParameterManager::getInstance();
    if (desktop && !desktopPalette().IsVisible()) {
        desktopPalette().show(true, false);
        desktopPalette().widget()->resize(1000, 600);
    }
    return manager;
}

// What the person sees: the views take up the changes, and the table paints once.
void paint(bool desktop) {
    if (desktop) {
        QCoreApplication::processEvents();
        desktopPalette().table()->viewport()->repaint();
    }
}

// A fan of `count` parameters, built with the silent palette and not registered.
std::unique_ptr<Drawing> fan(std::int64_t count) {
    auto drawing = std::make_unique<Drawing>(managerWith(false));
    if (!drawing->build(Shape::kFan, count)) {
        return nullptr;
    }
    drawing->withdraw();
    return drawing;
}

void report(benchmark::State& state, ItemClock& clock, std::int64_t count) {
    clock.setItems(count);
    clock.report();
    state.counters["ms_per_op"] = clock.meanSeconds() * 1e3;
}

template <bool desktop>
void BM_PaletteLoad(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    std::unique_ptr<Drawing> drawing = fan(count);
    if (!drawing) {
        state.SkipWithError("a parameter was refused");
        return;
    }
    managerWith(desktop);
    ItemClock clock(state, 0);
    for (auto _ : state) {
        clock.start();
        drawing->publish();
        paint(desktop);
        clock.stop();
        drawing->withdraw();
        paint(desktop);
    }
    report(state, clock, count);
}

// With `sorted`, the table is sorted by value, so that every edit moves rows.
template <bool desktop, bool sorted = false>
void BM_PaletteRootEdit(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    std::unique_ptr<Drawing> drawing = fan(count);
    if (!drawing) {
        state.SkipWithError("a parameter was refused");
        return;
    }
    managerWith(desktop);
    drawing->publish();
    if (desktop) {
        desktopPalette().table()->sortByColumn(sorted ? 2 : -1, Qt::AscendingOrder);
    }
    paint(desktop);
    KxPlateParameter* root = drawing->parameter(1);
    ItemClock clock(state, 0);
    bool toggle = false;
    for (auto _ : state) {
        toggle = !toggle;
        clock.start();
        const Lumo::ErrorStatus status = root->setExpression(toggle ? L"2" : L"1");
        paint(desktop);
        clock.stop();
        if (status != Lumo::eOk) {
            state.SkipWithError("the edit did not take");
        }
    }
    drawing->withdraw();
    paint(desktop);
    report(state, clock, count);
}

// An edit of the width, which the drawing shows, in a fan of `count` parameters that it does not
// show; with `view`, the drawing's view paints after it. The view's cost is the ratio, and it must
// not grow with the parameters.
template <bool view>
void BM_PaletteDrawingEdit(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    std::unique_ptr<Drawing> drawing = fan(count);
    if (!drawing) {
        state.SkipWithError("a parameter was refused");
        return;
    }
    managerWith(false);
    drawing->publish();
    KxPlateParameter* width = drawing->parameter(count);
    drawing->plate().assignRole(KxPlateDrawing::Role::kWidth, *width);
    KxDrawingView drawingView;
    drawingView.setDatabase(drawing->document().database());
    drawingView.resize(800, 600);
    bool toggle = false;
    // The first paints load fonts and caches: not the view's cost.
    for (int i = 0; view && i < 4; ++i) {
        toggle = !toggle;
        width->setExpression(toggle ? L"150" : L"120");
        drawingView.grab();
    }
    ItemClock clock(state, 0);
    for (auto _ : state) {
        toggle = !toggle;
        clock.start();
        const Lumo::ErrorStatus status = width->setExpression(toggle ? L"150" : L"120");
        if (view) {
            drawingView.grab();
        }
        clock.stop();
        if (status != Lumo::eOk) {
            state.SkipWithError("the edit did not take");
        }
    }
    if (view &&
        !drawingView.dimensionTexts().contains(QStringLiteral("param%1 = 120.0000").arg(count))) {
        state.SkipWithError("the view did not show the width");
    }
    drawing->withdraw();
    report(state, clock, count);
}

#define KX_PALETTE_BENCH(function, iterations)                                                     \
    BENCHMARK_TEMPLATE(function, false)                                                            \
        ->Arg(1000)                                                                                \
        ->Arg(10000)                                                                               \
        ->Arg(100000)                                                                              \
        ->Iterations(iterations)                                                                   \
        ->UseManualTime()                                                                          \
        ->Unit(benchmark::kMillisecond);                                                           \
    BENCHMARK_TEMPLATE(function, true)                                                             \
        ->Arg(1000)                                                                                \
        ->Arg(10000)                                                                               \
        ->Arg(100000)                                                                              \
        ->Iterations(iterations)                                                                   \
        ->UseManualTime()                                                                          \
        ->Unit(benchmark::kMillisecond)

KX_PALETTE_BENCH(BM_PaletteLoad, 3);
KX_PALETTE_BENCH(BM_PaletteRootEdit, 4);
KX_PALETTE_BENCH(BM_PaletteDrawingEdit, 20);
BENCHMARK_TEMPLATE(BM_PaletteRootEdit, true, true)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(4)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    KxDesktopPalette palette;
    palette.setErrorDialog([](const QString&, const QString&, const QString&) {});
    gpPalette = &palette;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    KxApParameterManagerESW::instance()->setHost(nullptr);
    return 0;
}
