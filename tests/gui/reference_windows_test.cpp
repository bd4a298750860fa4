#include <QImage>
#include <QLabel>

#include "gui_support.h"
#include "main/reference_pictures.h"
#include "ui/icons.h"

using heatcalc::ChildKind;
using heatcalc::MDIForm1;

namespace {

bool isBlack(const QImage& image, int x, int y)
{
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

// Black runs met along a row or a column of pixels: the rules that line crosses.
int rulesAlongRow(const QImage& image, int y)
{
    int rules = 0;
    for (int x = 0; x < image.width(); ++x)
        if (isBlack(image, x, y) && (x == 0 || !isBlack(image, x - 1, y)))
            ++rules;
    return rules;
}

QList<int> rulesAlongColumn(const QImage& image, int x)
{
    QList<int> rules;
    for (int y = 0; y < image.height(); ++y)
        if (isBlack(image, x, y) && (y == 0 || !isBlack(image, x, y - 1)))
            rules << y;
    return rules;
}

// The picture box shows its reference picture at the picture's own size from its top left:
// neither scaled to the box nor moved within it. The box is grabbed in the display's pixels; on a
// scaled display the picture is smoothed there, so it is compared with a plain label of the box's
// size that holds the picture at its top left, over the display pixels the picture covers.
bool showsPictureAtItsTopLeft(QLabel* box, const char* name)
{
    const QPixmap picture = heatcalc::referencePicture(name);
    QLabel plain;
    plain.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    plain.setPixmap(picture);
    plain.resize(box->size());
    const QPixmap shown = box->grab();
    const QPixmap expected = plain.grab();
    const qreal scale = shown.devicePixelRatio();
    const QRect covered(0, 0, int(picture.width() * scale), int(picture.height() * scale));
    if (picture.isNull() || expected.devicePixelRatio() != scale || !shown.rect().contains(covered))
        return false;
    auto area = [&](const QPixmap& p) { return p.toImage().convertToFormat(QImage::Format_RGB32).copy(covered); };
    return area(shown) == area(expected);
}

const QRgb Grey = qRgb(192, 192, 192);
const QRgb White = qRgb(255, 255, 255);

}  // namespace

class ReferenceWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cableWindowFromItsShortcut();
    void busbarWindowFromItsShortcut();
    void secondPressBringsBackTheSameWindow();
    void picturesAreRuledGridsWithGreyHeaders_data();
    void picturesAreRuledGridsWithGreyHeaders();
    void everyWindowKindHasItsIcon();

private:
    heatcalc::ui::FormWidget* open(const char* shortcut, ChildKind kind);
    QLabel* label(heatcalc::ui::FormWidget* form, const char* key);
    std::unique_ptr<MDIForm1> main_;
};

void ReferenceWindowsTest::init()
{
    main_ = std::make_unique<MDIForm1>();
    main_->resize(1400, 1000);
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
}

void ReferenceWindowsTest::cleanup()
{
    main_.reset();
}

heatcalc::ui::FormWidget* ReferenceWindowsTest::open(const char* shortcut, ChildKind kind)
{
    QTest::keySequence(main_.get(), QKeySequence(QString::fromLatin1(shortcut)));
    return formOf(main_->childWindow(kind));
}

QLabel* ReferenceWindowsTest::label(heatcalc::ui::FormWidget* form, const char* key)
{
    return qobject_cast<QLabel*>(form->control(key));
}

