#pragma once

#include <string>

#include "trains/gamma_generator.hpp"

class QLineEdit;

namespace mirvok::ui {

class EventPump;
class ParameterBoxes;

// The generator's entries read from the window's boxes: "CV:", "shape:",
// "isi:" and "+/-"; the shape text is written into the "shape:" box. While
// a long train is drawn the window's events are handled.
class BoxGeneratorEntries final : public GeneratorEntries {
  public:
    BoxGeneratorEntries(const ParameterBoxes& boxes, QLineEdit* shapeBox, EventPump& pump)
        : boxes_(boxes), shapeBox_(shapeBox), pump_(pump) {}
    double cv() override;
    void writeShape(const std::string& text) override;
    double shape() override;
    double isi() override;
    double isiJitter() override;
    char decimalSeparator() const override;
    void pumpEvents() override;

  private:
    const ParameterBoxes& boxes_;
    QLineEdit* shapeBox_;
    EventPump& pump_;
};

}  // namespace mirvok::ui
