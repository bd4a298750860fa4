#pragma once

#include "main/mdiform1.h"
#include "ui/form_widget.h"

namespace heatcalc {

// A freshly loaded window of a kind, with its design-time contents.
ui::FormWidget* createChildForm(ChildKind kind);

}  // namespace heatcalc
