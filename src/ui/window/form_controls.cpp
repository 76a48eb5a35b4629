#include "ui/window/form_controls.hpp"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <stdexcept>

#include "ui/window/image_area.hpp"
#include "ui/window/line_list_view.hpp"
#include "ui/window/ui_text.hpp"
#include "ui/window/window_layout.hpp"
#include "values/value_table.hpp"

namespace mirvok::ui {
namespace {

constexpr int kLabelGap = 4;

QLabel* addLabel(QWidget* form, const QString& text, int left, int top, int width, int height) {
    auto* label = new QLabel(text, form);
    label->setGeometry(left, top, width, height);
    return label;
}

// Label to the left of a control at its height, right-aligned against it.
void addSideLabels(QWidget* form, const ControlEntry& c) {
    const QFontMetrics metrics(form->font());
    if (c.label) {
        const QString text = localeDefaultText(c.label);
        const int width = metrics.horizontalAdvance(text) + 2;
        QLabel* l = addLabel(form, text, c.left - kLabelGap - width, c.top, width, c.height);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (c.labelAfter) {
        const QString text = QString::fromUtf8(c.labelAfter);
        const int width = metrics.horizontalAdvance(text) + 2;
        QLabel* l = addLabel(form, text, c.left + c.width + kLabelGap, c.top, width, c.height);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

// A value box the display writes: read-only, never greyed, its text dark
// on whatever colour the display gives its background.
void showReadOnly(QLineEdit* edit) {
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    QPalette palette = edit->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Text, Qt::black);
    edit->setPalette(palette);
}

// A box of a value shows the table's default; any other control its
// layout text.
QString startText(const ControlEntry& c) {
    if (const ValueRow* row = rowOfControl(c.name)) {
        QString text = toQt(row->defaultText);
        text.replace(QLatin1Char('.'), QLatin1Char(decimalSeparator()));
        return text;
    }
    return localeDefaultText(c.text);
}

QWidget* makeWidget(QWidget* form, const ControlEntry& c) {
    const QString text = startText(c);
    switch (c.kind) {
        case ControlKind::Edit:
        case ControlKind::ReadOnlyEdit: {
            auto* edit = new QLineEdit(text, form);
            if (c.kind == ControlKind::ReadOnlyEdit) showReadOnly(edit);
            return edit;
        }
        case ControlKind::Button:
            return new QPushButton(text, form);
        case ControlKind::CheckBox:
            return new QCheckBox(text, form);
        case ControlKind::TrackBar: {
            auto* bar = new QSlider(Qt::Horizontal, form);
            bar->setRange(1, 1000);
            bar->setValue(1);
            bar->setTickInterval(100);
            bar->setTickPosition(QSlider::TicksBelow);
            bar->setPageStep(100);
            return bar;
        }
        case ControlKind::ProgressBar: {
            auto* bar = new QProgressBar(form);
            bar->setOrientation(Qt::Vertical);
            bar->setRange(0, 100);
            bar->setValue(text.toInt());
            bar->setTextVisible(false);
            return bar;
        }
        case ControlKind::ListBox:
            return new LineListView(form);
        case ControlKind::Image:
            return new ImageArea(form);
        case ControlKind::Label: {
            auto* label = new QLabel(text, form);
            if (c.colour != 0)
                label->setStyleSheet(
                    QStringLiteral("color: #%1").arg(c.colour, 6, 16, QLatin1Char('0')));
            return label;
        }
        case ControlKind::Bevel: {
            auto* frame = new QFrame(form);
            frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
            return frame;
        }
    }
    throw std::logic_error("unknown control kind");
}

// Every control is a direct child of the form, as createControls makes it.
template <class T>
T* named(QWidget* form, std::string_view name) {
    T* widget =
        form->findChild<T*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                            Qt::FindDirectChildrenOnly);
    if (!widget) throw std::logic_error("missing control " + std::string(name));
    return widget;
}

}  // namespace

QLineEdit* parameterBox(const FormControls& ui, std::string_view name) {
    return named<QLineEdit>(ui.TimeEdit->parentWidget(), name);
}

FormControls createControls(QWidget* form) {
    // Designed for a narrow 8 point sans serif font, 11 pixels high. The
    // common sans serif faces are wider; condensed, their captions and
    // status texts fit the designed sizes instead of being cut off.
    QFont small = form->font();
    small.setPixelSize(11);
    small.setStretch(80);
    form->setFont(small);
    for (const ControlEntry& c : windowLayout()) {
        QWidget* w = makeWidget(form, c);
        w->setObjectName(QString::fromUtf8(c.name));
        w->setGeometry(c.left, c.top, c.width, c.height);
        addSideLabels(form, c);
    }
    FormControls u;
#define MIRVOK_BIND(name, kind, ...) u.name = named<WidgetOf<ControlKind::kind>::type>(form, #name);
    MIRVOK_WINDOW_CONTROLS(MIRVOK_BIND)
#undef MIRVOK_BIND
    u.PauseButton->setEnabled(false);
    u.StopButton->setEnabled(false);
    u.FirstDel->setChecked(true);
    return u;
}

}  // namespace mirvok::ui
