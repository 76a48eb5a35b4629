#pragma once

#include <QString>
#include <QStringList>
#include <exception>
#include <string>

#include "analysis/analysis_params.hpp"
#include "model/rates.hpp"
#include "model/reset.hpp"

class QLineEdit;
class QListWidget;

namespace mirvok::ui {

struct FormControls;

// The reset's five values read from TimeEdit, V1_start, V2_start, MaxDiff and
// ZeroDiff, each converted when the reset asks for it. completed() tells
// whether the last of them (ZeroDiff) was read, i.e. the reset got through.
class BoxResetValues final : public ResetValues {
  public:
    explicit BoxResetValues(const FormControls& ui) : ui_(ui) {}
    int timeMs() override;
    double v1Start() override;
    double v2Start() override;
    double maxDiff() override;
    double zeroDiff() override;

    void clearCompleted() { completed_ = false; }
    bool completed() const { return completed_; }

  private:
    const FormControls& ui_;
    bool completed_ = false;
};

// A box value converted once per change of its text: watch() converts the
// box's text now and again at every textChanged; value() returns the
// converted number, or throws the conversion error of a text that did not
// convert.
class CachedBoxValue {
  public:
    CachedBoxValue() = default;
    // The connection made by watch() refers to this object: never copied.
    CachedBoxValue(const CachedBoxValue&) = delete;
    CachedBoxValue& operator=(const CachedBoxValue&) = delete;

    void watch(QLineEdit* box);
    double value() const;

  private:
    void refresh(const QString& text);

    double value_ = 0.0;
    std::exception_ptr error_;  // the conversion's error, thrown again on use
};

// The four rates of the step from gamma1, gamma2, delta1 and delta2, cached
// per box and refreshed at every change of its text.
class CachedBoxRates final : public RateSource {
  public:
    explicit CachedBoxRates(const FormControls& ui);

    double gamma1() override { return gamma1_.value(); }
    double gamma2() override { return gamma2_.value(); }
    double delta1() override { return delta1_.value(); }
    double delta2() override { return delta2_.value(); }

  private:
    CachedBoxValue gamma1_, gamma2_, delta1_, delta2_;
};

// The analysis values from ign, Range and C0Edit, converted when asked.
// c0 is asked for at every local window of every run, so it is converted
// once per change of its text, like the rates.
class BoxAnalysisParams final : public AnalysisParams {
  public:
    explicit BoxAnalysisParams(const FormControls& ui);
    int ign() override;
    int range() override;
    double c0() override;

  private:
    const FormControls& ui_;
    CachedBoxValue c0_;
};

// The local-CV lines of the analysis, shown in VariBox. Lines are collected
// and shown by flush() in one insertion: adding them one by one costs more
// than the analysis itself, which a batch repeats for every run.
class ListBoxSink final : public VariLineSink {
  public:
    explicit ListBoxSink(QListWidget* box) : box_(box) {}
    void clear() override;
    void append(const std::string& line) override;
    void flush();

  private:
    QListWidget* box_;
    QStringList pending_;
};

}  // namespace mirvok::ui
