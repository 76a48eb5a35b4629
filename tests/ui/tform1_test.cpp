// The main window at start and its handler plumbing.
#include "ui/tform1.hpp"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

#include "text/errors.hpp"
#include "ui/form_controls.hpp"
#include "ui/image_area.hpp"
#include "ui/interval_dialog.hpp"
#include "ui/scripted_dialogs.hpp"
#include "ui/status_panels.hpp"
#include "ui/window_layout.hpp"

using namespace mirvok;
using namespace mirvok::ui;

class TForm1Test : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void start_state_matches_the_layout() {
        SimState state;
        Pcg31 random(1);
        ScriptedDialogs dialogs;
        TForm1 form(state, random, dialogs);
        const FormControls& ui = form.ui();
        QCOMPARE(form.objectName(), QString("Form1"));
        QCOMPARE(form.windowTitle(), QString("Mirvok v6.1"));
        QVERIFY(!ui.StopButton->isEnabled());
        QVERIFY(!ui.PauseButton->isEnabled());
        QVERIFY(ui.SimulateButton->isEnabled());
        QVERIFY(!ui.GraphicTrace->isChecked());
        QVERIFY(ui.FirstDel->isChecked());
        QCOMPARE(ui.speed->value(), 1);
        QCOMPARE(form.StatusBar().text(0), QString("no input"));
        QCOMPARE(form.StatusBar().text(1), QString("no ouput"));
        QCOMPARE(form.StatusBar().count(), 12);
        QCOMPARE(state.Nsteps, 2000);
        QVERIFY(ui.DoTest->isDefault());
        QVERIFY(!form.Timer1().isActive());
        QCOMPARE(form.Timer1().interval(), 10);
        QVERIFY(!form.OKBottomDlg().isVisible());
        QVERIFY(!ui.V1_act->isEnabled() && !ui.V2_act->isEnabled() && !ui.Vdiff->isEnabled());
    }

    void every_layout_control_exists_at_its_place() {
        SimState state;
        Pcg31 random(1);
        ScriptedDialogs dialogs;
        TForm1 form(state, random, dialogs);
        form.show();
        for (const ControlSpec& c : windowLayout()) {
            auto* w = form.findChild<QWidget*>(QString::fromUtf8(c.name));
            QVERIFY2(w, c.name);
            QCOMPARE(w->geometry(), QRect(c.left, c.top, c.width, c.height));
            // Every control, also those beyond the designed area, is visible.
            QVERIFY2(form.rect().contains(w->geometry()), c.name);
            QVERIFY2(w->isVisible(), c.name);
        }
        QVERIFY(!form.StatusBar().geometry().intersects(form.ui().VariImage->geometry()));
    }
};

QTEST_MAIN(TForm1Test)
#include "tform1_test.moc"
