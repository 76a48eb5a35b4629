#include "ui/window_parts.hpp"

#include "ui/form_controls.hpp"

namespace mirvok::ui {

RunWidgets runWidgets(const FormControls& ui) {
    RunWidgets w;
    w.simulate = ui.SimulateButton;
    w.read = ui.ReadButton;
    w.save = ui.SaveButton;
    w.stop = ui.StopButton;
    w.pause = ui.PauseButton;
    w.maxDiff = ui.MaxDiff;
    w.zeroDiff = ui.ZeroDiff;
    w.graphicTrace = ui.GraphicTrace;
    w.speed = ui.speed;
    return w;
}

DisplayWidgets displayWidgets(const FormControls& ui, StatusPanels& status) {
    DisplayWidgets w;
    w.inImage = ui.InImage;
    w.outImage = ui.OutImage;
    w.plotter = ui.Plotter;
    w.variImage = ui.VariImage;
    w.axisLabels = {ui.Nsteps0Text, ui.Nsteps1Text, ui.Nsteps2Text, ui.Nsteps3Text, ui.Nsteps4Text};
    w.timeEdit = ui.TimeEdit;
    w.ign = ui.ign;
    w.pbV1 = ui.pbV1;
    w.pbV2 = ui.pbV2;
    w.v1Act = ui.V1_act;
    w.v2Act = ui.V2_act;
    w.vdiff = ui.Vdiff;
    w.status = &status;
    return w;
}

BatchWidgets batchWidgets(const FormControls& ui) {
    BatchWidgets w;
    w.all = ui.All;
    w.iterations = ui.ntests;
    w.shape = ui.shape;
    w.isi = ui.isi;
    w.askFile = ui.askfile;
    w.firstDel = ui.FirstDel;
    w.diffIntervals = ui.diffintervals;
    w.quantify = ui.quantify;
    w.quantifyZeroOne = ui.c01;
    return w;
}

}  // namespace mirvok::ui
