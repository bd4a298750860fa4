#pragma once

#include <QString>

#include <functional>
#include <string>

class QWidget;

// Small layers in place of what the desktop provides: warning messages, the help viewer and the
// program launcher. Each can be replaced, so that tests run without dialogs or a desktop.
namespace heatcalc::ui {

// Warnings to the user: a message box owned by `owner` unless a sink is set. The box blocks no
// window (closing the main window closes it as well); a new message of the same owner and title replaces
// the one it shows.
using WarningSink = std::function<void(QWidget* owner, const QString& title, const QString& text)>;
void setWarningSink(WarningSink sink);
// A button caption given replaces the box's translated one.
void warn(QWidget* owner, const QString& title, const QString& text, const QString& buttonText = {});
// A notice that something asked for has been done: an information box, by the same way as warnings.
void inform(QWidget* owner, const QString& title, const QString& text);

// Opens a help file, given by its absolute path, in the desktop's viewer; false when it cannot.
// An empty opener restores the desktop's.
using HelpOpener = std::function<bool(const std::string& file)>;
void setHelpOpener(HelpOpener opener);

// The file a help file name denotes: the file of exactly that name (backslashes included) in the
// working folder, by its absolute path; empty when there is no such file.
QString helpFilePath(const std::string& name);

// The common dialog's help call: the viewer shows HelpFile, the file helpFilePath() finds.
class CommonDialog {
public:
    std::string HelpFile;
    // False when there is no such file or the viewer cannot show it.
    bool ShowHelp();
};

// Starts a command (a web address here) with a window style; returns the task number, 0 when
// nothing was started.
using Launcher = std::function<bool(const QString& command)>;
void setLauncher(Launcher launcher);
double Shell(const QString& command, int windowStyle);

}  // namespace heatcalc::ui
