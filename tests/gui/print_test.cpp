#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include "gui_support.h"

using heatcalc::ChildKind;
using heatcalc::MDIForm1;

// Printing to a real print queue: the test command sets up a PDF printer as the default
// destination and names the folder its files arrive in.
class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void printsOneImageOfTheClientArea();
};

void PrintTest::printsOneImageOfTheClientArea()
{
    const QString outFolder = QString::fromLocal8Bit(qgetenv("HEATCALC_PRINT_OUT"));
    if (outFolder.isEmpty())
        QSKIP("no print queue set up; scripts/test sets one up");
    QDir out(outFolder);
    const QStringList before = out.entryList({"*.pdf"}, QDir::Files);

    WarningLog log;
    MDIForm1 w;
    w.show();
    w.ShowChildForm(ChildKind::Fo);
    auto* plate = formOf(w.childWindow(ChildKind::Fo));
    QVERIFY(QTest::qWaitForWindowExposed(plate));
    QVERIFY(click(plate, "Command1"));
    const std::string heat = plate->model().text("Text7");
    QVERIFY(click(plate, "Command2"));
    QVERIFY2(log.entries.isEmpty(), qPrintable(log.entries.value(0).text));
    QCOMPARE(plate->model().text("Text7"), heat);

    QString printed;
    QElapsedTimer waited;
    waited.start();
    while (printed.isEmpty() && waited.elapsed() < 30000) {
        QTest::qWait(200);
        out.refresh();
        for (const QString& name : out.entryList({"*.pdf"}, QDir::Files))
            if (!before.contains(name))
                printed = out.filePath(name);
    }
    QVERIFY2(!printed.isEmpty(), "no PDF arrived from the print queue");
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(printed).size() > 0, 10000);

    QProcess list;
    QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                 list.start("pdfimages", {"-list", printed});
                                 list.waitForFinished(10000);
                                 return list.exitCode() == 0;
                             }()),
                             10000);
    const QStringList lines = QString::fromLocal8Bit(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    // Header, rule, then one line per image: page num type width height ...
    QStringList images;
    for (const QString& line : lines.mid(2)) {
        const QStringList cols = line.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
        if (cols.size() > 4 && cols[2] == "image")
            images << cols[3] + "x" + cols[4];
    }
    QCOMPARE(images, QStringList{"381x564"});
    QFile::remove(printed);
}

QTEST_MAIN(PrintTest)
#include "print_test.moc"
