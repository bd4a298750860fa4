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

HelpOpener& helpOpener()
{
    static HelpOpener opener = [](const std::string& file) {
        const QString path = QString::fromStdString(file);
        if (!QFileInfo::exists(path))
            return false;
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
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
    QMessageBox::warning(owner, title, text);
}

void setHelpOpener(HelpOpener opener)
{
    helpOpener() = std::move(opener);
}

void CommonDialog::ShowHelp()
{
    const bool opened = helpOpener()(HelpFile);
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
