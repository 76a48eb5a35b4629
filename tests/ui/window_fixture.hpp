#pragma once

// A main window over its own state, a fixed random source and scripted
// dialogs, under the C locale unless a test sets another before making it.
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <functional>

#include "model/sim_state.hpp"
#include "parts_fixture.hpp"
#include "random/random_source.hpp"
#include "ui/dialogs/interval_dialog.hpp"
#include "ui/dialogs/scripted/scripted_dialogs.hpp"
#include "ui/tform1.hpp"
#include "ui/window/form_controls.hpp"
#include "ui/window/line_list_view.hpp"
#include "ui/window/status_panels.hpp"

struct Window {
    mirvok::SimState state;
    mirvok::Pcg31 random{1};
    mirvok::ui::ScriptedDialogs dialogs;
    mirvok::ui::TForm1 form{state, random, dialogs};

    const mirvok::ui::FormControls& ui() const { return form.ui(); }

    void loadRegularTrain(int ms, int every, int first = 1) {
        ::loadRegularTrain(state, ui().TimeEdit, ms, every, first);
    }
};

// One scripted pass of the interval dialog: slider position, isi and CV.
inline std::function<int(QDialog&)> intervalPass(int position, const QString& isi,
                                                 const QString& cv) {
    return [=](QDialog& d) {
        auto& dialog = static_cast<mirvok::ui::TOKBottomDlg&>(d);
        dialog.IsiEntry->setText(isi);
        dialog.CVEntry->setText(cv);
        dialog.TrackBar1->setValue(position);
        return int(QDialog::Accepted);
    };
}

// The lines a list box shows.
inline QStringList listLines(const mirvok::ui::LineListView* box) {
    QStringList lines;
    for (int i = 0; i < box->model()->rowCount(); ++i)
        lines << box->model()->index(i, 0).data().toString();
    return lines;
}

// A fresh folder as the working directory for as long as it lives, for
// batches that write "output.csv" there.
struct InTempFolder {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    InTempFolder() { QDir::setCurrent(dir.path()); }
    ~InTempFolder() { QDir::setCurrent(previous); }
};
