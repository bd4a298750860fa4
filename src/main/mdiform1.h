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
    // A page on district heating, started by "网址".
    static constexpr const char* WebPageAddress = "https://en.wikipedia.org/wiki/District_heating";
    static constexpr const char* HelpFile = "c:\\windows\\system32\\winhelp.hlp";

    explicit MDIForm1(QWidget* parent = nullptr);

    // Shows the window of a kind: an open one is brought to the front as it stands, otherwise a
    // fresh one is loaded from its design.
    void ShowChildForm(ChildKind kind);
    // 0 cascades, 1 tiles horizontally, 2 tiles vertically the open child windows.
    void ArrangeWindows(short arrangement);
    void OpenHelpViewer();
    void OpenWebPage();

    // The open window of a kind, or null.
    QMdiSubWindow* childWindow(ChildKind kind) const;
    QMdiArea* area() const { return area_; }

    void MenuNew_Click(short Index);
    void MenuOpen_Click(short Index);
    void MenuExit_Click(short Index);
    void ZHONGLIANG_Click(short Index);
    void DIANYUANXIAN_Click(short Index);
    void mupai_Click();
    void MenuCascade_Click(short Index);
    void MenuHorizontal_Click(short Index);
    void MenuVertical_Click(short Index);
    void MenuAbout_Click();
    void wwww_Click();

protected:
    // Closing the main window closes the messages its windows show as well; the program then ends.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();

    QMdiArea* area_;
    ui::CommonDialog CommonDialog1;
    std::array<QPointer<QMdiSubWindow>, 6> slots_{};
    // The shortcuts that reach the menu even from a focused text field or list.
    QList<QKeySequence> menuKeys_;
};

}  // namespace heatcalc
