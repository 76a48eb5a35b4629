#include "ui/dialogs/interval_dialog.hpp"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <algorithm>
#include <vector>

#include "base/errors.hpp"
#include "trains/segment_definition.hpp"

namespace {

QLabel* placedLabel(QWidget* parent, const char* name, const char* text, int left, int top) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromUtf8(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLineEdit* placedEdit(QWidget* parent, const char* name, const char* text, const QRect& place) {
    auto* edit = new QLineEdit(QString::fromUtf8(text), parent);
    edit->setObjectName(QString::fromUtf8(name));
    edit->setGeometry(place);
    return edit;
}

}  // namespace

namespace mirvok::ui {

TOKBottomDlg::TOKBottomDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OKBottomDlg"));
    // The design caption; every use replaces it with the pass number.
    setWindowTitle(QStringLiteral("Define intervals"));
    setModal(true);
    setFixedSize(640, 181);
    buildControls();
}

void TOKBottomDlg::buildControls() {
    // The frame first, so that it lies beneath the controls it surrounds.
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 617, 161);

    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setGeometry(16, 16, 601, 45);
    TrackBar1->setRange(0, 1199);
    TrackBar1->setValue(0);
    TrackBar1->setTickInterval(10);
    TrackBar1->setTickPosition(QSlider::TicksBothSides);

    Label1 = placedLabel(this, "Label1", "isi:", 32, 72);
    IsiEntry = placedEdit(this, "IsiEntry", "20", QRect(88, 72, 121, 21));
    Label4 = placedLabel(this, "Label4", "CV:", 32, 104);
    CVEntry = placedEdit(this, "CVEntry", "1", QRect(88, 96, 121, 21));
    Label2 = placedLabel(this, "Label2", "shape:", 32, 128);
    ShapeEntry = placedEdit(this, "ShapeEntry", "1", QRect(88, 120, 121, 21));

    Curpos = placedLabel(this, "Curpos", "curpos: 0", 328, 88);
    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(16);
    bold.setBold(true);
    Curpos->setFont(bold);
    Curpos->setMinimumWidth(180);
    Curpos->adjustSize();

    NextButton = new QPushButton(QStringLiteral("Next"), this);
    NextButton->setObjectName(QStringLiteral("NextButton"));
    NextButton->setGeometry(527, 92, 75, 25);
    NextButton->setDefault(true);
    NextButton->setAutoDefault(true);

    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(527, 124, 75, 25);
    CancelButton->setAutoDefault(false);

    setTabOrder(NextButton, TrackBar1);
    setTabOrder(TrackBar1, IsiEntry);
    setTabOrder(IsiEntry, ShapeEntry);
    setTabOrder(ShapeEntry, CVEntry);
    setTabOrder(CVEntry, CancelButton);

    connect(TrackBar1, &QSlider::valueChanged, this, &TOKBottomDlg::TrackBar1Change);
    connect(NextButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TOKBottomDlg::TrackBar1Change() {
    Curpos->setText(QStringLiteral("curpos: ") + QString::number(TrackBar1->value()));
    Curpos->adjustSize();
}

void TOKBottomDlg::defineIntervals(Segments& segments, int Nsteps, char decimalSeparator,
                                   const PassRunner& runPass, const MessageSink& showMessage) {
    const Segments before = segments;
    SegmentDefinition definition(segments, Nsteps);
    TrackBar1->setValue(0);
    // The minimum stays 0; a run without steps leaves nothing to slide over.
    TrackBar1->setMaximum(std::max(0, definition.trackMax()));
    while (!definition.done()) {
        setWindowTitle(QString::fromStdString(definition.caption()));
        if (runPass(*this) != QDialog::Accepted) {
            segments = before;
            return;
        }
        try {
            const auto result = definition.pass(TrackBar1->value(), IsiEntry->text().toStdString(),
                                                CVEntry->text().toStdString(), decimalSeparator);
            if (result.outcome == SegmentDefinition::Outcome::NotRightOfLast) {
                TrackBar1->setValue(definition.lastBound());
                continue;
            }
            ShapeEntry->setText(QString::fromStdString(result.shapeText));
        } catch (const Error& refused) {
            // Nothing was stored: the same pass is asked for again.
            showMessage(refused.what());
        }
    }
}

}  // namespace mirvok::ui
