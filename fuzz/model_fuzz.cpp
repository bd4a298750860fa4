// libFuzzer target for the four calculator window models.
//
// The first byte picks the window (plate, tube, unit, weight); the rest is a run of steps on one
// freshly loaded model: a text into one of its text boxes or lists (raw bytes, a number written
// by the number rules, a design text or a list item), or a press of one of its handlers (button
// clicks, list picks, the load and the timer tick, found from the control table). After every
// press:
//   - the press completed or stopped with a CalculationFailure; nothing else escapes;
//   - every text it changed is a number that reads back, finite, with at most 15 significant
//     digits, or one of the texts the rules write there instead (the low-value warnings, a plate
//     designation, the clock caption, the unit window's copy of a work field's text).
// At exit it prints how many inputs and presses each window received.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "common/form_model.h"
#include "common/number.h"
#include "common/rules.h"
#include "plate/fo.h"
#include "plate/plate_tables.h"
#include "significant_digits.h"
#include "tube/fo23.h"
#include "unit/form1.h"
#include "weight/form2.h"

using namespace heatcalc;

namespace {

// The moment the clocks show: fixed, so that every input runs the same way each time.
const LocalTime FixedMoment{2026, 12, 7, 21, 25, 55, 1};

using Snapshot = std::vector<std::string>;

struct Window {
    const char* name;
    std::function<std::unique_ptr<FormModel>()> make;
    // A text the rules allow in `key` other than a number, given the texts before the press.
    std::function<bool(const Window&, std::string_view key, const std::string& text, const Snapshot& before)> special;

    // From the control table.
    std::vector<std::string> keys;      // every control
    std::vector<std::string> fields;    // text boxes and lists
    std::vector<std::string> handlers;  // the handlers the model has
    std::vector<std::string> designTexts;
    std::vector<std::string> listItems;

    const std::string& at(const Snapshot& s, std::string_view key) const
    {
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i] == key)
                return s[i];
        std::fprintf(stderr, "model fuzz: %s has no control %.*s\n", name, static_cast<int>(key.size()), key.data());
        std::abort();
    }
};

struct Counts {
    unsigned long long inputs = 0;
    // By handler: presses that completed, presses that stopped with a calculation failure.
    std::vector<unsigned long long> completed, failed;
};

std::array<Counts, 4> counts{};

std::array<Window, 4>& windows();

unsigned long long sum(const std::vector<unsigned long long>& v)
{
    unsigned long long total = 0;
    for (unsigned long long n : v)
        total += n;
    return total;
}

void printCounts()
{
    std::fprintf(stderr, "model_fuzz: executions per window:");
    for (std::size_t i = 0; i < counts.size(); ++i)
        std::fprintf(stderr, "%s %s %llu", i ? "," : "", windows()[i].name, counts[i].inputs);
    std::fprintf(stderr, "\n");
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const Window& w = windows()[i];
        std::fprintf(stderr, "model_fuzz: %s presses %llu completed, %llu failed; completed/failed by handler:", w.name,
                     sum(counts[i].completed), sum(counts[i].failed));
        for (std::size_t h = 0; h < w.handlers.size(); ++h)
            std::fprintf(stderr, " %s %llu/%llu", w.handlers[h].c_str(), counts[i].completed[h], counts[i].failed[h]);
        std::fprintf(stderr, "\n");
    }
}

void describe(Window& w)
{
    const auto model = w.make();
    std::vector<std::string> candidates{"Form_Load"};
    for (const Control& c : model->design().controls) {
        const std::string key = controlKey(c);
        w.keys.push_back(key);
        candidates.push_back(key + "_Click");
        candidates.push_back(key + "_Timer");
        if (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox) {
            w.fields.push_back(key);
            w.designTexts.emplace_back(c.text);
        }
        for (std::string_view item : c.items)
            w.listItems.emplace_back(item);
    }
    for (const std::string& h : candidates)
        if (model->hasHandler(h))
            w.handlers.push_back(h);
    if (w.listItems.empty())
        w.listItems = w.designTexts;
}

bool isClockCaption(Field clock, std::string_view key, const std::string& text)
{
    return key == clock.key() && text == ClockCaption(FixedMoment);
}

