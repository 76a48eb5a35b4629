#pragma once

#include <QString>
#include <deque>
#include <exception>
#include <string>

#include "base/errors.hpp"
#include "model/value_source.hpp"
#include "ui/window/error_report.hpp"
#include "values/value_table.hpp"

class QLineEdit;

namespace mirvok::ui {

struct FormControls;

template <class E>
class BoxError final : public E, public BoxTitled {
  public:
    BoxError(const E& error, QString title) : E(error), BoxTitled(std::move(title)) {}
};

// The error a box's text raised, as a BoxError of its own type.
std::exception_ptr titledBoxError(const QString& title);

// One parameter box converted once per change of its text: the number it
// holds is ready when a step or a batch asks, and a step reads no text.
// value() returns that number. A text that does not convert throws its
// conversion error, titled with the box, except while the owner keeps last
// valid values: then the box answers with the last number it converted to.
class CachedBoxValue {
  public:
    enum class Kind { Integer, Real };

    CachedBoxValue(QLineEdit* box, Kind kind, const bool& keepLastValid);
    // The connection to the box refers to this object: never copied.
    CachedBoxValue(const CachedBoxValue&) = delete;
    CachedBoxValue& operator=(const CachedBoxValue&) = delete;

    double value() const {
        if (error_ && !(keepLastValid_ && hasValid_)) std::rethrow_exception(error_);
        return value_;
    }
    int intValue() const { return static_cast<int>(value()); }

  private:
    void refresh(const QString& text);

    Kind kind_;
    QString title_;
    const bool& keepLastValid_;
    double value_ = 0.0;  // the last valid value
    bool hasValid_ = false;
    std::exception_ptr error_;  // the current text's conversion error
};

// Every box that a run, the generator, the analysis or a batch reads: one
// per row of the value table, found by its control name and converted as the
// row's kind says, and the window's own "shape:" and "iterations:".
class ParameterBoxes {
  public:
    explicit ParameterBoxes(const FormControls& ui);
    ParameterBoxes(const ParameterBoxes&) = delete;
    ParameterBoxes& operator=(const ParameterBoxes&) = delete;

    // For its lifetime (a batch, from its checked start to its end) a box
    // whose text does not convert answers with its last valid value, so that
    // typing a new value, which passes through an empty box or half a
    // number, neither ends a batch nor spoils its records.
    class KeepLastValid {
      public:
        explicit KeepLastValid(ParameterBoxes& boxes) : boxes_(boxes) {
            boxes_.keepLastValid_ = true;
        }
        ~KeepLastValid() { boxes_.keepLastValid_ = false; }
        KeepLastValid(const KeepLastValid&) = delete;
        KeepLastValid& operator=(const KeepLastValid&) = delete;

      private:
        ParameterBoxes& boxes_;
    };

    // The box of a row of the value table, and of a value a run reads.
    const CachedBoxValue& valueBox(const ValueRow& row) const;
    const CachedBoxValue& valueBox(RunValue key) const { return valueBox(rowOfRunValue(key)); }

  private:
    bool keepLastValid_ = false;  // before the boxes, which refer to it
    // In table order; a deque, since the boxes must not move.
    std::deque<CachedBoxValue> values_;

  public:
    // The window's own "shape:" and "iterations:".
    CachedBoxValue shape, iterations;
};

// The boxes as a run reads them, each value from its row's box; the memory
// the run may take is the machine's.
class BoxValues final : public ValueSource {
  public:
    explicit BoxValues(const ParameterBoxes& boxes) : boxes_(boxes) {}
    double value(RunValue key) override { return boxes_.valueBox(key).value(); }
    std::uint64_t memoryBytes() override;

  private:
    const ParameterBoxes& boxes_;
};

}  // namespace mirvok::ui
