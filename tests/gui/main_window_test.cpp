#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include "gui_support.h"

using heatcalc::ChildKind;
using heatcalc::MDIForm1;

// Receives the addresses the desktop services are asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }
};

// The working folder changed for the life of the object.
struct WorkingFolder {
    QString previous = QDir::currentPath();
    explicit WorkingFolder(const QString& path) { QDir::setCurrent(path); }
    ~WorkingFolder() { QDir::setCurrent(previous); }
};

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // No test starts a real browser or help viewer.
    void init()
    {
        heatcalc::ui::setLauncher([](const QString&) { return false; });
        heatcalc::ui::setHelpOpener([](const std::string&) { return false; });
    }
    void startsWithCaptionClientSizeAndMenus();
    void menuItemsCaptionsAndShortcuts();
    void inertItemsDoNothing();
    void oneInstancePerKind();
    void closingDiscardsTheTexts();
    void arrangeWithNoneAndSeveral();
    void childWindowsReachingBeyondShowScrollBars();
    void shortcutsWorkFromChildWindowsButEditingKeysStayInFields();
    void helpCommandEndsSilentlyWhenTheViewerFails();
    void helpCommandHandsOverTheFileItFound();
    void closingTheMainWindowClosesAnOpenFailureMessage();
    void webCommandHandsOverTheAddress();
    void weightWindowComputesThroughTheWidgets();
    void failedPressIsReportedAndKeepsTheFields();
};

void MainWindowTest::startsWithCaptionClientSizeAndMenus()
{
    MDIForm1 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.windowTitle().startsWith(QStringLiteral("Velmora自动化设备有限公司（")));
    QVERIFY(w.windowTitle().endsWith(QStringLiteral("）") + QString(13, QLatin1Char(' '))));
    QCOMPARE(w.area()->size(), QSize(443, 325));
    QVERIFY(w.area()->subWindowList().isEmpty());
}

void MainWindowTest::menuItemsCaptionsAndShortcuts()
{
    MDIForm1 w;
    const QList<QAction*> tops = w.menuBar()->actions();
    QStringList topCaptions;
    for (QAction* a : tops)
        topCaptions << a->text();
    QCOMPARE(topCaptions, (QStringList{"换热器选型(&F)", "其他计算", "查表", "窗口(&W)", "帮助(&h)"}));

    const QList<std::tuple<const char*, QString, QKeySequence>> items{
        {"MenuNew", "板式换热器(&N)", QKeySequence("Ctrl+A")},   {"MenuOpen", "管式换热器(&O)", QKeySequence("Ctrl+B")},
        {"MenuSave", "烟道换热器(&S)", QKeySequence("Ctrl+C")},  {"MenuSp0", "高温汽水换热器(&C)", QKeySequence("Ctrl+D")},
        {"MenuExit", "换热机组(&X)", QKeySequence("Ctrl+E")},    {"LIUSU", "管道流速计算", QKeySequence("Ctrl+F")},
        {"ZHONGLIANG", "材料重量计算", QKeySequence("Ctrl+G")},  {"mupai", "母排载流表", QKeySequence("Ctrl+H")},
        {"DIANYUANXIAN", "电源线载流表", QKeySequence("Ctrl+I")}, {"SHUIXING", "水的物理特性表", QKeySequence("Ctrl+J")},
        {"MenuCascade", "层叠(&C)", QKeySequence(Qt::Key_F2)},   {"MenuHorizontal", "水平排列(&H)", QKeySequence(Qt::Key_F4)},
        {"MenuVertical", "垂直排列(&V)", QKeySequence(Qt::Key_F5)}, {"wwww", "网址", QKeySequence(Qt::Key_Delete)},
        {"MenuAbout", "系统介绍(&A)", QKeySequence(Qt::Key_F1)},
    };
    int count = 0;
    for (QAction* top : tops)
        count += static_cast<int>(top->menu()->actions().size());
    QCOMPARE(count, 15);
    for (const auto& [name, caption, shortcut] : items) {
        QAction* a = menuAction(w, name);
        QVERIFY2(a, name);
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut(), shortcut);
        QVERIFY(a->isEnabled() && a->isVisible() && !a->isCheckable());
    }
}

