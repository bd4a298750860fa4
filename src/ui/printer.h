#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

class QTimer;

// Printing without a dialog on the default destination of the print server (CUPS). The document
// is made on the calling thread; handing it to the server runs in a worker thread, so that a
// slow or silent server never holds up the windows. What the server's answers mean and the words
// for the user are in ui/print_decision.h.
namespace heatcalc::ui {

struct PrintHandover;
namespace printing {
struct Outcome;
}

// A one-page PDF document: the image at its size on the screen (96 pixels per inch) from the top
// left corner of an A4 page. Empty when it cannot be made.
QByteArray pagePdf(const QImage& image);

// How long a whole hand-over may take, from its start to the server's acceptance of the job: HEATCALC_PRINT_TIMEOUT_MS
// when that is a positive whole number, otherwise 10 s.
std::chrono::milliseconds printTimeout();

// Hands one document at a time to the default destination. The outcome comes back on the
// thread that owns this object, as `finished`, at the latest when the time-out runs out.
class DocumentPrinter : public QObject {
    Q_OBJECT

public:
    explicit DocumentPrinter(QObject* parent = nullptr);
    // Cancels a hand-over under way without waiting for it; its outcome is dropped and a job it
    // created is withdrawn.
    ~DocumentPrinter() override;

    bool busy() const { return current_ != nullptr; }

    // Starts handing a PDF document over as a job named `title`. False, and nothing started,
    // while another hand-over is under way or when no worker thread can be started.
    bool print(QByteArray pdf, const QString& title);

signals:
    // A hand-over ended. `failure` is empty when the server accepted the job and numbered it
    // `jobId`, and `notice` then tells the user so; otherwise `failure` says why not, with the
    // server's own words where it gave some, and a job the server created for it is withdrawn.
    void finished(int jobId, const QString& failure, const QString& notice);

private:
    friend struct PrintHandover;
    void deliver(const std::shared_ptr<PrintHandover>& handover, const printing::Outcome& outcome);
    // The time-out ran out: the user is told at once, whatever the server still does.
    void expire();

    std::shared_ptr<PrintHandover> current_;
    QTimer* deadline_;
};

// Waits up to `bound` for the worker threads still handing documents over (also those whose
// printer is gone and that only finish cancelling); true when none is left. Runs, bounded, when
// the application ends.
bool waitForPrintWorkers(std::chrono::milliseconds bound);

}  // namespace heatcalc::ui