void ReferenceWindowsTest::cableWindowFromItsShortcut()
{
    auto* form = open("Ctrl+I", ChildKind::Form3);
    QVERIFY(form);
    QCOMPARE(main_->childWindow(ChildKind::Form3)->windowTitle(), QStringLiteral("电源线选择表"));
    QCOMPARE(form->size(), QSize(849, 347));

    QLabel* title = label(form, "Label1");
    QCOMPARE(title->text(), QStringLiteral("电源线选择表"));
    QVERIFY(title->font().families().contains(QStringLiteral("SimSun")));
    QCOMPARE(title->font().pointSizeF(), 21.75);
    QVERIFY(!title->font().bold());

    // The open-laying table on the left, the soil table on the right, each at its box's top left.
    QLabel* open = label(form, "Picture1");
    QLabel* soil = label(form, "Picture2");
    QCOMPARE(open->geometry(), QRect(8, 32, 377, 313));
    QCOMPARE(soil->geometry(), QRect(384, 32, 465, 321));
    QCOMPARE(open->pixmap().size(), QSize(374, 313));
    QCOMPARE(soil->pixmap().size(), QSize(463, 317));
    QVERIFY(showsPictureAtItsTopLeft(open, "cable_open"));
    QVERIFY(showsPictureAtItsTopLeft(soil, "cable_soil"));
}

void ReferenceWindowsTest::busbarWindowFromItsShortcut()
{
    auto* form = open("Ctrl+H", ChildKind::Form4);
    QVERIFY(form);
    QCOMPARE(main_->childWindow(ChildKind::Form4)->windowTitle(), QStringLiteral("母排"));
    QCOMPARE(form->size(), QSize(713, 400));

    QLabel* title = label(form, "Label1");
    QCOMPARE(title->text(), QStringLiteral("母排载流表"));
    QVERIFY(title->font().families().contains(QStringLiteral("SimSun")));
    QCOMPARE(title->font().pointSizeF(), 15.75);
    QVERIFY(!title->font().bold());

    QLabel* busbar = label(form, "Picture1");
    QCOMPARE(busbar->geometry(), QRect(0, 32, 713, 369));
    QCOMPARE(busbar->pixmap().size(), QSize(706, 360));
    QVERIFY(showsPictureAtItsTopLeft(busbar, "busbar"));
}

void ReferenceWindowsTest::secondPressBringsBackTheSameWindow()
{
    open("Ctrl+I", ChildKind::Form3);
    open("Ctrl+H", ChildKind::Form4);
    auto* cables = main_->childWindow(ChildKind::Form3);
    auto* busbars = main_->childWindow(ChildKind::Form4);
    QVERIFY(cables && busbars);
    QCOMPARE(main_->area()->activeSubWindow(), busbars);

    open("Ctrl+I", ChildKind::Form3);
    QCOMPARE(main_->childWindow(ChildKind::Form3), cables);
    QCOMPARE(main_->area()->activeSubWindow(), cables);
    open("Ctrl+H", ChildKind::Form4);
    QCOMPARE(main_->childWindow(ChildKind::Form4), busbars);
    QCOMPARE(main_->area()->subWindowList().size(), 2);

    // Closed and opened again: the same pictures.
    const QImage before = label(formOf(busbars), "Picture1")->pixmap().toImage();
    busbars->close();
    QTRY_VERIFY(!main_->childWindow(ChildKind::Form4));
    auto* again = open("Ctrl+H", ChildKind::Form4);
    QVERIFY(again);
    QCOMPARE(label(again, "Picture1")->pixmap().toImage(), before);
}

void ReferenceWindowsTest::picturesAreRuledGridsWithGreyHeaders_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<int>>("greyRows");  // rows whose rightmost cell is grey

    // Cable tables: six header rows, of which the cable type row is grey, and 15 body rows.
    QTest::newRow("cables open") << "cable_open" << QSize(374, 313) << 6 + 15 << 1 + 12 << QList<int>{0};
    QTest::newRow("cables in soil") << "cable_soil" << QSize(463, 317) << 6 + 15 << 1 + 16 << QList<int>{0};
    // Busbars: the metal and current rows grey, the temperature row and 19 body rows white.
    QTest::newRow("busbars") << "busbar" << QSize(706, 360) << 3 + 19 << 1 + 16 << QList<int>{0, 1};
}

