#include "ui/window/window_layout.hpp"

#include <array>

namespace mirvok::ui {
namespace {

using K = ControlKind;

const ControlEntry kLayout[] = {
#define MIRVOK_ROW(name, kind, ...) {#name, K::kind, __VA_ARGS__},
    MIRVOK_WINDOW_CONTROLS(MIRVOK_ROW)
#undef MIRVOK_ROW
};

// The step (2) and count (0) panels hold 8 digits; the seed (10) 10.
constexpr std::array<int, 12> kPanelWidths = {64, 80, 64, 70, 70, 40, 40, 70, 60, 60, 90, 65};

}  // namespace

std::span<const ControlEntry> windowLayout() {
    return kLayout;
}

std::string controlTitle(std::string_view name) {
    for (const ControlEntry& c : kLayout) {
        if (name != c.name) continue;
        if (!c.label) break;
        std::string title = c.label;
        if (!title.empty() && title.back() == ':') title.pop_back();
        return title;
    }
    return std::string(name);
}

std::span<const int> statusPanelWidths() {
    return kPanelWidths;
}

}  // namespace mirvok::ui
