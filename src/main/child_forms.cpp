#include "main/child_forms.h"

#include "main/reference_forms.h"
#include "ui/platform.h"
#include "weight/form2.h"
#if __has_include("plate/fo.h")
#include "plate/fo.h"
#define HEATCALC_HAVE_FO 1
#endif
#if __has_include("tube/fo23.h")
#include "tube/fo23.h"
#define HEATCALC_HAVE_FO23 1
#endif
#if __has_include("unit/form1.h")
#include "unit/form1.h"
#define HEATCALC_HAVE_FORM1 1
#endif

namespace heatcalc {

namespace {

// Prints an image of the window's client area as it is shown.
void PrintForm(ui::FormWidget* window)
{
    const QString failure = ui::printImage(window->grab().toImage());
    if (!failure.isEmpty())
        ui::warn(window, QStringLiteral("打印失败"), QStringLiteral("打印失败：%1。").arg(failure));
}

}  // namespace

ui::FormWidget* createChildForm(ChildKind kind)
{
    switch (kind) {
    case ChildKind::Fo: {
#ifdef HEATCALC_HAVE_FO
        auto* window = new ui::FormWidget(std::make_unique<Fo>());
        window->setPlatformHandler("Command2_Click", [window] { PrintForm(window); });
        return window;
#else
        return nullptr;
#endif
    }
    case ChildKind::Fo23:
#ifdef HEATCALC_HAVE_FO23
        return new ui::FormWidget(std::make_unique<Fo23>());
#else
        return nullptr;
#endif
    case ChildKind::Form1:
#ifdef HEATCALC_HAVE_FORM1
        return new ui::FormWidget(std::make_unique<Form1>());
#else
        return nullptr;
#endif
    case ChildKind::Form2:
        return new ui::FormWidget(std::make_unique<Form2>());
    case ChildKind::Form3:
        return new ui::FormWidget(std::make_unique<FormModel>(Form3Design()));
    case ChildKind::Form4:
        return new ui::FormWidget(std::make_unique<FormModel>(Form4Design()));
    }
    return nullptr;
}

}  // namespace heatcalc
