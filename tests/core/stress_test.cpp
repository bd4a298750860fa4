// Randomized presses of every handler of the four calculator windows over hostile field texts.
//
// Before each press a few fields get a new text: a realistic number near the field's design
// value, an edge value (zero, negatives, huge and tiny magnitudes, table thresholds, a copy of
// another field so that two temperatures are equal, a value that makes a velocity exactly 0.1),
// a number with blanks around it, or junk. After the press:
//   - it completed or threw CalculationFailure, nothing else;
//   - it changed only fields the handler writes;
//   - every text it changed is a number with at most 15 significant digits, unless it is one of
//     the texts the window writes there instead of a number (warnings, plate designation, clock
//     caption, copied texts);
//   - a failed press changed nothing after the statement the failure names, and a field it
//     names as unreadable indeed holds no number.
// The run is seeded and repeatable; HEATCALC_STRESS_SEED overrides the seed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
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

#if defined(__SANITIZE_ADDRESS__)
constexpr int PressScale = 8;  // instrumented code is many times slower: an eighth of the presses
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int PressScale = 8;
#else
constexpr int PressScale = 1;
#endif
#else
constexpr int PressScale = 1;
#endif

using Rng = std::mt19937_64;

std::uint64_t seed()
{
    if (const char* s = std::getenv("HEATCALC_STRESS_SEED"))
        return std::strtoull(s, nullptr, 10);
    return 20240611;
}

