#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

// Printing without a dialog on the default destination of the print server (CUPS). The document
// is made on the calling thread; handing it to the server runs in a worker thread, so that a
// slow or silent server never holds up the windows.
namespace heatcalc::ui {

struct PrintHandover;
struct PrintOutcome;

// A one-page PDF document: the image at its size on the screen (96 pixels per inch) from the top
// left corner of an A4 page. Empty when it cannot be made.
QByteArray pagePdf(const QImage& image);

// How long the hand-over waits for the print server to take the connection, and then for each
// of its answers: HEATCALC_PRINT_TIMEOUT_MS when that is a positive number, otherwise 10 s.
std::chrono::milliseconds printTimeout();

// Hands one document at a time to the default destination. The outcome comes back on the
// thread that owns this object, as `finished`.
class DocumentPrinter : public QObject {
    Q_OBJECT

public:
    explicit DocumentPrinter(QObject* parent = nullptr);
    // Cancels a hand-over under way without waiting for it; its outcome is dropped.
    ~DocumentPrinter() override;

    bool busy() const { return current_ != nullptr; }

    // Starts handing a PDF document over as a job named `title`. False, and nothing started,
    // while another hand-over is under way or when no worker thread can be started.
    bool print(QByteArray pdf, const QString& title);

signals:
    // A hand-over ended. `failure` is empty when the server accepted the job and numbered it
    // `jobId`; otherwise it says why not, with the server's own reason where it gave one.
    // `note` says, for an accepted job, that its destination is stopped and holds it.
    void finished(int jobId, const QString& failure, const QString& note);

private:
    void deliver(const std::shared_ptr<PrintHandover>& handover, const PrintOutcome& outcome);

    std::shared_ptr<PrintHandover> current_;
};

// Waits up to `bound` for the worker threads still handing documents over (also those whose
// printer is gone and that only finish cancelling); true when none is left. Runs, bounded, when
// the application ends.
bool waitForPrintWorkers(std::chrono::milliseconds bound);

}  // namespace heatcalc::ui
