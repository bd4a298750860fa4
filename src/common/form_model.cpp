#include "common/form_model.h"

#include <stdexcept>

#include "common/number.h"

namespace heatcalc {

FormModel::FormModel(const FormDesign& design) : design_(design)
{
    texts_.reserve(design.controls.size());
    for (const Control& c : design.controls) {
        index_.emplace(controlKey(c), texts_.size());
        texts_.emplace_back(c.text);
    }
}

std::size_t FormModel::slot(std::string_view control) const
{
    auto it = index_.find(control);
    if (it == index_.end())
        throw std::invalid_argument(std::string(design_.name) + " has no control " + std::string(control));
    return it->second;
}

std::string FormModel::text(std::string_view control) const
{
    return texts_[slot(control)];
}

void FormModel::setText(std::string_view control, std::string text)
{
    texts_[slot(control)] = std::move(text);
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
    const NumberReading reading = ReadNumber(texts_[slot(field)]);
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

void FormModel::Statement::operator<<(const Num& value)
{
    model_.setText(field_, FormatNumber(value.value(field_)));
}

void FormModel::Statement::operator<<(const OneDecimal& value)
{
    model_.setText(field_, FormatOneDecimal(value.value.value(field_)));
}

void FormModel::Statement::operator<<(std::string_view text)
{
    model_.setText(field_, std::string(text));
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
