// Handlers whose behaviour is still to come; each moves to its own file.
#include "ui/tform1.hpp"

namespace mirvok::ui {

void TForm1::ReadButtonClick() {}
void TForm1::ReadMultipleButtonClick() {}
void TForm1::SaveButtonClick() {}
void TForm1::GammaButtonClick() {}
void TForm1::AllClick() {}
void TForm1::newintsClick() {}

}  // namespace mirvok::ui