// Shows a text with its bytes escaped and long texts cut, for failure messages.
std::string show(std::string_view t)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < t.size() && i < 60; ++i) {
        const auto c = static_cast<unsigned char>(t[i]);
        if (c < 0x20 || c == '"') {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    if (t.size() > 60)
        out += "...(" + std::to_string(t.size()) + " bytes)";
    return out + "\"";
}

struct Handler {
    std::string_view name;
    // The fields the handler's statements write, in statement order; a field written by a run of
    // table rows or by repeated tests stands where its first such statement stands.
    std::vector<Field> writes;
};

// The texts of every control of a window at one moment, by the window's keys.
using Snapshot = std::vector<std::string>;

struct Window;

// A shown velocity or head that its handler sets from a work field by the two threshold tests.
struct ThresholdRule {
    std::string_view handler;
    Field value;           // the work field the tests read
    Field shown;           // the field they write
    bool valueAfterPress;  // the press writes the work field before the tests read it
};

// Checks the new text of a field the window may fill with a text other than a number. Returns
// nullopt when the field is an ordinary numeric result, otherwise an error text (empty: fine).
using SpecialCheck = std::function<std::optional<std::string>(
    const Window&, std::string_view handler, std::string_view key, const Snapshot& before, const Snapshot& after)>;

struct Window {
    std::string_view name;
    std::function<std::unique_ptr<FormModel>()> make;
    std::vector<Handler> handlers;
    int presses = 0;
    std::vector<std::string> thresholds;  // the window's table keys and list items
    SpecialCheck special;
    // Edits aimed at one rule of the window (a value exactly at the warning threshold); may do nothing.
    std::function<void(const Window&, FormModel&, std::string_view handler, Rng&)> aimedEdit;
    std::vector<ThresholdRule> thresholdRules;

    // Filled from the design.
    std::vector<std::string> keys;
    std::map<std::string, std::size_t, std::less<>> index;
    std::vector<std::string> inputs, workFields, outputs;

    const std::string& at(const Snapshot& s, std::string_view key) const { return s[index.find(key)->second]; }
};

void describe(Window& w)
{
    std::set<std::string, std::less<>> written;
    for (const Handler& h : w.handlers)
        for (Field k : h.writes)
            written.emplace(k.key());
    const FormDesign& d = w.make()->design();
    for (const Control& c : d.controls) {
        if (c.kind == ControlKind::Line)
            continue;
        const std::string key = controlKey(c);
        if (w.index.count(key))
            continue;
        w.index.emplace(key, w.keys.size());
        w.keys.push_back(key);
        if (c.kind != ControlKind::TextBox && c.kind != ControlKind::ComboBox)
            continue;
        if (c.workField)
            w.workFields.push_back(key);
        else if (written.count(key))
            w.outputs.push_back(key);
        else
            w.inputs.push_back(key);
        for (std::string_view item : c.items)
            w.thresholds.emplace_back(item);
    }
}

Snapshot snapshot(const Window& w, const FormModel& m)
{
    Snapshot s;
    s.reserve(w.keys.size());
    for (const std::string& k : w.keys)
        s.push_back(m.text(k));
    return s;
}

// ---- Texts typed into the fields ----

const std::vector<std::string>& edgeTexts()
{
    static const std::vector<std::string> texts = {
        "0",
        "-0",
        "0.0",
        "+0",
        "-1",
        "1",
        "0.1",
        "-0.1",
        "0.10",
        "1E300",
        "-1E300",
        "1E-300",
        "-1E-300",
        "1E308",
        "1.79769313486231E+308",
        "1.7976931348623157E308",
        "-1.7976931348623157E308",
        "4.94065645841247E-324",
        "1E-320",
        "2.2250738585072E-308",
        "1E15",
        "999999999999999",
        "9.99999999999999E+14",
        "1E-5",
        "0.0001",
        "1E400",
        "-1E400",
        "1E-400",
        "-1E-400",
        "100",
        "0.5",
        "1E16",
        "123456789012345678901234567890",
        "0.000000000000000000000000000001",
        "3.14159265358979323846264338327950288",
        "2",
        "-273.15",
        "1E154",
        "1E-154",
        "1.0000000000000002",
        "0.30000000000000004",
    };
    return texts;
}

const std::vector<std::string>& junkTexts()
{
    static const std::vector<std::string> texts = {
        "",
        " ",
        "  ",
        "12abc",
        "abc",
        "1,5",
        "1 5",
        "1 000",
        "∞",
        "-∞",
        "inf",
        "-inf",
        "Infinity",
        "nan",
        "NaN",
        "0x1A",
        "1e",
        "e5",
        ".",
        "-",
        "+",
        "+-1",
        "--1",
        "1..2",
        "1.2.3",
        "１２",
        "１.５",
        "\t",
        "\n12",
        "12\n",
        "1e5.5",
        "1E+",
        "\xff\xfe",
        "\xc3",
        "12\xc3",
        "\xe6\xb5",
        std::string("1\0"
                    "2",
                    3),
        std::string(1, '\0'),
        "流速太低",
        "扬程太低",
        "Text12",
        "请选择材质",
        "1E99999999999999999999",
        "-1E-99999999999999999999",
        std::string(20000, '9'),
        "0." + std::string(5000, '0') + "1",
        std::string(400, '1') + ".5",
        "-" + std::string(350, '9'),
        std::string(3000, 'x'),
        "1e-" + std::string(30, '9'),
        "１",
        "٣",
        "½",
        "１E5",
        "0.5\xc2\xa0",
        "\xc2\xa0"
        "0.5",
        "5%",
        "$5",
        "5元",
        "(5)",
        "5-",
        "0b101",
        "1_000",
        "1'000",
    };
    return texts;
}

std::string withDigits(double v, int decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

// A number a user might type for a field whose design text is `design`.
std::string realistic(std::string_view design, Rng& rng)
{
    std::uniform_real_distribution<double> factor(0.2, 3.0);
    std::uniform_int_distribution<int> decimals(0, 6);
    double base = 50;
    if (auto v = ParseNumber(design); v && *v != 0)
        base = *v;
    else if (std::bernoulli_distribution(0.5)(rng))
        base = std::uniform_real_distribution<double>(0.001, 200)(rng);
    return withDigits(base * factor(rng), decimals(rng));
}

template <typename T> const T& pick(const std::vector<T>& v, Rng& rng)
{
    return v[std::uniform_int_distribution<std::size_t>(0, v.size() - 1)(rng)];
}

// The design text of every control, by key.
using DesignTexts = std::map<std::string, std::string, std::less<>>;

void editField(const Window& w, const DesignTexts& designs, FormModel& m, const std::string& key, Rng& rng)
{
    const std::string& design = designs.find(key)->second;
    std::uniform_int_distribution<int> kind(0, 99);
    const int k = kind(rng);
    std::string text;
    if (k < 35) {
        text = realistic(design, rng);
    } else if (k < 45) {
        text = design;
    } else if (k < 57) {
        text = pick(edgeTexts(), rng);
    } else if (k < 65 && !w.thresholds.empty()) {
        text = pick(w.thresholds, rng);
    } else if (k < 73) {
        // Equal texts in two fields: equal temperatures, equal end differences.
        text = m.text(pick(w.inputs, rng));
    } else if (k < 82) {
        static const std::vector<std::string> blanks = {" ", "  ", "\t", " \t "};
        std::string number = std::bernoulli_distribution(0.5)(rng) ? realistic(design, rng) : pick(edgeTexts(), rng);
        text = pick(blanks, rng) + number + pick(blanks, rng);
        if (std::bernoulli_distribution(0.3)(rng))
            text = number + pick(blanks, rng);
    } else {
        text = pick(junkTexts(), rng);
    }
    m.setText(key, std::move(text));
}

// ---- One press and its checks ----

// What the windows' clocks say at the press of a timer.
LocalTime clockNow;

LocalTime randomTime(Rng& rng)
{
    std::uniform_int_distribution<int> d(0, 1 << 30);
    return LocalTime{1990 + d(rng) % 80, 1 + d(rng) % 12, 1 + d(rng) % 31, d(rng) % 24,
                     d(rng) % 60,        d(rng) % 60,     d(rng) % 7};
}

struct Stats {
    std::map<std::string, int, std::less<>> completed, failed;
    int atThreshold = 0;
    int errors = 0;
};

void reportError(Stats& stats, const std::string& context, const std::string& what)
{
    if (++stats.errors <= 20)
        ADD_FAILURE() << context << ": " << what;
}

std::string describeFields(const Window& w, const Snapshot& before)
{
    std::ostringstream out;
    for (const std::string& k : w.inputs)
        out << ' ' << k << '=' << show(w.at(before, k));
    for (const std::string& k : w.workFields)
        out << ' ' << k << '=' << show(w.at(before, k));
    return out.str();
}

void checkPress(const Window& w, const Handler& h, const Snapshot& before, const Snapshot& after,
                const std::optional<CalculationFailure>& failure, Stats& stats, const std::string& context)
{
    std::map<std::string_view, std::size_t> firstPos;
    for (std::size_t i = 0; i < h.writes.size(); ++i)
        firstPos.emplace(h.writes[i].key(), i);

    std::vector<std::string_view> changed;
    for (std::size_t i = 0; i < w.keys.size(); ++i)
        if (before[i] != after[i])
            changed.push_back(w.keys[i]);

    for (std::string_view key : changed) {
        if (!firstPos.count(key)) {
            reportError(stats, context,
                        "changed " + std::string(key) + " which it never writes: " + show(w.at(before, key)) + " -> " +
                            show(w.at(after, key)));
            continue;
        }
        const std::string& text = w.at(after, key);
        if (auto special = w.special ? w.special(w, h.name, key, before, after) : std::nullopt) {
            if (!special->empty())
                reportError(stats, context, std::string(key) + " = " + show(text) + ": " + *special);
            continue;
        }
        const auto v = ParseNumber(text);
        if (!v || !std::isfinite(*v))
            reportError(stats, context, std::string(key) + " = " + show(text) + " does not read back as a number");
        else if (significantDigits(text) > 15)
            reportError(stats, context, std::string(key) + " = " + show(text) + " has more than 15 significant digits");
    }

    if (!failure)
        return;
    const std::string& named = failure->field();
    if (failure->reason() == FailureReason::NotANumber || failure->reason() == FailureReason::NumberOutOfRange) {
        if (!w.index.count(named))
            reportError(stats, context, "failure names " + show(named) + ", no field of the window");
        else if (ParseNumber(w.at(after, named)))
            reportError(stats, context,
                        "failure says " + named + " is no number, it holds " + show(w.at(after, named)));
        return;
    }
    if (named.empty())
        return;  // a fault in the test guarding a statement
    if (!firstPos.count(named)) {
        reportError(stats, context, "arithmetic failure names " + named + ", which the handler does not write");
        return;
    }
    std::size_t lastPos = 0;
    for (std::size_t i = 0; i < h.writes.size(); ++i)
        if (h.writes[i].key() == named)
            lastPos = i;
    for (std::string_view key : changed)
        if (firstPos.count(key) && firstPos[key] >= lastPos)
            reportError(stats, context, "failed at " + named + " but changed " + std::string(key) + ", written later");
}

void stress(Window& w, Rng& rng)
{
    describe(w);
    DesignTexts designs;
    {
        const auto fresh = w.make();
        for (const std::string& k : w.keys)
            designs.emplace(k, fresh->text(k));
    }
    Stats stats;
    std::unique_ptr<FormModel> model = w.make();
    std::uniform_int_distribution<std::size_t> whichHandler(0, w.handlers.size() - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    const int presses = w.presses / PressScale;
    for (int n = 0; n < presses; ++n) {
        if (percent(rng) == 0 && percent(rng) < 20)
            model = w.make();  // a window opened afresh: work fields hold their design texts again
        const Handler& h = w.handlers[whichHandler(rng)];
        // A few edits: mostly inputs and lists, sometimes work fields and results.
        const int p = percent(rng);
        const int edits = p < 45 ? 0 : p < 75 ? 1 : p < 92 ? 2 : 5;
        for (int e = 0; e < edits; ++e) {
            const int where = percent(rng);
            const std::vector<std::string>& pool = where < 78 || (w.workFields.empty() && w.outputs.empty()) ? w.inputs
                                                   : where < 92 && !w.workFields.empty() ? w.workFields
                                                   : w.outputs.empty()                   ? w.workFields
                                                                                         : w.outputs;
            editField(w, designs, *model, pick(pool, rng), rng);
        }
        // Now and then bring a drifted field back to its design text, so that presses reach their
        // last statements as well as their first.
        if (percent(rng) < 40) {
            if (w.workFields.empty() || percent(rng) < 75) {
                const std::string& k = pick(w.inputs, rng);
                model->setText(k, designs.find(k)->second);
            } else {
                const std::string& k = pick(w.workFields, rng);
                model->setText(k, realistic(designs.find(k)->second, rng));
            }
        }
        if (w.aimedEdit && percent(rng) < 4)
            w.aimedEdit(w, *model, h.name, rng);
        if (h.name == "Timer1_Timer")
            clockNow = randomTime(rng);

        const Snapshot before = snapshot(w, *model);
        std::optional<CalculationFailure> failure;
        const std::string context = std::string(w.name) + "." + std::string(h.name) + " press " + std::to_string(n);
        try {
            if (!model->run(h.name))
                reportError(stats, context, "no such handler");
        } catch (const CalculationFailure& e) {
            failure = e;
        } catch (const std::exception& e) {
            reportError(stats, context, std::string("escaped: ") + e.what() + " with" + describeFields(w, before));
        } catch (...) {
            reportError(stats, context, "escaped: an exception of unknown type with" + describeFields(w, before));
        }
        const Snapshot after = snapshot(w, *model);
        const int errorsBefore = stats.errors;
        checkPress(w, h, before, after, failure, stats, context);
        if (stats.errors != errorsBefore && stats.errors <= 20)
            ADD_FAILURE() << context
                          << (failure ? std::string(" failed: ") + failure->what() : std::string(" completed"))
                          << "; fields before:" << describeFields(w, before);
        (failure ? stats.failed : stats.completed)[std::string(h.name)]++;

        // A velocity or head read exactly at the threshold leaves its shown field as it was.
        for (const ThresholdRule& rule : w.thresholdRules) {
            if (h.name != rule.handler)
                continue;
            const auto v = ParseNumber(w.at(rule.valueAfterPress ? after : before, rule.value.key()));
            if (v && *v == LowValueThreshold) {
                ++stats.atThreshold;
                if (w.at(before, rule.shown.key()) != w.at(after, rule.shown.key()))
                    reportError(stats, context,
                                std::string(rule.value.key()) + " is exactly 0.1 but " + std::string(rule.shown.key()) +
                                    " changed to " + show(w.at(after, rule.shown.key())));
            }
        }
    }

    std::ostringstream summary;
    summary << w.name << ": " << presses << " presses;";
    for (const Handler& h : w.handlers)
        summary << ' ' << h.name << ' ' << stats.completed[std::string(h.name)] << '/'
                << stats.failed[std::string(h.name)];
    summary << "; at the 0.1 threshold " << stats.atThreshold;
    std::printf("[ stress   ] %s\n", summary.str().c_str());
    EXPECT_EQ(stats.errors, 0) << summary.str();

    // The generator reaches both ends of every handler that computes.
    for (const Handler& h : w.handlers) {
        EXPECT_GT(stats.completed[std::string(h.name)], 0) << w.name << "." << h.name << " never completed";
        if (h.name.find("Command") != std::string_view::npos && !h.writes.empty()) {
            EXPECT_GT(stats.failed[std::string(h.name)], 0) << w.name << "." << h.name << " never failed";
        }
    }
    if (!w.thresholdRules.empty()) {
        EXPECT_GT(stats.atThreshold, 0) << w.name << ": no press met a value exactly at the 0.1 threshold";
    }
}

// ---- The four windows ----

std::optional<std::string> clockCaption(Field clock, std::string_view key, const std::string& after)
{
    if (key != clock.key())
        return std::nullopt;
    return after == ClockCaption(clockNow) ? "" : "not the clock caption " + show(ClockCaption(clockNow));
}

std::optional<std::string> velocityWarning(const Window& w, std::string_view key, const Snapshot& after)
{
    if (w.at(after, key) == VelocityTooLow)
        return "";
    return std::nullopt;
}

// A copy of the window's texts in a fresh model with the handler run there: what the press about to
// be made will compute. Null when it fails.
template <typename Model> std::unique_ptr<Model> dryRun(const Window& w, const FormModel& m, std::string_view handler)
{
    auto copy = std::make_unique<Model>();
    for (const std::string& k : w.keys)
        copy->setText(k, m.text(k));
    try {
        copy->run(handler);
    } catch (const CalculationFailure&) {
        return nullptr;
    }
    return copy;
}

Window plateWindow()
{
    Window w;
    w.name = "Fo";
    w.make = [] {
        auto f = std::make_unique<Fo>();
        f->setClock([] { return clockNow; });
        return f;
    };
    const std::vector<Field> properties = {
        fo::PrimarySupplyViscosity,   fo::PrimaryReturnViscosity, fo::SecondarySupplyViscosity,
        fo::SecondaryReturnViscosity, fo::PrimarySupplyPrandtl,   fo::PrimaryReturnPrandtl,
        fo::SecondarySupplyPrandtl,   fo::SecondaryReturnPrandtl, fo::PrimarySupplyLambda,
        fo::PrimaryReturnLambda,      fo::SecondarySupplyLambda,  fo::SecondaryReturnLambda};
    std::vector<Field> area = {fo::HeatLoadMW, fo::PrimaryFlow, fo::SecondaryFlow, fo::LogMeanDiff, fo::ExchangerArea};
    area.insert(area.end(), properties.begin(), properties.end());
    const std::vector<Field> velocityTail = {fo::ChannelsPerSide,        fo::PlateCount,
                                             fo::AddedPlateArea,         fo::ExchangerArea,
                                             fo::PrimaryChannelVelocity, fo::SecondaryChannelVelocity,
                                             fo::PrimaryVelocity,        fo::SecondaryVelocity,
                                             fo::PrimaryViscosityMean,   fo::SecondaryViscosityMean,
                                             fo::PrimaryPrandtlMean,     fo::SecondaryPrandtlMean,
                                             fo::PrimaryLambdaMean,      fo::SecondaryLambdaMean};
    std::vector<Field> equal = {fo::PrimaryChannel, fo::SecondaryChannel};
    equal.insert(equal.end(), velocityTail.begin(), velocityTail.end());
    std::vector<Field> unequal = {fo::PrimaryChannel, fo::SecondaryChannel, fo::UnequalPlateArea};
    unequal.insert(unequal.end(), velocityTail.begin(), velocityTail.end());
    const std::vector<Field> pressure = {fo::CorrectedKValue,  fo::PrimaryPressureDrop, fo::SecondaryPressureDrop,
                                         fo::VerifiedHeatFlow, fo::CheckReturnTemp,     fo::CheckSupplyTemp};
    w.handlers = {
        {"Form_Load", {}},
        {"Timer1_Timer", {fo::ClockLabel}},
        {"Combo1_Click", {fo::PlateDesignation}},
        {"Combo2_Click", {fo::PlateDesignation}},
        {"Command1_Click", area},
        {"Command3_Click", equal},
        {"Command4_Click", unequal},
        {"Command5_Click", pressure},
        {"Command6_Click", pressure},
    };
    w.presses = 90000;
    for (const plate::WaterProperties& row : plate::WaterPropertyTable) {
        w.thresholds.push_back(FormatNumber(row.t));
        w.thresholds.push_back(FormatNumber(std::nextafter(row.t, 0.0)));
        w.thresholds.push_back(FormatNumber(row.t - 1E-13));
    }
    w.thresholds.insert(w.thresholds.end(), {"0.50", " 0.5", "0.5 ", "0.3", "5E-1", ".5"});
    w.special = [](const Window& self, std::string_view, std::string_view key, const Snapshot& before,
                   const Snapshot& after) -> std::optional<std::string> {
        (void)before;
        if (auto c = clockCaption(fo::ClockLabel, key, self.at(after, key)))
            return c;
        if (key == fo::PlateDesignation.key()) {
            for (const plate::PlateModel& row : plate::EqualSectionPlateTable)
                if (self.at(after, key) == row.designation)
                    return "";
            for (const plate::PlateModel& row : plate::UnequalSectionPlateTable)
                if (self.at(after, key) == row.designation)
                    return "";
            return "not a plate designation";
        }
        if (key == fo::PrimaryVelocity.key() || key == fo::SecondaryVelocity.key())
            return velocityWarning(self, key, after);
        return std::nullopt;
    };
    for (std::string_view handler : {"Command3_Click", "Command4_Click"})
        for (auto [value, shown] : {std::pair{fo::PrimaryChannelVelocity, fo::PrimaryVelocity},
                                    {fo::SecondaryChannelVelocity, fo::SecondaryVelocity}})
            w.thresholdRules.push_back({handler, value, shown, true});
    // Primary or secondary flow such that the velocity about to be computed is exactly 0.1.
    w.aimedEdit = [](const Window& self, FormModel& m, std::string_view handler, Rng& rng) {
        if (handler != "Command3_Click" && handler != "Command4_Click")
            return;
        const auto dry = dryRun<Fo>(self, m, handler);
        if (!dry)
            return;
        const bool primary = std::bernoulli_distribution(0.5)(rng);
        const auto section = ParseNumber(dry->text(fo::ChannelsPerSide));
        const auto channel = ParseNumber(dry->text(primary ? fo::PrimaryChannel : fo::SecondaryChannel));
        if (!section || !channel)
            return;
        const double flow = 0.1 * (*section * (*channel * 3600));
        if (std::isfinite(flow))
            m.setText(primary ? fo::PrimaryFlow : fo::SecondaryFlow, FormatNumber(flow));
    };
    return w;
}

Window tubeWindow()
{
    Window w;
    w.name = "Fo23";
    w.make = [] { return std::make_unique<Fo23>([] { return clockNow; }); };
    w.handlers = {
        {"Command1_Click",
         {fo23::HeatedFloorArea, fo23::SteamEnthalpy, fo23::SaturationTemp, fo23::SteamFlow, fo23::SecondaryFlow,
          fo23::CondensingZoneTempDiff, fo23::SubcoolingZoneTempDiff, fo23::CondensingZoneHeat,
          fo23::SubcoolingZoneHeat, fo23::CondensingZoneArea, fo23::SubcoolingZoneArea, fo23::ExchangeArea,
          fo23::SingleTubeSurface, fo23::TubeCount, fo23::TubeFlowArea, fo23::SecondaryVelocity, fo23::ShellFlowArea,
          fo23::PrimaryVelocity}},
        {"Command6_Click", {}},
        {"Timer1_Timer", {fo23::ClockLabel}},
    };
    w.presses = 40000;
    w.thresholds = {"0.1", "1", "0.4", "0.6", "100", "179.88", "25"};
    w.special = [](const Window& self, std::string_view, std::string_view key, const Snapshot&, const Snapshot& after) {
        return clockCaption(fo23::ClockLabel, key, self.at(after, key));
    };
    return w;
}

Window unitWindow()
{
    Window w;
    w.name = "Form1";
    w.make = [] { return std::make_unique<Form1>(); };
    w.handlers = {
        {"Command1_Click",
         {form1::HeatLoadMW, form1::ShownPipeVelocity, form1::ShownPumpHead, form1::EquivalentLength,
          form1::PipeVelocity, form1::CirculationPumpHead, form1::CirculationPumpFlow, form1::MakeupPumpFlow,
          form1::MakeupPumpHead, form1::MakeupTankVolume}},
    };
    w.presses = 35000;
    w.thresholds = {"01", "02", "03", "1", "2", "3", "1.0", "0", "4", "0.1", "0.10"};
    // The shown velocity and head: a warning when the work field read below 0.1, otherwise a copy
    // of the work field's text as it stood before the press.
    w.special = [](const Window& self, std::string_view, std::string_view key, const Snapshot& before,
                   const Snapshot& after) -> std::optional<std::string> {
        const bool velocity = key == form1::ShownPipeVelocity.key();
        if (!velocity && key != form1::ShownPumpHead.key())
            return std::nullopt;
        const std::string& source =
            self.at(before, (velocity ? form1::PipeVelocity : form1::CirculationPumpHead).key());
        const std::string& text = self.at(after, key);
        const auto v = ParseNumber(source);
        if (text == (velocity ? VelocityTooLow : HeadTooLow))
            return v && *v < LowValueThreshold ? "" : "warning though the work field read " + show(source);
        if (text == source)
            return v && *v > LowValueThreshold ? "" : "copied though the work field read " + show(source);
        return "neither the warning nor the work field's text " + show(source);
    };
    w.thresholdRules = {{"Command1_Click", form1::PipeVelocity, form1::ShownPipeVelocity, false},
                        {"Command1_Click", form1::CirculationPumpHead, form1::ShownPumpHead, false}};
    // A work field exactly at the threshold, or a flow that makes the pipe velocity exactly 0.1.
    w.aimedEdit = [](const Window&, FormModel& m, std::string_view, Rng& rng) {
        switch (std::uniform_int_distribution<int>(0, 2)(rng)) {
        case 0:
            m.setText(form1::PipeVelocity, "0.1");
            break;
        case 1:
            m.setText(form1::CirculationPumpHead, "0.1");
            break;
        default:
            if (const auto dn = ParseNumber(m.text(form1::PipeDN))) {
                const double flow = (0.1 * ((*dn * *dn * 3.14159) * 3600)) / 4000000;
                if (std::isfinite(flow))
                    m.setText(form1::UnitFlow, FormatNumber(flow));
            }
        }
    };
    return w;
}

Window weightWindow()
{
    Window w;
    w.name = "Form2";
    w.make = [] { return std::make_unique<Form2>(); };
    w.handlers = {
        {"Combo1_Click", {form2::MaterialDensity}},
        {"Command1_Click", {form2::PipeSurface, form2::PipeWeight}},
        {"Command2_Click", {form2::BarSurface, form2::BarWeight}},
        {"Command3_Click", {form2::PlateArea, form2::PlateWeight}},
    };
    w.presses = 35000;
    w.thresholds = {"铸材 ", " 铸材", "低碳钢(含碳0.1%)", "工业纯铝\n", "请选择材质"};
    return w;
}

}  // namespace

TEST(Stress, PlateWindow)
{
    Rng rng(seed());
    Window w = plateWindow();
    stress(w, rng);
}

TEST(Stress, TubeWindow)
{
    Rng rng(seed() + 1);
    Window w = tubeWindow();
    stress(w, rng);
}

TEST(Stress, UnitWindow)
{
    Rng rng(seed() + 2);
    Window w = unitWindow();
    stress(w, rng);
}

TEST(Stress, WeightWindow)
{
    Rng rng(seed() + 3);
    Window w = weightWindow();
    stress(w, rng);
}
