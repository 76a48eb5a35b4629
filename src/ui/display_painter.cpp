#include "ui/display_painter.hpp"

#include "ui/tform1.hpp"

namespace mirvok::ui {

void paintDisplays(TForm1&) {}

}  // namespace mirvok::ui
