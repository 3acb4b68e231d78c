// Pages per second of the page output engine: 1,000 pages of 30 text boxes each, into the
// page stream and through the PDF file printer.
#include "pageout/canvas_job.h"
#include "pageout/page_filer.h"
#include "platform/printer_device.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int Pages = 1000;

// Three columns of ten address boxes, like a sheet of labels.
void drawPages(pageout::TBasePageJob& job) {
    for (int page = 1; page <= Pages; ++page) {
        if (page > 1)
            job.StartNewPage();
        job.SelectFont(QStringLiteral("DejaVu Sans"), 10);
        for (int box = 0; box < 30; ++box) {
            const double x = 0.25 + (box % 3) * 2.75, y = 0.5 + (box / 3) * 1.0;
            const QRect rect = job.PageRect(x, y, x + 2.6, y + 0.95);
            job.TextInRect(rect, x + 0.1, y + 0.1,
                           QStringLiteral("Mr. John Q. Sample %1").arg(box));
            job.TextInRect(rect, x + 0.1, y + 0.3, QStringLiteral("1234 Main Street"));
            job.TextInRect(rect, x + 0.1, y + 0.5, QStringLiteral("Springfield, IL 62704"));
        }
    }
}

void BM_PagesIntoStream(benchmark::State& state) {
    for (auto _ : state) {
        pageout::PageStream stream;
        pageout::TPageFiler filer;
        filer.SetStream(&stream);
        filer.OnPrint = drawPages;
        filer.RunJob();
        benchmark::DoNotOptimize(stream.count());
        state.PauseTiming();
        qint64 bytes = 0;
        for (int i = 0; i < stream.count(); ++i)
            bytes += stream.page(i).picture.size();
        state.counters["KiB/page"] = double(bytes) / stream.count() / 1024;
        state.ResumeTiming();
    }
    state.counters["pages/s"] =
        benchmark::Counter(double(Pages) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PagesIntoStream)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PagesIntoPdf(benchmark::State& state) {
    QTemporaryDir dir;
    platform::SharedPrinter().selectPrinterByName(platform::PdfPrinterName);
    platform::SharedPrinter().pdfFileName = dir.filePath("bench.pdf");
    for (auto _ : state) {
        pageout::TPagePrinter printer;
        printer.OnPrint = drawPages;
        printer.RunJob();
    }
    state.counters["pages/s"] =
        benchmark::Counter(double(Pages) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PagesIntoPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

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
