#include "ui/boxes/box_params.hpp"

#include <QLineEdit>
#include <QListWidget>

#include "ui/form_controls.hpp"
#include "ui/ui_text.hpp"
#include "ui/window_layout.hpp"

namespace mirvok::ui {

std::exception_ptr titledBoxError(const QString& title) {
    try {
        throw;
    } catch (const EOverflow& e) {
        return std::make_exception_ptr(BoxError<EOverflow>(e, title));
    } catch (const EZeroDivide& e) {
        return std::make_exception_ptr(BoxError<EZeroDivide>(e, title));
    } catch (const EInvalidOp& e) {
        return std::make_exception_ptr(BoxError<EInvalidOp>(e, title));
    } catch (const EConvertError& e) {
        return std::make_exception_ptr(BoxError<EConvertError>(e, title));
    } catch (const Error& e) {
        return std::make_exception_ptr(BoxError<Error>(e, title));
    }
}

CachedBoxValue::CachedBoxValue(QLineEdit* box, Kind kind, const bool& keepLastValid)
    : kind_(kind),
      title_(toQt(controlTitle(toStd(box->objectName())))),
      keepLastValid_(keepLastValid) {
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
        error_ = titledBoxError(title_);
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