void MainWindowTest::inertItemsDoNothing()
{
    MDIForm1 w;
    w.show();
    for (const char* name : {"MenuSave", "MenuSp0", "LIUSU", "SHUIXING"})
        menuAction(w, name)->trigger();
    QVERIFY(w.area()->subWindowList().isEmpty());
    for (const char* keys : {"Ctrl+C", "Ctrl+D", "Ctrl+F", "Ctrl+J"})
        QTest::keySequence(&w, QKeySequence(QString::fromLatin1(keys)));
    QVERIFY(w.area()->subWindowList().isEmpty());
}

void MainWindowTest::oneInstancePerKind()
{
    MDIForm1 w;
    w.show();
    menuAction(w, "ZHONGLIANG")->trigger();
    auto* first = w.childWindow(ChildKind::Form2);
    QVERIFY(first);
    typeInto(formOf(first), "Text1", QStringLiteral("0.5"));
    menuAction(w, "ZHONGLIANG")->trigger();
    QCOMPARE(w.childWindow(ChildKind::Form2), first);
    QCOMPARE(w.area()->subWindowList().size(), 1);
    QCOMPARE(widgetText(formOf(first), "Text1"), QStringLiteral("0.5"));
    QCOMPARE(w.area()->activeSubWindow(), first);
}

void MainWindowTest::closingDiscardsTheTexts()
{
    MDIForm1 w;
    w.show();
    w.ShowChildForm(ChildKind::Form2);
    auto* form = formOf(w.childWindow(ChildKind::Form2));
    typeInto(form, "Text1", QStringLiteral("7"));
    QCOMPARE(form->model().text("Text1"), std::string("7"));
    w.childWindow(ChildKind::Form2)->close();
    QTRY_VERIFY(!w.childWindow(ChildKind::Form2));
    w.ShowChildForm(ChildKind::Form2);
    QCOMPARE(widgetText(formOf(w.childWindow(ChildKind::Form2)), "Text1"), QStringLiteral("0.019"));
    QCOMPARE(formOf(w.childWindow(ChildKind::Form2))->model().text("Text21"), std::string("Text21"));
}

void MainWindowTest::arrangeWithNoneAndSeveral()
{
    MDIForm1 w;
    w.resize(1400, 1000);
    w.show();
    for (short m : {short(0), short(1), short(2)})
        w.ArrangeWindows(m);
    QVERIFY(w.area()->subWindowList().isEmpty());

    for (ChildKind k : {ChildKind::Form2, ChildKind::Form3, ChildKind::Form4})
        w.ShowChildForm(k);
    const auto windows = w.area()->subWindowList();
    QCOMPARE(windows.size(), 3);

    menuAction(w, "MenuVertical")->trigger();
    QList<int> lefts;
    for (auto* s : windows)
        lefts << s->x();
    std::sort(lefts.begin(), lefts.end());
    QCOMPARE(lefts.front(), 0);
    QVERIFY(lefts[1] > 0 && lefts[2] > lefts[1]);

    menuAction(w, "MenuHorizontal")->trigger();
    QList<int> tops;
    for (auto* s : windows) {
        tops << s->y();
        QCOMPARE(s->x(), 0);
    }
    std::sort(tops.begin(), tops.end());
    QVERIFY(tops[0] == 0 && tops[1] > 0 && tops[2] > tops[1]);

    menuAction(w, "MenuCascade")->trigger();
    QList<QPoint> corners;
    for (auto* s : w.area()->subWindowList(QMdiArea::StackingOrder))
        corners << s->pos();
    QCOMPARE(corners[0], QPoint(0, 0));
    QVERIFY(corners[1].x() > 0 && corners[1].x() == corners[1].y());
    QVERIFY(corners[2].x() > corners[1].x());
}

