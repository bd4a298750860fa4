#include "common/form_model.h"

#include <stdexcept>

#include "common/number.h"

namespace heatcalc {

namespace {

// The number a field's text denotes; a failed Num naming the field when it denotes none.
Num numberIn(const std::string& text, std::string_view field)
{
    const NumberReading reading = ReadNumber(text);
    switch (reading.status) {
    case NumberReading::Status::Number:
        return Num(reading.value);
    case NumberReading::Status::OutOfRange:
        return Num::failed(FailureReason::NumberOutOfRange, field);
    case NumberReading::Status::NotANumber:
        break;
    }
    return Num::failed(FailureReason::NotANumber, field);
}

}  // namespace

FormModel::FormModel(const FormDesign& design, std::span<const Field> fields)
    : design_(design), fieldSlots_(Field::Codes, NoSlot)
{
    texts_.reserve(design.controls.size());
    for (const Control& c : design.controls) {
        index_.emplace(controlKey(c), texts_.size());
        texts_.emplace_back(c.text);
    }
    for (const Field& f : fields) {
        const auto it = index_.find(f.key());
        if (it == index_.end())
            throw std::logic_error(std::string(design.name) + " has no control " + std::string(f.key()));
        if (fieldSlots_[f.code_] != NoSlot)
            throw std::logic_error(std::string(design.name) + " names " + std::string(f.key()) + " twice");
        fieldSlots_[f.code_] = static_cast<std::uint32_t>(it->second);
    }
}

std::size_t FormModel::slot(std::string_view control) const
{
    auto it = index_.find(control);
    if (it == index_.end())
        throw std::invalid_argument(std::string(design_.name) + " has no control " + std::string(control));
    return it->second;
}

std::size_t FormModel::slot(Field field) const
{
    const std::uint32_t s = fieldSlots_[field.code_];
    if (s == NoSlot)
        throw std::logic_error(std::string(design_.name) + " names no field " + std::string(field.key()));
    return s;
}

std::string FormModel::text(std::string_view control) const
{
    return texts_[slot(control)];
}

void FormModel::setText(std::string_view control, std::string text)
{
    texts_[slot(control)] = std::move(text);
}

std::string FormModel::text(Field field) const
{
    return texts_[slot(field)];
}

void FormModel::setText(Field field, std::string text)
{
    texts_[slot(field)] = std::move(text);
}

bool FormModel::run(std::string_view name)
{
    for (auto& [handlerName, body] : handlers_) {
        if (handlerName == name) {
            body();
            return true;
        }
    }
    return false;
}

bool FormModel::hasHandler(std::string_view name) const
{
    for (const auto& entry : handlers_)
        if (entry.first == name)
            return true;
    return false;
}

int FormModel::interval(std::string_view timer) const
{
    auto it = intervals_.find(std::string(timer));
    return it == intervals_.end() ? 0 : it->second;
}

Num FormModel::num(std::string_view field) const
{
    return numberIn(texts_[slot(field)], field);
}

Num FormModel::num(Field field) const
{
    return numberIn(texts_[slot(field)], field.key());
}

void FormModel::Statement::operator<<(const Num& value)
{
    model_.texts_[slot_] = FormatNumber(value.value(field_));
}

void FormModel::Statement::operator<<(const OneDecimal& value)
{
    model_.texts_[slot_] = FormatOneDecimal(value.value.value(field_));
}

void FormModel::Statement::operator<<(std::string_view text)
{
    model_.texts_[slot_] = std::string(text);
}

void FormModel::handler(std::string_view name, std::function<void()> body)
{
    handlers_.emplace_back(std::string(name), std::move(body));
}

void FormModel::setInterval(std::string_view timer, int ms)
{
    intervals_[std::string(timer)] = ms;
}

}  // namespace heatcalc
