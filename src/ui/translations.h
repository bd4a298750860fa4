#pragma once

class QApplication;

namespace heatcalc::ui {

// Qt's own texts (message-box buttons, the child windows' system menu, the text fields' context
// menu) in Chinese, whatever the desktop's language: the program's own texts are Chinese only.
// Loads Qt's Chinese catalogue from Qt's translations folder once per application; false when it
// is not installed, and Qt's texts then stay English.
bool installTranslations(QApplication& app);

}  // namespace heatcalc::ui
