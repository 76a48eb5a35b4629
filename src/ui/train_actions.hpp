#pragma once

#include <string>

#include "trains/gamma_generator.hpp"

namespace mirvok::ui {

struct FormControls;

// The generator's entries read from the window's boxes: "CV:", "shape:",
// "isi:" and "+/-", each converted with the locale's separator when the
// generator asks for it; the shape text is written into the "shape:" box.
class BoxGeneratorEntries final : public GeneratorEntries {
  public:
    explicit BoxGeneratorEntries(const FormControls& ui) : ui_(ui) {}
    double cv() override;
    void writeShape(const std::string& text) override;
    double shape() override;
    double isi() override;
    double isiJitter() override;
    char decimalSeparator() const override;

  private:
    const FormControls& ui_;
};

}  // namespace mirvok::ui
