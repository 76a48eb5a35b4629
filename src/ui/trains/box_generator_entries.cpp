#include "ui/trains/box_generator_entries.hpp"

#include <QLineEdit>

#include "ui/boxes/box_params.hpp"
#include "ui/window/event_pump.hpp"
#include "ui/window/ui_text.hpp"
#include "values/value_table.hpp"

namespace mirvok::ui {

double BoxGeneratorEntries::cv() {
    return boxes_.valueBox(*rowOfGeneratorEntry(GeneratorEntry::Cv)).value();
}

void BoxGeneratorEntries::writeShape(const std::string& text) {
    shapeBox_->setText(toQt(text));
}

double BoxGeneratorEntries::shape() {
    return boxes_.shape.value();
}

double BoxGeneratorEntries::isi() {
    return boxes_.valueBox(*rowOfGeneratorEntry(GeneratorEntry::Isi)).value();
}

double BoxGeneratorEntries::isiJitter() {
    return boxes_.valueBox(*rowOfGeneratorEntry(GeneratorEntry::IsiJitter)).value();
}

char BoxGeneratorEntries::decimalSeparator() const {
    return ui::decimalSeparator();
}

void BoxGeneratorEntries::pumpEvents() {
    pump_.pump();
}

}  // namespace mirvok::ui
