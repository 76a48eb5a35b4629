#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch_iteration.hpp"
#include "text/json.hpp"
#include "trains/gamma_generator.hpp"
#include "trains/generator_settings.hpp"
#include "values/value_changes.hpp"

namespace mirvok::ui {

class ParameterBoxes;

// The boxes and ticks a batch reads, watched for edits while it runs so
// that its FILE.json lists every value its runs read (ValueChanges). Each
// look compares the numbers the boxes hold; the values are written out only
// when one changed, so looking after every handling of events costs a
// batch nothing.
class BatchEdits {
  public:
    BatchEdits(const ParameterBoxes& boxes, const Segments& segments)
        : boxes_(boxes), segments_(segments) {}

    // A batch starts with the boxes as they are now; a generated batch also
    // reads the iteration count before every run.
    void start(TrainChoice trains, bool generated);
    // The window's events were handled at `moment` of run `run`.
    void look(TrainChoice trains, int run, BatchMoment moment);
    // The edits so far, as FILE.json lists them (an empty list: none).
    Json changes() const;

  private:
    std::vector<double> numbers(TrainChoice trains) const;
    Json values(TrainChoice trains) const;

    const ParameterBoxes& boxes_;
    const Segments& segments_;
    bool generated_ = false;
    std::vector<double> seen_;
    std::optional<ValueChanges> changes_;
};

// The generator's entries of a batch, telling `handled` each time the
// window's events were handled while a train was drawn.
class WatchedEntries final : public GeneratorEntries {
  public:
    WatchedEntries(GeneratorEntries& entries, std::function<void()> handled)
        : entries_(entries), handled_(std::move(handled)) {}
    double cv() override { return entries_.cv(); }
    void writeShape(const std::string& text) override { entries_.writeShape(text); }
    double shape() override { return entries_.shape(); }
    double isi() override { return entries_.isi(); }
    double isiJitter() override { return entries_.isiJitter(); }
    char decimalSeparator() const override { return entries_.decimalSeparator(); }
    const Segments& segments() const override { return entries_.segments(); }
    void pumpEvents() override {
        entries_.pumpEvents();
        handled_();
    }

  private:
    GeneratorEntries& entries_;
    std::function<void()> handled_;
};

}  // namespace mirvok::ui
