#include "main/plate_printing.h"

#include <QApplication>
#include <QPointer>

#include "ui/platform.h"
#include "ui/printer.h"

namespace heatcalc {

namespace {

constexpr const char* printButton = "Command2";

// Lives as a child of the window: closing the window cancels a hand-over under way.
class PlatePrinting : public QObject {
public:
    explicit PlatePrinting(ui::FormWidget* window)
        : QObject(window), window_(window), printer_(new ui::DocumentPrinter(this))
    {
        connect(printer_, &ui::DocumentPrinter::finished, this, &PlatePrinting::finished);
    }

    // Prints an image of the window's client area as it is shown.
    void PrintForm()
    {
        if (printer_->busy())
            return;
        const QByteArray pdf = ui::pagePdf(window_->grab().toImage());
        if (pdf.isEmpty()) {
            report(QStringLiteral("不能生成打印页面"));
            return;
        }
        QWidget* button = window_->control(printButton);
        const bool buttonHadFocus = button && button->hasFocus();
        if (button)
            button->setEnabled(false);
        // The disabled button passes the focus on; it gets it back unless the user moved it.
        focusAfterDisabling_ = buttonHadFocus ? QApplication::focusWidget() : nullptr;
        window_->setCursor(Qt::BusyCursor);
        if (!printer_->print(pdf, QStringLiteral("heatcalc")))
            finished(0, QStringLiteral("不能启动打印"));
    }

private:
    void finished(int jobId, const QString& failure)
    {
        window_->unsetCursor();
        if (QWidget* button = window_->control(printButton)) {
            button->setEnabled(true);
            if (focusAfterDisabling_ && QApplication::focusWidget() == focusAfterDisabling_)
                button->setFocus(Qt::OtherFocusReason);
        }
        focusAfterDisabling_ = nullptr;
        if (!failure.isEmpty())
            report(failure);
        else
            ui::inform(window_, QStringLiteral("打印"),
                       QStringLiteral("打印任务已交给打印服务器，作业号 %1。").arg(jobId));
    }

    void report(const QString& failure)
    {
        ui::warn(window_, QStringLiteral("打印失败"), QStringLiteral("打印失败：%1。").arg(failure));
    }

    ui::FormWidget* window_;
    ui::DocumentPrinter* printer_;
    QPointer<QWidget> focusAfterDisabling_;
};

}  // namespace

void attachPlatePrinting(ui::FormWidget* window)
{
    auto* printing = new PlatePrinting(window);
    window->setPlatformHandler("Command2_Click", [printing] { printing->PrintForm(); });
}

}  // namespace heatcalc
