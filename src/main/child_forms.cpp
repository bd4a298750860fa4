#include "main/child_forms.h"

#include "main/plate_printing.h"
#include "main/reference_pictures.h"
#include "plate/fo.h"
#include "reference/reference_forms.h"
#include "tube/fo23.h"
#include "unit/form1.h"
#include "weight/form2.h"

namespace heatcalc {

ui::FormWidget* createChildForm(ChildKind kind)
{
    switch (kind) {
    case ChildKind::Fo: {
        auto* window = new ui::FormWidget(std::make_unique<Fo>());
        attachPlatePrinting(window);
        return window;
    }
    case ChildKind::Fo23:
        return new ui::FormWidget(std::make_unique<Fo23>());
    case ChildKind::Form1:
        return new ui::FormWidget(std::make_unique<Form1>());
    case ChildKind::Form2:
        return new ui::FormWidget(std::make_unique<Form2>());
    case ChildKind::Form3:
    case ChildKind::Form4: {
        auto* window =
            new ui::FormWidget(std::make_unique<FormModel>(kind == ChildKind::Form3 ? Form3Design() : Form4Design()));
        window->setPictureSource(referencePicture);
        return window;
    }
    }
    return nullptr;
}

}  // namespace heatcalc
