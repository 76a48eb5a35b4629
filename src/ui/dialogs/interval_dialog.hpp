#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace mirvok {
struct Segments;
}

namespace mirvok::ui {

// The modal dialog of "define intervals": a track bar to the step where the
// current segment ends, the segment's mean interval and CV, and "Next".
// Created once and kept, so its entries keep their values between passes
// and between uses.
class TOKBottomDlg : public QDialog {
    Q_OBJECT

  public:
    explicit TOKBottomDlg(QWidget* parent = nullptr);

    QSlider* TrackBar1;
    QLabel* Label1;
    QLineEdit* IsiEntry;
    QLabel* Label4;
    QLineEdit* CVEntry;
    QLabel* Label2;
    QLineEdit* ShapeEntry;
    QLabel* Curpos;
    QPushButton* NextButton;
    QPushButton* CancelButton;
    QFrame* Bevel1;

    // Shows the dialog for one pass and returns its result when it is
    // closed: accepted by "Next", rejected by "Cancel", Esc or the close box.
    using PassRunner = std::function<int(TOKBottomDlg&)>;
    // Shows the message of a refused pass.
    using MessageSink = std::function<void(const std::string&)>;

    // Defines the segments of a run of Nsteps anew, pass by pass, until a
    // segment ends at the last step (Nsteps - 1). A pass with the slider not
    // right of the last bound stores nothing and puts the slider back on that
    // bound; a pass whose entries are refused shows why and asks again. The
    // segment lists stay consistent after every pass, and a rejected pass
    // puts back the segments defined before.
    void defineIntervals(Segments& segments, int Nsteps, char decimalSeparator,
                         const PassRunner& runPass, const MessageSink& showMessage);

  public slots:
    // "curpos: " and the track bar's position, a step index.
    void TrackBar1Change();

  private:
    void buildControls();
};

}  // namespace mirvok::ui
