#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/checked.h"
#include "common/controls.h"
#include "common/failure.h"

namespace heatcalc {

// A field of a window under a name that says what it holds, for the window's handlers and tests:
// `constexpr Field AddedPlateCount{"Text26"};`. The control name is checked when compiled: a text
// box ("Text"), a list ("Combo") or a label ("Label") with a number from 1 to 99.
class Field {
public:
    consteval explicit Field(std::string_view control) : key_(control), code_(codeOf(control)) {}

    // The control name, the key of the design table and of text() and setText().
    constexpr std::string_view key() const { return key_; }

    friend constexpr bool operator==(const Field& a, const Field& b) { return a.code_ == b.code_; }

private:
    friend class FormModel;

    // One code for each name: the kind's hundred plus the number.
    static constexpr std::size_t Codes = 300;
    static consteval std::uint16_t codeOf(std::string_view control)
    {
        std::uint16_t kind = 0;
        std::string_view number;
        if (control.starts_with("Text")) {
            number = control.substr(4);
        } else if (control.starts_with("Combo")) {
            kind = 100;
            number = control.substr(5);
        } else if (control.starts_with("Label")) {
            kind = 200;
            number = control.substr(5);
        }
        if (number.empty() || number.size() > 2 || number.front() < '1' || number.front() > '9')
            throw "a field is named Text, Combo or Label with a number from 1 to 99";
        std::uint16_t n = 0;
        for (char c : number) {
            if (c < '0' || c > '9')
                throw "a field is named Text, Combo or Label with a number from 1 to 99";
            n = static_cast<std::uint16_t>(n * 10 + (c - '0'));
        }
        return static_cast<std::uint16_t>(kind + n);
    }

    std::string_view key_;
    std::uint16_t code_;
};

// The one-decimal form of a statement's result ("0.0").
struct OneDecimal {
    Num value;
};

// The state of one calculator window: the text of each of its controls, nothing else. Handlers
// read operands with num() at every use and write each result with put(...) << value.
class FormModel {
public:
    // `fields` are the names the window's handlers use; each is found among the controls here,
    // once, so a read or write by name looks nothing up. A name the design has no control for,
    // or two names for one control, throw std::logic_error naming the window and the control.
    explicit FormModel(const FormDesign& design, std::span<const Field> fields = {});
    virtual ~FormModel() = default;
    FormModel(const FormModel&) = delete;
    FormModel& operator=(const FormModel&) = delete;

    // Text of a control by its key ("Text1", "Label3(1)"); throws std::invalid_argument for a
    // name the window does not have.
    std::string text(std::string_view control) const;
    void setText(std::string_view control, std::string text);
    // The same by one of the window's field names; std::logic_error for a name it does not use.
    std::string text(Field field) const;
    void setText(Field field, std::string text);

    const FormDesign& design() const { return design_; }

    // Runs the handler of that name ("Command1_Click"); false when the window has none.
    bool run(std::string_view handler);
    bool hasHandler(std::string_view handler) const;

    // Interval of a timer in ms; 0 while it does not tick.
    int interval(std::string_view timer) const;

protected:
    // The number a field's text denotes now; a failed Num when it denotes none.
    Num num(std::string_view field) const;
    Num num(Field field) const;

    class Statement {
    public:
        Statement(FormModel& model, std::string_view field, std::size_t slot)
            : model_(model), field_(field), slot_(slot)
        {
        }
        // A statement of a table row that the value `key` picks: what it writes comes from the
        // fields behind that value as well (a constant of the row has no fields of its own).
        // Only the value's sources count, so a list whose text is no number can be named too.
        Statement& from(const Num& key)
        {
            from_ = from_ | key.sources();
            return *this;
        }
        void operator<<(const Num& value);
        void operator<<(const OneDecimal& value);
        void operator<<(std::string_view text);
        void operator<<(const char* text) { *this << std::string_view(text); }

    private:
        FormModel& model_;
        std::string_view field_;
        std::size_t slot_;
        Sources from_{};
    };

    // The field a statement writes: put(HeatLoadMW) << Q / 1000000.
    Statement put(std::string_view field) { return Statement(*this, field, slot(field)); }
    Statement put(Field field) { return Statement(*this, field.key(), slot(field)); }

    void handler(std::string_view name, std::function<void()> body);
    void setInterval(std::string_view timer, int ms);

private:
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };

    std::size_t slot(std::string_view control) const;
    std::size_t slot(Field field) const;

    // Where the text of each control comes from, by slot (the control's place in the design):
    // the field itself while it holds its design text or what was typed into it; the inputs behind
    // its last handler write once a handler wrote it.
    struct SourceTable {
        explicit SourceTable(const FormDesign& design);
        struct Slot {
            std::uint64_t own = 0;     // the field's bit; 0 for a control that is no text box or list
            std::uint64_t behind = 0;  // the inputs behind the handler's write
            bool written = false;      // a handler wrote the text last
        };
        SourceKeys keys;  // by bit
        std::vector<Slot> bySlot;
    };

    // The sources of the text a control holds now.
    Sources sourcesOf(std::size_t slot) const;
    // A handler's write of the control in `slot`, computed from `sources`.
    void write(std::size_t slot, std::string text, const Sources& sources);

    const FormDesign& design_;
    std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>> index_;
    std::vector<std::string> texts_;
    // Slot of each field name the window uses, by the name's code; NoSlot for the others.
    static constexpr std::uint32_t NoSlot = UINT32_MAX;
    std::vector<std::uint32_t> fieldSlots_;
    std::vector<std::pair<std::string, std::function<void()>>> handlers_;
    std::unordered_map<std::string, int> intervals_;
    SourceTable sources_{design_};
};

}  // namespace heatcalc
