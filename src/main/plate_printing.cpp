#include "main/plate_printing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>

#include "ui/platform.h"
#include "ui/print_decision.h"
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
            tell(ui::printing::pageNotMade());
            return;
        }
        QWidget* button = window_->control(printButton);
        const bool buttonHadFocus = button && button->hasFocus();
        if (button) {
            button->setEnabled(false);
            // The caption says that the page is on its way, where the busy cursor is not seen.
            if (auto* push = qobject_cast<QAbstractButton*>(button)) {
                caption_ = push->text();
                push->setText(QString::fromUtf8(ui::printing::printingCaption));
            }
        }
        // The disabled button passes the focus on; it gets it back unless the user moved it.
        focusAfterDisabling_ = buttonHadFocus ? QApplication::focusWidget() : nullptr;
        window_->setCursor(Qt::BusyCursor);
        if (!printer_->print(pdf, QStringLiteral("heatcalc"))) {
            restore();
            tell(ui::printing::notStarted());
        }
    }

private:
    void finished(int /*jobId*/, const QString& failure, const QString& notice)
    {
        restore();
        if (!failure.isEmpty())
            ui::warn(window_, QString::fromUtf8(ui::printing::failureTitle), failure);
        else
            ui::inform(window_, QString::fromUtf8(ui::printing::noticeTitle), notice);
    }

    // The button, its caption, the cursor and the focus as they were before the print.
    void restore()
    {
        window_->unsetCursor();
        if (QWidget* button = window_->control(printButton)) {
            button->setEnabled(true);
            if (auto* push = qobject_cast<QAbstractButton*>(button); push && !caption_.isEmpty())
                push->setText(caption_);
            if (focusAfterDisabling_ && QApplication::focusWidget() == focusAfterDisabling_)
                button->setFocus(Qt::OtherFocusReason);
        }
        focusAfterDisabling_ = nullptr;
    }

    void tell(const ui::printing::Message& message)
    {
        ui::warn(window_, QString::fromStdString(message.title), QString::fromStdString(message.text));
    }

    ui::FormWidget* window_;
    ui::DocumentPrinter* printer_;
    QPointer<QWidget> focusAfterDisabling_;
    QString caption_;  // the print button's own caption while it shows that printing is under way
};

}  // namespace

void attachPlatePrinting(ui::FormWidget* window)
{
    auto* printing = new PlatePrinting(window);
    window->setPlatformHandler("Command2_Click", [printing] { printing->PrintForm(); });
}

}  // namespace heatcalc
