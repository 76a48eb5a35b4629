#pragma once

#include <span>
#include <string>
#include <string_view>

namespace mirvok::ui {

// The main window's controls as designed: name (the objectName), kind,
// caption or default text, place in pixels at 96 dpi, and the label that
// stands to the left of it. Default texts are written with a comma as the
// decimal separator; the window replaces it by its locale's separator.

enum class ControlKind {
    Edit,          // parameter box
    ReadOnlyEdit,  // value box written by the display, never enabled
    Button,
    CheckBox,
    TrackBar,
    ProgressBar,
    ListBox,
    Image,  // drawable image area
    Label,  // static text (axis labels, headings, scale labels)
    Bevel,  // frame
};

struct ControlEntry {
    const char* name;
    ControlKind kind;
    const char* text;  // caption, default text, or label text
    int left, top, width, height;
    const char* label = nullptr;       // label left of the control
    const char* labelAfter = nullptr;  // label right of the control ("steps")
    unsigned colour = 0;               // label colour as 0xRRGGBB (headings)
};

// Every control of the window, in creation order (later ones lie on top).
std::span<const ControlEntry> windowLayout();

// What the user calls a control: the label beside it without its colon
// ("gamma 1", "CV"), else its name.
std::string controlTitle(std::string_view name);

// The designed client area, and the one the window uses so that the controls
// placed beyond the designed area are visible too.
inline constexpr int kDesignWidth = 741;
inline constexpr int kDesignHeight = 494;
inline constexpr int kClientWidth = 897;
inline constexpr int kClientHeight = 546;  // above the status bar
inline constexpr int kStatusBarHeight = 19;

// Widths of the twelve status-bar panels.
std::span<const int> statusPanelWidths();

}  // namespace mirvok::ui
