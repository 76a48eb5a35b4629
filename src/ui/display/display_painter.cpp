#include "ui/display/display_painter.hpp"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <algorithm>
#include <array>

#include "ui/display/display_scene.hpp"
#include "ui/window/form_controls.hpp"
#include "ui/window/image_area.hpp"
#include "ui/window/status_panels.hpp"
#include "ui/window/ui_text.hpp"

namespace mirvok::ui {
namespace {

constexpr Rgb kAqua = 0x00FFFF;
constexpr int kFarRow = 1 << 20;

AreaSize sizeOf(const ImageArea* area) {
    return {area->width(), area->height()};
}

void paintArea(ImageArea* target, const AreaDrawing& area) {
    QPixmap& canvas = target->canvas();
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing, false);
    const int w = area.size.width;
    const int h = area.size.height;
    if (area.baseline && h > 0) {
        p.setPen(QColor(kBlack));
        p.drawLine(0, h - 1, w - 1, h - 1);
    }
    for (const Polyline& line : area.polylines) {
        if (line.points.size() < 2) continue;
        p.setPen(QColor(line.colour));
        std::vector<QPoint> points;
        points.reserve(line.points.size());
        // Rows of runaway volumes lie far outside; keep them in the painter's range.
        for (const Point& pt : line.points)
            points.emplace_back(pt.x, std::clamp(pt.y, -kFarRow, kFarRow));
        p.drawPolyline(points.data(), static_cast<int>(points.size()));
    }
    for (const VLine& line : area.lines) {
        p.setPen(QColor(line.colour));
        p.drawLine(line.x, line.top, line.x, line.bottom);
    }
    if (!area.texts.empty()) {
        p.setPen(QColor(kBlack));
        p.setBackground(Qt::white);
        p.setBackgroundMode(Qt::OpaqueMode);
        const QFontMetrics metrics(p.font());
        for (const TextAt& text : area.texts)
            p.drawText(text.x, text.y + metrics.ascent(), toQt(text.text));
    }
    p.end();
    target->update();
}

int widestDigit(const QFont& font) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        widest = std::max(widest, metrics.horizontalAdvance(QLatin1Char(digit)));
    return widest;
}

void setVdiffColour(QLineEdit* box, bool match) {
    QPalette palette = box->palette();
    const QColor base = match ? QColor(kAqua) : QApplication::palette(box).color(QPalette::Base);
    palette.setColor(QPalette::Active, QPalette::Base, base);
    palette.setColor(QPalette::Inactive, QPalette::Base, base);
    palette.setColor(QPalette::Disabled, QPalette::Base, base);
    box->setPalette(palette);
}

}  // namespace

void paintDisplays(const SimState& state, const WindowState& window, const FormControls& ui,
                   StatusPanels& status, const TracesColumns& columns) {
    DisplayInputs inputs;
    inputs.inImage = sizeOf(ui.InImage);
    inputs.outImage = sizeOf(ui.OutImage);
    inputs.plotter = sizeOf(ui.Plotter);
    inputs.variImage = sizeOf(ui.VariImage);
    inputs.timeText = toStd(ui.TimeEdit->text());
    inputs.ignText = toStd(ui.ign->text());
    inputs.results = window.results;
    inputs.segmentBounds = window.segments.bounds.size();
    inputs.pbV1Max = ui.pbV1->maximum();
    inputs.pbV2Max = ui.pbV2->maximum();
    inputs.decimalSeparator = decimalSeparator();
    // The canvas is painted in the application font, not the widget's.
    inputs.digitWidth = widestDigit(QApplication::font());
    inputs.v1Columns = &columns.v1;
    inputs.v2Columns = &columns.v2;
    const DisplayScene scene = buildDisplayScene(state, inputs);

    const std::array<QLabel*, 5> axisLabels{ui.Nsteps0Text, ui.Nsteps1Text, ui.Nsteps2Text,
                                            ui.Nsteps3Text, ui.Nsteps4Text};
    for (std::size_t i = 0; i < axisLabels.size(); ++i)
        axisLabels[i]->setText(toQt(scene.axisLabels[i]));
    paintArea(ui.Plotter, scene.plotter);
    paintArea(ui.VariImage, scene.variImage);
    paintArea(ui.InImage, scene.inImage);
    paintArea(ui.OutImage, scene.outImage);
    if (scene.failure) std::rethrow_exception(scene.failure);

    ui.pbV1->setValue(scene.pbV1);
    ui.pbV2->setValue(scene.pbV2);
    ui.V1_act->setText(toQt(scene.v1Act));
    ui.V2_act->setText(toQt(scene.v2Act));
    for (const auto& [panel, text] : scene.panels) status.setText(panel, toQt(text));
    ui.Vdiff->setText(toQt(scene.vdiff));
    setVdiffColour(ui.Vdiff, scene.vdiffMatch);
}

void recordTraceStep(const SimState& s, const FormControls& ui, TracesColumns& columns) {
    const long long k = s.curStep;
    if (k < 0 || static_cast<size_t>(k) >= s.V1trace.size() ||
        s.V1trace.size() != s.V2trace.size()) {
        columns.v1.invalidate();
        columns.v2.invalidate();
        return;
    }
    const double spp = static_cast<double>(s.Nsteps) / ui.InImage->width();
    columns.v1.feed(k, s.V1trace[static_cast<size_t>(k)], spp, s.V1trace.size());
    columns.v2.feed(k, s.V2trace[static_cast<size_t>(k)], spp, s.V2trace.size());
}

}  // namespace mirvok::ui
