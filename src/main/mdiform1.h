#pragma once

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <array>

#include "ui/platform.h"

class QMdiArea;
class QMdiSubWindow;

namespace heatcalc {

// The window kinds the main window opens, one instance each.
enum class ChildKind { Fo, Fo23, Form1, Form2, Form3, Form4 };

// The main window: a multiple-document frame whose menu bar opens the calculator and reference
// windows, arranges them, opens the help viewer and starts the web page.
class MDIForm1 : public QMainWindow {
    Q_OBJECT

public:
    // The Chinese Wikipedia's page on district heating (区域供热), in simplified characters, started
    // by "网址".
    static constexpr const char* WebPageAddress = "https://zh.wikipedia.org/zh-cn/%E5%8C%BA%E5%9F%9F%E4%BE%9B%E7%83%AD";
    static constexpr const char* HelpFile = "c:\\windows\\system32\\winhelp.hlp";

    explicit MDIForm1(QWidget* parent = nullptr);

    // Shows the window of a kind: an open one is brought to the front as it stands, otherwise a
    // fresh one is loaded from its design.
    void ShowChildForm(ChildKind kind);
    // 0 cascades, 1 tiles horizontally, 2 tiles vertically the open child windows.
    void ArrangeWindows(short arrangement);
    // Shows HelpFile in the desktop's help viewer; says nothing when it cannot.
    void OpenHelpViewer();
    // Starts WebPageAddress; says so in a message when the desktop cannot open it.
    void OpenWebPage();

    // The open window of a kind, or null: a window being closed counts as closed.
    QMdiSubWindow* childWindow(ChildKind kind) const;
    QMdiArea* area() const { return area_; }

    // The menu's commands.
    void showPlateWindow();
    void showTubeWindow();
    void showUnitWindow();
    void showWeightWindow();
    void showCableTable();
    void showBusbarTable();
    void cascadeWindows();
    void tileWindowsHorizontally();
    void tileWindowsVertically();
    void showIntroduction();
    void showWebPage();

protected:
    // Closing the main window closes the messages its windows show as well; the program then ends.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    // Hands the keyboard on from a window just minimised.
    void activateNextOpenWindow(QMdiSubWindow* minimised);
    // Brings a window to the front, restored if minimised, with the keyboard in its last field.
    void activate(QMdiSubWindow* window);

    QMdiArea* area_;
    ui::CommonDialog CommonDialog1;
    std::array<QPointer<QMdiSubWindow>, 6> slots_{};
    // The shortcuts that reach the menu even from a focused text field or list.
    QList<QKeySequence> menuKeys_;
};

}  // namespace heatcalc