void MainWindowTest::childWindowsReachingBeyondShowScrollBars()
{
    MDIForm1 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.ShowChildForm(ChildKind::Form3);  // wider than the client area
    QTRY_VERIFY(w.area()->horizontalScrollBar()->isVisible());
}

void MainWindowTest::shortcutsWorkFromChildWindowsButEditingKeysStayInFields()
{
    MDIForm1 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keySequence(&w, QKeySequence("Ctrl+G"));
    auto* weight = w.childWindow(ChildKind::Form2);
    QVERIFY(weight);
    auto* edit = qobject_cast<QLineEdit*>(formOf(weight)->control("Text3"));
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    // From inside the child window the main window's shortcut opens the busbar table.
    QTest::keySequence(edit, QKeySequence("Ctrl+H"));
    QVERIFY(w.childWindow(ChildKind::Form4));
    // Ctrl+A in a field selects its text rather than opening the plate window.
    formOf(w.childWindow(ChildKind::Form2))->activateWindow();
    w.area()->setActiveSubWindow(weight);
    edit->setFocus();
    QTest::keySequence(edit, QKeySequence("Ctrl+A"));
    QCOMPARE(edit->selectedText(), QStringLiteral("3"));
    QVERIFY(!w.childWindow(ChildKind::Fo));
    // Del deletes the selection rather than starting the web page.
    QStringList started;
    heatcalc::ui::setLauncher([&](const QString& command) {
        started << command;
        return true;
    });
    QTest::keySequence(edit, QKeySequence(Qt::Key_Delete));
    QCOMPARE(edit->text(), QString());
    QVERIFY(started.isEmpty());
}

void MainWindowTest::helpCommandEndsSilentlyWhenTheViewerFails()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    WorkingFolder here(folder.path());
    WarningLog log;
    QStringList asked;
    heatcalc::ui::setHelpOpener([&](const std::string& file) {
        asked << QString::fromStdString(file);
        return false;
    });
    MDIForm1 w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    // No help file: the viewer is not asked, and nothing is said.
    menuAction(w, "MenuAbout")->trigger();
    QVERIFY(asked.isEmpty());
    QVERIFY(log.entries.isEmpty());
    // A help file the viewer fails to show: nothing is said either, from a child window too.
    QFile file(QString::fromLatin1(MDIForm1::HelpFile));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    w.ShowChildForm(ChildKind::Form2);
    QTest::keyClick(formOf(w.childWindow(ChildKind::Form2))->control("Text1"), Qt::Key_F1);
    QCOMPARE(asked.size(), 1);
    QVERIFY(log.entries.isEmpty());
    QVERIFY(w.isVisible());
}

void MainWindowTest::helpCommandHandsOverTheFileItFound()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    WorkingFolder here(folder.path());
    const QString name = QStringLiteral("c:\\windows\\system32\\winhelp.hlp");
    QCOMPARE(QString::fromLatin1(MDIForm1::HelpFile), name);
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString path = QDir(folder.path()).absoluteFilePath(name);
    QVERIFY(QFileInfo(path).isFile());

    QStringList asked;
    heatcalc::ui::setHelpOpener([&](const std::string& f) {
        asked << QString::fromStdString(f);
        return true;
    });
    MDIForm1 w;
    w.show();
    menuAction(w, "MenuAbout")->trigger();
    QCOMPARE(asked, QStringList{path});

    // The desktop's viewer gets the address of that same file.
    UrlCatcher desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
    heatcalc::ui::setHelpOpener({});
    menuAction(w, "MenuAbout")->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(desktop.urls.size(), 1);
    QCOMPARE(desktop.urls[0], QUrl::fromLocalFile(path));
    QVERIFY(QFileInfo(desktop.urls[0].toLocalFile()).isFile());
}

