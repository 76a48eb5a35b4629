#include "ui/box_params.hpp"

#include <QLineEdit>
#include <QListWidget>

#include "text/errors.hpp"
#include "ui/form_controls.hpp"
#include "ui/ui_text.hpp"

namespace mirvok::ui {

CachedBoxValue::CachedBoxValue(QLineEdit* box, Kind kind, const bool& keepLastValid)
    : kind_(kind), keepLastValid_(keepLastValid) {
    refresh(box->text());
    QObject::connect(box, &QLineEdit::textChanged, box,
                     [this](const QString& text) { refresh(text); });
}

void CachedBoxValue::refresh(const QString& text) {
    try {
        value_ = kind_ == Kind::Integer ? readInt(text) : readDouble(text);
        hasValid_ = true;
        error_ = nullptr;
    } catch (const Error&) {
        error_ = std::current_exception();
    }
}

ParameterBoxes::ParameterBoxes(const FormControls& ui)
    : time(ui.TimeEdit, CachedBoxValue::Kind::Integer, keepLastValid_),
      v1Start(ui.V1_start, CachedBoxValue::Kind::Real, keepLastValid_),
      v2Start(ui.V2_start, CachedBoxValue::Kind::Real, keepLastValid_),
      maxDiff(ui.MaxDiff, CachedBoxValue::Kind::Real, keepLastValid_),
      zeroDiff(ui.ZeroDiff, CachedBoxValue::Kind::Real, keepLastValid_),
      gamma1(ui.gamma1, CachedBoxValue::Kind::Real, keepLastValid_),
      gamma2(ui.gamma2, CachedBoxValue::Kind::Real, keepLastValid_),
      delta1(ui.delta1, CachedBoxValue::Kind::Real, keepLastValid_),
      delta2(ui.delta2, CachedBoxValue::Kind::Real, keepLastValid_),
      isi(ui.isi, CachedBoxValue::Kind::Real, keepLastValid_),
      isiJitter(ui.isiInt, CachedBoxValue::Kind::Real, keepLastValid_),
      cv(ui.CVedit, CachedBoxValue::Kind::Real, keepLastValid_),
      shape(ui.shape, CachedBoxValue::Kind::Real, keepLastValid_),
      iterations(ui.ntests, CachedBoxValue::Kind::Integer, keepLastValid_),
      c0(ui.C0Edit, CachedBoxValue::Kind::Real, keepLastValid_),
      ign(ui.ign, CachedBoxValue::Kind::Integer, keepLastValid_),
      range(ui.Range, CachedBoxValue::Kind::Integer, keepLastValid_) {}

void ListBoxSink::clear() {
    pending_.clear();
    box_->clear();
}

void ListBoxSink::append(const std::string& line) {
    pending_.append(toQt(line));
}

void ListBoxSink::flush() {
    if (pending_.isEmpty()) return;
    box_->addItems(pending_);
    pending_.clear();
}

}  // namespace mirvok::ui
