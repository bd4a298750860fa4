#include "ui/failure_report.h"

#include <QStringList>

#include <algorithm>

#include "common/number.h"

#include "ui/text.h"

namespace heatcalc::ui {

namespace {

const Control* find(const FormDesign& design, std::string_view key)
{
    for (const Control& c : design.controls)
        if (controlKey(c) == key)
            return &c;
    return nullptr;
}

// A caption as one line of words: the blanks that lay it out on the window removed.
QString words(std::string_view caption)
{
    return qs(caption).simplified().remove(QLatin1Char(' '));
}

// A field by the label beside it; a field without one (the material list) by the frame that
// holds it, else by its name.
QString caption(const FormDesign& design, const Control& field)
{
    if (const Control* label = field.captionLabel.empty() ? nullptr : find(design, field.captionLabel))
        return words(label->text);
    if (const Control* frame = field.parent.empty() ? nullptr : find(design, field.parent))
        return words(frame->text);
    return qs(field.name);
}

// The control whose event a handler name belongs to: "Command5" of "Command5_Click".
const Control* source(const FormDesign& design, std::string_view handler)
{
    return find(design, handler.substr(0, handler.find('_')));
}

std::string_view choiceListOf(const FormDesign& design, std::string_view handler)
{
    const Control* c = source(design, handler);
    return c ? c->choiceList : std::string_view{};
}

// Of the handlers that fill a work field, the one in the series of steps of `handler`: the
// handler itself, else the one keyed by the same list, else the first.
std::string_view fillerFor(const FormDesign& design, const Control& work, std::string_view handler)
{
    if (std::find(work.filledBy.begin(), work.filledBy.end(), handler) != work.filledBy.end())
        return handler;
    const std::string_view list = choiceListOf(design, handler);
    if (!list.empty())
        for (std::string_view filler : work.filledBy)
            if (choiceListOf(design, filler) == list)
                return filler;
    return work.filledBy.empty() ? std::string_view{} : work.filledBy.front();
}

// The step that runs `handler`, as the user takes it: "按「换热面积计算」" or "在「材质选择」中选择",
// with the list to focus for the latter.
struct Step {
    QString words;
    std::string focus;
};

Step stepOf(const FormDesign& design, std::string_view handler)
{
    const Control* c = source(design, handler);
    if (!c)
        return {};
    if (c->kind == ControlKind::CommandButton)
        return {QStringLiteral("按「%1」").arg(words(c->text)), {}};
    if (c->kind == ControlKind::ComboBox) {
        const Control* frame = find(design, c->parent);
        return {QStringLiteral("在「%1」中选择").arg(frame ? words(frame->text) : caption(design, *c)), controlKey(*c)};
    }
    return {};
}

// A work field that holds no number where `handler` reads it.
FailureMessage missingResult(const FormModel& model, std::string_view handler, const Control& work)
{
    const FormDesign& design = model.design();
    const std::string_view filler = fillerFor(design, work, handler);
    if (filler == handler) {
        // The press itself fills the field from the row its list picks: the list picked none.
        const std::string_view listKey = choiceListOf(design, handler);
        const Control* list = listKey.empty() ? nullptr : find(design, listKey);
        if (!list)
            return {QStringLiteral("缺少前一步的计算结果。"), {}};
        return {QStringLiteral("「%1」中没有「%2」这一项，查不到对应的数据。请从列表中选择。")
                    .arg(caption(design, *list), QString::fromStdString(model.text(listKey))),
                std::string(listKey)};
    }
    const Step step = stepOf(design, filler);
    if (work.lookup) {
        // The step ran, but the value that picks the table row lies below the table.
        const ThresholdLookup& lookup = *work.lookup;
        const std::string value = model.text(lookup.key);
        const NumberReading reading = ReadNumber(value);
        const Control* key = find(design, lookup.key);
        if (key && reading.status == NumberReading::Status::Number && reading.value < lookup.first)
            return {QStringLiteral("「%1」的「%2」低于%3的范围（%4～%5），查不到对应的数据。请改正后再%6。")
                        .arg(caption(design, *key), QString::fromStdString(value), qs(lookup.table),
                             QString::fromStdString(FormatNumber(lookup.first)),
                             QString::fromStdString(FormatNumber(lookup.last)), step.words),
                    std::string(lookup.key)};
    }
    if (step.words.isEmpty())
        return {QStringLiteral("缺少前一步的计算结果。"), {}};
    return {QStringLiteral("缺少前一步的计算结果。请先%1。").arg(step.words), step.focus};
}

bool isRead(FailureReason reason)
{
    return reason == FailureReason::NotANumber || reason == FailureReason::NumberOutOfRange;
}

// The inputs a failed operation was computed from, each by its caption with its text as it
// stands: "「1#供水温度」(60)、「1#回水温度」(100)"; `first` is set to the first of them. Work fields
// are no inputs: what they hold comes from the inputs named with them.
QString inputsOf(const FormModel& model, const CalculationFailure& failure, std::string& first)
{
    const FormDesign& design = model.design();
    QStringList named;
    for (const std::string& key : failure.sources()) {
        const Control* input = find(design, key);
        if (!input || input->workField)
            continue;
        if (first.empty())
            first = key;
        named << QStringLiteral("「%1」(%2)").arg(caption(design, *input), QString::fromStdString(model.text(key)));
    }
    return named.join(QStringLiteral("、"));
}

}  // namespace

FailureMessage failureMessage(const FormModel& model, std::string_view handler, const CalculationFailure& failure)
{
    const FormDesign& design = model.design();
    const QString reason = qs(reasonWords(failure.reason()));
    const Control* field = find(design, failure.field());
    if (field && field->workField && failure.reason() == FailureReason::NotANumber)
        return missingResult(model, handler, *field);
    // A text that does not read is retyped where it stands.
    if (field && !field->workField && isRead(failure.reason())) {
        if (IsBlankText(model.text(failure.field())))
            return {QStringLiteral("「%1」没有填写。").arg(caption(design, *field)), failure.field()};
        return {QStringLiteral("「%1」%2。").arg(caption(design, *field), reason), failure.field()};
    }
    // A result that cannot be computed: what was being computed, and the inputs it came from.
    QString computing = QStringLiteral("计算中");
    if (field && !field->workField)
        computing = QStringLiteral("计算「%1」时").arg(caption(design, *field));
    else if (field && !field->role.empty())
        computing = QStringLiteral("计算「%1」时").arg(qs(field->role));
    else if (field)
        computing = QStringLiteral("计算中间结果时");
    std::string focus;
    const QString inputs = inputsOf(model, failure, focus);
    if (inputs.isEmpty())
        return {QStringLiteral("%1%2。").arg(computing, reason), {}};
    return {QStringLiteral("%1%2：请检查%3。").arg(computing, reason, inputs), focus};
}

}  // namespace heatcalc::ui
