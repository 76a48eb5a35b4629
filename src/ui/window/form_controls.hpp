#pragma once

#include <string_view>

#include "ui/window/window_layout.hpp"

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

// The widget type of each kind of control.
template <ControlKind kind>
struct WidgetOf;
template <>
struct WidgetOf<ControlKind::Edit> {
    using type = QLineEdit;
};
template <>
struct WidgetOf<ControlKind::ReadOnlyEdit> {
    using type = QLineEdit;
};
template <>
struct WidgetOf<ControlKind::Button> {
    using type = QPushButton;
};
template <>
struct WidgetOf<ControlKind::CheckBox> {
    using type = QCheckBox;
};
template <>
struct WidgetOf<ControlKind::TrackBar> {
    using type = QSlider;
};
template <>
struct WidgetOf<ControlKind::ProgressBar> {
    using type = QProgressBar;
};
template <>
struct WidgetOf<ControlKind::ListBox> {
    using type = LineListView;
};
template <>
struct WidgetOf<ControlKind::Image> {
    using type = ImageArea;
};
template <>
struct WidgetOf<ControlKind::Label> {
    using type = QLabel;
};
template <>
struct WidgetOf<ControlKind::Bevel> {
    using type = QFrame;
};

// The controls of the main window, one member per row of the layout
// (window_layout.hpp), named and typed as the row says. The window owns
// the widgets; these are plain pointers for the handlers to use.
struct FormControls {
#define MIRVOK_MEMBER(name, kind, ...) WidgetOf<ControlKind::kind>::type* name = nullptr;
    MIRVOK_WINDOW_CONTROLS(MIRVOK_MEMBER)
#undef MIRVOK_MEMBER
};

// The parameter box of that control name, for the parts that take their
// boxes from the value table's rows.
QLineEdit* parameterBox(const FormControls& ui, std::string_view name);

// Creates every control of the layout on `form`, each with its objectName,
// default text (the table's default for a box of a value, else the
// layout's, with the locale's decimal separator), label, place and initial
// state, and returns the named pointers.
FormControls createControls(QWidget* form);

}  // namespace mirvok::ui
