#include "ui/platform.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
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

namespace {

void showMessage(QMessageBox::Icon icon, QWidget* owner, const QString& title, const QString& text,
                 const QString& buttonText = {})
{
    if (warningSink()) {
        warningSink()(owner, title, text);
        return;
    }
    // Modeless: a modal box would block the main window, whose close box would then do nothing.
    if (owner) {
        for (QMessageBox* earlier : owner->findChildren<QMessageBox*>(Qt::FindDirectChildrenOnly))
            if (earlier->windowTitle() == title)
                earlier->close();
    }
    auto* box = new QMessageBox(icon, title, text, QMessageBox::Ok, owner);
    if (!buttonText.isEmpty())
        box->button(QMessageBox::Ok)->setText(buttonText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    // Closing the message hands the keyboard back to the window it spoke of, where the focus
    // already waits in the field it named; a desktop without a window manager would not.
    if (owner)
        QObject::connect(box, &QDialog::finished, owner, [owner] { owner->window()->activateWindow(); });
    box->show();
}

}  // namespace

void warn(QWidget* owner, const QString& title, const QString& text, const QString& buttonText)
{
    showMessage(QMessageBox::Warning, owner, title, text, buttonText);
}

void inform(QWidget* owner, const QString& title, const QString& text)
{
    showMessage(QMessageBox::Information, owner, title, text);
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

}  // namespace heatcalc::ui
