#include "ui/failure_report.h"

#include <QStringList>

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

// What the user must do first for a work field filled by `handler`.
QString firstStep(const FormDesign& design, std::string_view handler)
{
    const std::string_view controlName = handler.substr(0, handler.find('_'));
    const Control* source = find(design, controlName);
    if (!source)
        return {};
    if (source->kind == ControlKind::CommandButton)
        return QStringLiteral("请先按「%1」。").arg(words(source->text));
    if (source->kind == ControlKind::ComboBox) {
        const Control* frame = find(design, source->parent);
        return QStringLiteral("请先在「%1」中选择。").arg(frame ? words(frame->text) : words(source->text));
    }
    return {};
}

}  // namespace

QString failureMessage(const FormDesign& design, const CalculationFailure& failure)
{
    const QString reason = qs(reasonWords(failure.reason()));
    const Control* field = find(design, failure.field());
    if (!field)
        return QStringLiteral("计算中%1。").arg(reason);
    if (field->workField) {
        if (failure.reason() == FailureReason::NotANumber)
            return QStringLiteral("缺少前一步的计算结果。%1").arg(firstStep(design, field->filledBy));
        return QStringLiteral("计算中间结果时%1。").arg(reason);
    }
    const Control* label = field->captionLabel.empty() ? nullptr : find(design, field->captionLabel);
    const QString name = label ? words(label->text) : qs(field->name);
    if (failure.reason() == FailureReason::NotANumber)
        return QStringLiteral("「%1」%2。").arg(name, reason);
    return QStringLiteral("计算「%1」时%2。").arg(name, reason);
}

}  // namespace heatcalc::ui
