// The font sheet at 8x with the default set at 24 points, in a pane of 1000 x 400 pixels: a
// redraw (drawing the sheet and painting the pane), and one frame of panning (a scroll step
// and the pane painted again), as the screen would show them.
#include "fontpreview.h"
#include "resizer.h"
#include "zoomcontrol.h"

#include "texelfont.h"

#include <QFrame>
#include <QImage>
#include <QScrollBar>

#include <benchmark/benchmark.h>

namespace {

struct Sheet
{
    Sheet()
    {
        font.setSize(24);
        preview.resize(1000, 700);
        preview.show();
        preview.resizer().ResizeFirstPanel(400 * 15);
        preview.setDocument(&font);
        preview.zoomControl()->setZoom(8);
        preview.DrawFontSheet();
        pane = preview.findChild<QFrame *>(QStringLiteral("picPanelFont"));
        scroll = preview.findChild<QScrollBar *>(QStringLiteral("hsbFont"));
        shown = QImage(pane->size(), QImage::Format_RGB32);
    }
    void paint() { pane->render(&shown); }

    TexelFont font;
    FontPreview preview;
    QFrame *pane = nullptr;
    QScrollBar *scroll = nullptr;
    QImage shown;
};

void BM_SheetRedraw8x(benchmark::State &state)
{
    Sheet sheet;
    for (auto _ : state) {
        sheet.preview.DrawFontSheet();
        sheet.paint();
    }
    state.counters["sheetWidth"] = double(sheet.scroll->maximum() + sheet.pane->width());
}

void BM_SheetPanFrame8x(benchmark::State &state)
{
    Sheet sheet;
    int value = 0;
    for (auto _ : state) {
        value = (value + sheet.scroll->singleStep()) % std::max(sheet.scroll->maximum(), 1);
        sheet.scroll->setValue(value);
        sheet.paint();
    }
}

} // namespace

BENCHMARK(BM_SheetRedraw8x)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetPanFrame8x)->Unit(benchmark::kMillisecond);
