#include "ui/platform.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUrl>

#include <stdexcept>

namespace heatcalc::ui {

namespace {

WarningSink& warningSink()
{
    static WarningSink sink;
    return sink;
}

bool openInDesktopViewer(const std::string& file)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file)));
}

HelpOpener& helpOpener()
{
    static HelpOpener opener = openInDesktopViewer;
    return opener;
}

Launcher& launcher()
{
    static Launcher start = [](const QString& command) { return QDesktopServices::openUrl(QUrl(command)); };
    return start;
}

}  // namespace

void setWarningSink(WarningSink sink)
{
    warningSink() = std::move(sink);
}

void warn(QWidget* owner, const QString& title, const QString& text)
{
    if (warningSink()) {
        warningSink()(owner, title, text);
        return;
    }
    // Modeless: a modal box would block the main window, whose close box would then do nothing.
    if (owner) {
        for (QMessageBox* earlier : owner->findChildren<QMessageBox*>(Qt::FindDirectChildrenOnly))
            earlier->close();
    }
    auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void setHelpOpener(HelpOpener opener)
{
    helpOpener() = opener ? std::move(opener) : HelpOpener(openInDesktopViewer);
}

QString helpFilePath(const std::string& name)
{
    const QFileInfo file(QString::fromStdString(name));
    if (name.empty() || !file.isFile())
        return {};
    return file.absoluteFilePath();
}

void CommonDialog::ShowHelp()
{
    // The file tested is the file handed over.
    const QString path = helpFilePath(HelpFile);
    const bool opened = !path.isEmpty() && helpOpener()(path.toStdString());
    if (!opened && CancelError)
        throw std::runtime_error("the help viewer could not show " + HelpFile);
}

void setLauncher(Launcher start)
{
    launcher() = std::move(start);
}

double Shell(const QString& command, int /*windowStyle: the desktop decides how the page opens*/)
{
    return launcher()(command) ? 1 : 0;
}

QString printImage(const QImage& image)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return QStringLiteral("没有默认打印机");
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("heatcalc"));
    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("打印机 %1 不能打印").arg(info.printerName());
    // The window's pixels at their size on the screen (96 per inch), from the page's top left.
    const double scale = printer.resolution() / 96.0;
    painter.scale(scale, scale);
    painter.drawImage(QPoint(0, 0), image.convertToFormat(QImage::Format_RGB32));
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return QStringLiteral("打印机 %1 拒绝了打印任务").arg(info.printerName());
    return {};
}

}  // namespace heatcalc::ui
