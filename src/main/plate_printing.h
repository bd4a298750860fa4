#pragma once

#include "ui/form_widget.h"

namespace heatcalc {

// The plate window's print button: prints an image of the window's client area as it is shown,
// on the default printer, without a dialog. While the job is being handed to the print server
// the button is disabled and the window shows a busy cursor; the window keeps working. A failure
// changes nothing in the window and is reported by its cause, with the server's own words; a
// server that keeps the print waiting is reported when the time-out runs out.
void attachPlatePrinting(ui::FormWidget* window);

}  // namespace heatcalc
