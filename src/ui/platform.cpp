#include "ui/platform.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <QUrl>

#include <algorithm>

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

QRect globalRect(const QWidget* w)
{
    return {w->mapToGlobal(QPoint(0, 0)), w->size()};
}

// The screen rectangle a message of `owner` speaks of: the child window that holds the owner, or
// the owner itself when it stands in no child window; of it the part its parents leave in view.
QRect areaOf(const QWidget* owner)
{
    const QWidget* area = owner;
    for (const QWidget* w = owner; w; w = w->parentWidget()) {
        if (qobject_cast<const QMdiSubWindow*>(w)) {
            area = w;
            break;
        }
    }
    QRect shown = globalRect(area);
    for (const QWidget* w = area->parentWidget(); w; w = w->parentWidget())
        shown &= globalRect(w);
    return shown.isEmpty() ? globalRect(area) : shown;
}

// A message box that opens centred over the window it speaks of, kept on the screen, rather than
// over the main window.
class MessageBox : public QMessageBox {
public:
    MessageBox(Icon icon, const QString& title, const QString& text, QWidget* owner)
        : QMessageBox(icon, title, text, QMessageBox::Ok, owner)
    {
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        // The box takes its size here, before it is first drawn.
        QMessageBox::showEvent(event);
        if (event->spontaneous() || !parentWidget())
            return;
        const QRect area = areaOf(parentWidget());
        QRect box(QPoint(0, 0), size());
        box.moveCenter(area.center());
        if (const QScreen* screen = QGuiApplication::screenAt(area.center())) {
            const QRect room = screen->availableGeometry();
            box.moveLeft(std::max(room.left(), std::min(box.left(), room.right() - box.width() + 1)));
            box.moveTop(std::max(room.top(), std::min(box.top(), room.bottom() - box.height() + 1)));
        }
        move(box.topLeft());
    }
};

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
    auto* box = new MessageBox(icon, title, text, owner);
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

bool CommonDialog::ShowHelp()
{
    // The file tested is the file handed over.
    const QString path = helpFilePath(HelpFile);
    return !path.isEmpty() && helpOpener()(path.toStdString());
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
