#pragma once

#include <string_view>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QWidget;

namespace mirvok::ui {

class ImageArea;
class LineListView;

// The named controls of the main window, one member per control, named as in
// the layout (window_layout.cpp). The window owns the widgets; these are
// plain pointers for the handlers to use.
struct FormControls {
    // Parameter boxes.
    QLineEdit* V1_start = nullptr;
    QLineEdit* gamma1 = nullptr;
    QLineEdit* delta1 = nullptr;
    QLineEdit* V2_start = nullptr;
    QLineEdit* gamma2 = nullptr;
    QLineEdit* delta2 = nullptr;
    QLineEdit* MaxDiff = nullptr;
    QLineEdit* TimeEdit = nullptr;
    QLineEdit* isi = nullptr;
    QLineEdit* isiInt = nullptr;
    QLineEdit* CVedit = nullptr;
    QLineEdit* ntests = nullptr;
    QLineEdit* C0Edit = nullptr;
    QLineEdit* ZeroDiff = nullptr;
    QLineEdit* ign = nullptr;
    QLineEdit* shape = nullptr;
    QLineEdit* localTolerance = nullptr;
    QLineEdit* Range = nullptr;
    QLineEdit* seedEdit = nullptr;  // empty: a seed from the clock
    // Read-only value boxes.
    QLineEdit* V1_act = nullptr;
    QLineEdit* V2_act = nullptr;
    QLineEdit* Vdiff = nullptr;
    // Buttons.
    QPushButton* ReadButton = nullptr;
    QPushButton* ReadMultipleButton = nullptr;
    QPushButton* SimulateButton = nullptr;
    QPushButton* PauseButton = nullptr;
    QPushButton* StopButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* newints = nullptr;
    QPushButton* GammaButton = nullptr;
    QPushButton* DoTest = nullptr;
    QPushButton* All = nullptr;
    QPushButton* ResultsButton = nullptr;
    QPushButton* CopyCommandButton = nullptr;
    // Check boxes.
    QCheckBox* GraphicTrace = nullptr;
    QCheckBox* askfile = nullptr;
    QCheckBox* FirstDel = nullptr;
    QCheckBox* diffintervals = nullptr;
    QCheckBox* quantify = nullptr;
    QCheckBox* c01 = nullptr;
    // Others.
    QSlider* speed = nullptr;
    QProgressBar* pbV1 = nullptr;
    QProgressBar* pbV2 = nullptr;
    LineListView* VariBox = nullptr;
    QFrame* Bevel4 = nullptr;
    // Displays and their time-axis labels.
    ImageArea* OutImage = nullptr;
    ImageArea* InImage = nullptr;
    ImageArea* Plotter = nullptr;
    ImageArea* VariImage = nullptr;
    QLabel* Nsteps0Text = nullptr;
    QLabel* Nsteps1Text = nullptr;
    QLabel* Nsteps2Text = nullptr;
    QLabel* Nsteps3Text = nullptr;
    QLabel* Nsteps4Text = nullptr;
};

// The parameter box of that control name, for the parts that take their
// boxes from the value table's rows.
QLineEdit* parameterBox(const FormControls& ui, std::string_view name);

// Creates every control of the layout on `form`, each with its objectName,
// default text (with the locale's decimal separator), label, place and
// initial state, and returns the named pointers.
FormControls createControls(QWidget* form);

}  // namespace mirvok::ui