void ReferenceWindowsTest::picturesAreRuledGridsWithGreyHeaders()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(QList<int>, greyRows);

    const QImage image = heatcalc::referencePicture(name.toStdString()).toImage();
    QCOMPARE(image.size(), size);
    const int right = size.width() - 3;
    const int bottom = size.height() - 3;

    // A rule above and below every row down the rightmost column, and beside every column
    // along the foot of the last row (below its numbers).
    const QList<int> rules = rulesAlongColumn(image, right);
    QCOMPARE(rules.size(), rows + 1);
    QCOMPARE(rulesAlongRow(image, bottom), columns + 1);
    QVERIFY(isBlack(image, 0, 0) && isBlack(image, size.width() - 1, size.height() - 1));
    QCOMPARE(rules.back(), size.height() - 1);

    // Just inside the top and bottom of each row's rightmost cell, clear of its text: grey in the
    // header rows that are filled, white everywhere else.
    for (int r = 0; r < rows; ++r) {
        const QRgb expected = greyRows.contains(r) ? Grey : White;
        QVERIFY2(image.pixel(right, rules[r] + 2) == expected, qPrintable(QStringLiteral("row %1 top").arg(r)));
        QVERIFY2(image.pixel(right, rules[r + 1] - 2) == expected, qPrintable(QStringLiteral("row %1 bottom").arg(r)));
    }
    // The label column's top cell is white, and the bottom right cell holds its number.
    QCOMPARE(image.pixel(2, 2), White);
    int left = size.width() - 2;
    while (!isBlack(image, left, bottom))
        --left;
    int top = bottom;
    while (!isBlack(image, right, top))
        --top;
    int dark = 0;
    for (int y = top + 1; y < size.height() - 1; ++y)
        for (int x = left + 1; x < size.width() - 1; ++x)
            dark += qGray(image.pixel(x, y)) < 96 ? 1 : 0;
    QVERIFY(dark >= 10);

    // Drawn once: asking again gives the same picture.
    QCOMPARE(heatcalc::referencePicture(name.toStdString()).toImage(), image);
}

void ReferenceWindowsTest::everyWindowKindHasItsIcon()
{
    auto image = [](const QIcon& icon) { return icon.pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32); };
    const QImage mainIcon = image(main_->windowIcon());
    QCOMPARE(mainIcon.size(), QSize(32, 32));

    std::map<ChildKind, QImage> icons;
    for (ChildKind kind :
         {ChildKind::Fo, ChildKind::Fo23, ChildKind::Form1, ChildKind::Form2, ChildKind::Form3, ChildKind::Form4}) {
        main_->ShowChildForm(kind);
        QMdiSubWindow* window = main_->childWindow(kind);
        QVERIFY(window);
        QVERIFY(!window->windowIcon().isNull());
        icons[kind] = image(window->windowIcon());
        QCOMPARE(icons[kind].size(), QSize(32, 32));
        QVERIFY(icons[kind] != mainIcon);
    }
    // The plate and tube windows share one icon, as do the two table windows; the others differ.
    QCOMPARE(icons[ChildKind::Fo], icons[ChildKind::Fo23]);
    QCOMPARE(icons[ChildKind::Form3], icons[ChildKind::Form4]);
    const QList<QImage> distinct{mainIcon, icons[ChildKind::Fo], icons[ChildKind::Form1], icons[ChildKind::Form2],
                                 icons[ChildKind::Form3]};
    for (qsizetype i = 0; i < distinct.size(); ++i)
        for (qsizetype j = i + 1; j < distinct.size(); ++j)
            QVERIFY(distinct[i] != distinct[j]);

    // Each icon is a full 32 x 32 picture in at most 16 colours, transparency counted as one.
    for (const QImage& icon : distinct) {
        QSet<QRgb> colours;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                colours.insert(qAlpha(icon.pixel(x, y)) == 0 ? 0u : icon.pixel(x, y));
        QVERIFY(colours.size() >= 4 && colours.size() <= 16);
    }
    QVERIFY(heatcalc::ui::windowIcon("no such icon").isNull());
}

QTEST_MAIN(ReferenceWindowsTest)
#include "reference_windows_test.moc"