void MainWindowTest::closingTheMainWindowClosesAnOpenFailureMessage()
{
    MDIForm1 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.ShowChildForm(ChildKind::Form2);
    auto* form = formOf(w.childWindow(ChildKind::Form2));
    // A message that blocked the windows would hold the press here: it is closed after a while,
    // and the checks below fail instead of waiting for ever.
    QTimer guard;
    guard.setSingleShot(true);
    guard.callOnTimeout([] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    guard.start(3000);
    // No material chosen: the press fails and the message box is shown.
    click(form, "Command1");
    QPointer<QMessageBox> message = form->findChild<QMessageBox*>();
    QVERIFY(message);
    QTRY_VERIFY(message->isVisible());
    QVERIFY(message->text().contains(QStringLiteral("材质选择")));
    // A second failure of the same window replaces the message.
    click(form, "Command1");
    QTRY_VERIFY(!message);
    message = form->findChild<QMessageBox*>();
    QVERIFY(message && message->isVisible());
    // The message blocks no window: the desktop's close request reaches the main window.
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(!QGuiApplication::modalWindow());
    guard.stop();

    // Closed while the message is open, the main window closes it and the program ends.
    QTimer::singleShot(50, &w, [&w] { w.close(); });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(2); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!w.isVisible());
    QTRY_VERIFY(!message);
}

void MainWindowTest::webCommandHandsOverTheAddress()
{
    QStringList started;
    heatcalc::ui::setLauncher([&](const QString& command) {
        started << command;
        return false;
    });
    MDIForm1 w;
    w.show();
    menuAction(w, "wwww")->trigger();
    QCOMPARE(started, QStringList{QString::fromLatin1(MDIForm1::WebPageAddress)});
    QVERIFY(QUrl(started.front()).isValid());
}

void MainWindowTest::weightWindowComputesThroughTheWidgets()
{
    MDIForm1 w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.ShowChildForm(ChildKind::Form2);
    auto* window = w.childWindow(ChildKind::Form2);
    auto* form = formOf(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("重量计算"));
    QCOMPARE(form->size(), QSize(513, 299));
    QVERIFY(!form->control("Text21"));  // the density field is never shown
    QCOMPARE(qobject_cast<QLabel*>(form->control("Label1"))->text(), QStringLiteral("材料重量计算"));
    QCOMPARE(qobject_cast<QComboBox*>(form->control("Combo1"))->count(), 20);
    QCOMPARE(widgetText(form, "Combo1"), QStringLiteral("请选择材质"));
    QCOMPARE(QApplication::focusWidget(), form->control("Text1"));

    pick(form, "Combo1", QStringLiteral("工业纯铝"));
    click(form, "Command1");
    click(form, "Command2");
    click(form, "Command3");
    QCOMPARE(widgetText(form, "Text18"), QStringLiteral("0.17898"));
    QCOMPARE(widgetText(form, "Text5"), QStringLiteral("7.275537"));
    QCOMPARE(widgetText(form, "Text10"), QStringLiteral("0.76797335"));
    QCOMPARE(widgetText(form, "Text16"), QStringLiteral("8.13"));

    typeInto(form, "Text1", QStringLiteral("-0.019"));
    pick(form, "Combo1", QStringLiteral("铸材"));
    click(form, "Command1");
    QCOMPARE(widgetText(form, "Text5"), QStringLiteral("-21.074895"));
}

void MainWindowTest::failedPressIsReportedAndKeepsTheFields()
{
    WarningLog log;
    MDIForm1 w;
    w.show();
    w.ShowChildForm(ChildKind::Form2);
    auto* form = formOf(w.childWindow(ChildKind::Form2));
    click(form, "Command1");
    QCOMPARE(log.entries.size(), 1);
    QCOMPARE(log.entries[0].owner, form);
    QVERIFY(log.entries[0].text.contains(QStringLiteral("材质选择")));
    QCOMPARE(widgetText(form, "Text18"), QStringLiteral("0.17898"));
    QCOMPARE(widgetText(form, "Text5"), QStringLiteral("0"));

    typeInto(form, "Text12", QStringLiteral("abc"));
    click(form, "Command3");
    QCOMPARE(log.entries.size(), 2);
    QCOMPARE(log.entries[1].text, QStringLiteral("「长」不是数字。"));
    QVERIFY(w.isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
