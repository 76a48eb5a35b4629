#include "ui/window_parts.hpp"

#include "ui/window/form_controls.hpp"

namespace mirvok::ui {

RunWidgets runWidgets(const FormControls& ui) {
    return {.count = ui.DoTest,
            .simulate = ui.SimulateButton,
            .read = ui.ReadButton,
            .save = ui.SaveButton,
            .stop = ui.StopButton,
            .pause = ui.PauseButton,
            .maxDiff = ui.MaxDiff,
            .zeroDiff = ui.ZeroDiff,
            .graphicTrace = ui.GraphicTrace,
            .speed = ui.speed};
}

DisplayWidgets displayWidgets(const FormControls& ui, StatusPanels& status) {
    return {.inImage = ui.InImage,
            .outImage = ui.OutImage,
            .plotter = ui.Plotter,
            .variImage = ui.VariImage,
            .axisLabels = {ui.Nsteps0Text, ui.Nsteps1Text, ui.Nsteps2Text, ui.Nsteps3Text,
                           ui.Nsteps4Text},
            .timeEdit = ui.TimeEdit,
            .ign = ui.ign,
            .pbV1 = ui.pbV1,
            .pbV2 = ui.pbV2,
            .v1Act = ui.V1_act,
            .v2Act = ui.V2_act,
            .vdiff = ui.Vdiff,
            .status = &status};
}

BatchWidgets batchWidgets(const FormControls& ui) {
    return {.all = ui.All,
            .stop = ui.StopButton,
            .count = ui.DoTest,
            .askFile = ui.askfile,
            .firstDel = ui.FirstDel,
            .diffIntervals = ui.diffintervals,
            .quantify = ui.quantify,
            .quantifyZeroOne = ui.c01};
}

}  // namespace mirvok::ui