std::array<Window, 4>& windows()
{
    static std::array<Window, 4> all = [] {
        std::array<Window, 4> w{};
        w[0].name = "Fo";
        w[0].make = [] {
            auto f = std::make_unique<Fo>();
            f->setClock([] { return FixedMoment; });
            return std::unique_ptr<FormModel>(std::move(f));
        };
        w[0].special = [](const Window&, std::string_view key, const std::string& text, const Snapshot&) {
            if (key == fo::PlateDesignation.key()) {
                for (const plate::PlateModel& row : plate::EqualSectionPlateTable)
                    if (text == row.designation)
                        return true;
                for (const plate::PlateModel& row : plate::UnequalSectionPlateTable)
                    if (text == row.designation)
                        return true;
                return false;
            }
            if (key == fo::PrimaryVelocity.key() || key == fo::SecondaryVelocity.key())
                return text == VelocityTooLow;
            return isClockCaption(fo::ClockLabel, key, text);
        };
        w[1].name = "Fo23";
        w[1].make = [] { return std::unique_ptr<FormModel>(std::make_unique<Fo23>([] { return FixedMoment; })); };
        w[1].special = [](const Window&, std::string_view key, const std::string& text, const Snapshot&) {
            return isClockCaption(fo23::ClockLabel, key, text);
        };
        w[2].name = "Form1";
        w[2].make = [] { return std::unique_ptr<FormModel>(std::make_unique<Form1>()); };
        // The shown velocity and head: the warning, or the work field's text as it stood, copied
        // when it read above the threshold.
        w[2].special = [](const Window& self, std::string_view key, const std::string& text, const Snapshot& before) {
            const bool velocity = key == form1::ShownPipeVelocity.key();
            if (!velocity && key != form1::ShownPumpHead.key())
                return false;
            if (text == (velocity ? VelocityTooLow : HeadTooLow))
                return true;
            const std::string& source =
                self.at(before, (velocity ? form1::PipeVelocity : form1::CirculationPumpHead).key());
            const auto v = ParseNumber(source);
            return text == source && v && *v > LowValueThreshold;
        };
        w[3].name = "Form2";
        w[3].make = [] { return std::unique_ptr<FormModel>(std::make_unique<Form2>()); };
        w[3].special = [](const Window&, std::string_view, const std::string&, const Snapshot&) { return false; };
        for (std::size_t i = 0; i < w.size(); ++i) {
            describe(w[i]);
            counts[i].completed.assign(w[i].handlers.size(), 0);
            counts[i].failed.assign(w[i].handlers.size(), 0);
        }
        return w;
    }();
    return all;
}

Snapshot snapshot(const Window& w, const FormModel& m)
{
    Snapshot s;
    s.reserve(w.keys.size());
    for (const std::string& k : w.keys)
        s.push_back(m.text(k));
    return s;
}

[[noreturn]] void fail(const Window& w, const std::string& handler, const std::string& what)
{
    std::fprintf(stderr, "model rule broken: %s.%s: %s\n", w.name, handler.c_str(), what.c_str());
    std::abort();
}

std::string shown(std::string_view t)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < t.size() && i < 80; ++i) {
        const auto c = static_cast<unsigned char>(t[i]);
        if (c < 0x20 || c == '"') {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + (t.size() > 80 ? "...\"" : "\"");
}

void press(const Window& w, FormModel& model, std::size_t which, Counts& count)
{
    const std::string& handler = w.handlers[which];
    const Snapshot before = snapshot(w, model);
    try {
        model.run(handler);
        ++count.completed[which];
    } catch (const CalculationFailure&) {
        ++count.failed[which];
    } catch (const std::exception& e) {
        fail(w, handler, std::string("escaped: ") + e.what());
    } catch (...) {
        fail(w, handler, "escaped: an exception of unknown type");
    }
    const Snapshot after = snapshot(w, model);
    for (std::size_t i = 0; i < w.keys.size(); ++i) {
        if (before[i] == after[i])
            continue;
        const std::string& text = after[i];
        const auto v = ParseNumber(text);
        if (v && std::isfinite(*v) && significantDigits(text) <= 15)
            continue;
        if (w.special(w, w.keys[i], text, before))
            continue;
        fail(w, handler,
             w.keys[i] + " = " + shown(text) + " (was " + shown(before[i]) + ") is no number that reads back");
    }
}

// The input as a stream of bytes; zeros once it is used up.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::string take(std::size_t n)
    {
        n = std::min(n, size_ - std::min(pos_, size_));
        std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return s;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

template <typename T> const T& pick(const std::vector<T>& v, Bytes& in)
{
    return v[in.byte() % v.size()];
}

std::string textFor(const Window& w, unsigned kind, Bytes& in)
{
    switch (kind % 4) {
    case 0:
        return in.take(in.byte() % 48);
    case 1: {
        const std::string raw = in.take(sizeof(double));
        double value = 0;
        std::memcpy(&value, raw.data(), raw.size());
        return std::isfinite(value) ? FormatNumber(value) : raw;
    }
    case 2:
        return pick(w.designTexts, in);
    default:
        return pick(w.listItems, in);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    windows();
    std::atexit(printCounts);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    Bytes in(data, size);
    const std::size_t which = in.byte() % 4;
    const Window& w = windows()[which];
    Counts& count = counts[which];
    ++count.inputs;
    std::unique_ptr<FormModel> model = w.make();
    for (int steps = 0; steps < 256 && !in.empty(); ++steps) {
        const std::uint8_t op = in.byte();
        if (op % 2 == 0) {
            const std::string& field = pick(w.fields, in);
            model->setText(field, textFor(w, op / 2u, in));
        } else {
            press(w, *model, in.byte() % w.handlers.size(), count);
        }
    }
    return 0;
}
