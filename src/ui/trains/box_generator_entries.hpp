#pragma once

#include <string>

#include "trains/gamma_generator.hpp"

class QLineEdit;

namespace mirvok::ui {

class EventPump;
class ParameterBoxes;

// The generator's entries read from the window's boxes: "CV:", "shape:",
// "isi:" and "+/-"; the shape text is written into the "shape:" box; the
// segments are those the window holds. While a long train is drawn the
// window's events are handled.
class BoxGeneratorEntries final : public GeneratorEntries {
  public:
    BoxGeneratorEntries(const ParameterBoxes& boxes, QLineEdit* shapeBox, EventPump& pump,
                        const Segments& segments)
        : boxes_(boxes), shapeBox_(shapeBox), pump_(pump), segments_(segments) {}
    double cv() override;
    void writeShape(const std::string& text) override;
    double shape() override;
    double isi() override;
    double isiJitter() override;
    char decimalSeparator() const override;
    void pumpEvents() override;
    const Segments& segments() const override { return segments_; }

  private:
    const ParameterBoxes& boxes_;
    QLineEdit* shapeBox_;
    EventPump& pump_;
    const Segments& segments_;
};

}  // namespace mirvok::ui
