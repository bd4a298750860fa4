#include "common/form_model.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "common/number.h"

namespace heatcalc {

namespace {

// The number a field's text denotes, with the fields it comes from; a failed Num naming the
// field when it denotes none.
Num numberIn(const std::string& text, std::string_view field, const Sources& sources)
{
    const NumberReading reading = ReadNumber(text);
    switch (reading.status) {
    case NumberReading::Status::Number:
        return Num(reading.value, sources);
    case NumberReading::Status::OutOfRange:
        return Num::failed(FailureReason::NumberOutOfRange, field, sources);
    case NumberReading::Status::NotANumber:
        break;
    }
    return Num::failed(FailureReason::NotANumber, field, sources);
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
    // Typed or picked from outside: the field is an input of its own again.
    const std::size_t i = slot(control);
    texts_[i] = std::move(text);
    sources_.bySlot[i].written = false;
}

std::string FormModel::text(Field field) const
{
    return texts_[slot(field)];
}

void FormModel::setText(Field field, std::string text)
{
    const std::size_t i = slot(field);
    texts_[i] = std::move(text);
    sources_.bySlot[i].written = false;
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
    const std::size_t i = slot(field);
    return numberIn(texts_[i], field, sourcesOf(i));
}

Num FormModel::num(Field field) const
{
    const std::size_t i = slot(field);
    return numberIn(texts_[i], field.key(), sourcesOf(i));
}

FormModel::SourceTable::SourceTable(const FormDesign& design) : bySlot(design.controls.size())
{
    // The text boxes and lists in keyboard order, then those the keyboard does not reach in the
    // order of the design; a window has no more of them than a bit set holds.
    std::vector<std::size_t> fields;
    for (std::size_t i = 0; i < design.controls.size(); ++i) {
        const ControlKind kind = design.controls[i].kind;
        if (kind == ControlKind::TextBox || kind == ControlKind::ComboBox)
            fields.push_back(i);
    }
    auto place = [&](std::size_t i) {
        const int tab = design.controls[i].tab;
        return tab >= 0 ? tab : std::numeric_limits<int>::max();
    };
    std::stable_sort(fields.begin(), fields.end(), [&](std::size_t a, std::size_t b) { return place(a) < place(b); });
    for (std::size_t bit = 0; bit < fields.size() && bit < 64; ++bit) {
        keys.push_back(controlKey(design.controls[fields[bit]]));
        bySlot[fields[bit]].own = std::uint64_t{1} << bit;
    }
}

Sources FormModel::sourcesOf(std::size_t slot) const
{
    const SourceTable::Slot& s = sources_.bySlot[slot];
    if (s.written)
        return {0, s.behind, &sources_.keys};
    return {s.own, 0, &sources_.keys};
}

void FormModel::write(std::size_t i, std::string text, const Sources& sources)
{
    texts_[i] = std::move(text);
    sources_.bySlot[i].written = true;
    sources_.bySlot[i].behind = sources.direct | sources.behind;
}

void FormModel::Statement::operator<<(const Num& value)
{
    model_.write(slot_, FormatNumber(value.value(field_)), value.sources() | from_);
}

void FormModel::Statement::operator<<(const OneDecimal& value)
{
    model_.write(slot_, FormatOneDecimal(value.value.value(field_)), value.value.sources() | from_);
}

void FormModel::Statement::operator<<(std::string_view text)
{
    model_.write(slot_, std::string(text), from_);
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
