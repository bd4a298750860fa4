// Each child window at its design state, drawn offscreen at scale 1, compared pixel for pixel with
// its reference picture in tests/gui/reference. The pictures hold only with the fonts they were
// made with: the test first checks that the families the windows draw with are the stand-in font
// files it expects. scripts/update-reference-pictures writes the pictures anew
// (HEATCALC_UPDATE_REFERENCE_PICTURES=1); a picture that differs is written with a map of its
// differences into the build folder (window_pictures/).

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <fontconfig/fontconfig.h>

#include <map>
#include <set>

#include "main/child_forms.h"
#include "ui/form_widget.h"

using heatcalc::ChildKind;

namespace {

// The stand-ins the pictures are drawn with, each family from its font file: 宋体's, 黑体's, and
// the reference tables' font.
const std::map<QString, QString> PinnedFiles{
    {QStringLiteral("AR PL UMing CN"), QStringLiteral("uming.ttc")},
    {QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("wqy-zenhei.ttc")},
    {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("NotoSansCJK-Regular.ttc")}};

// The file the font configuration takes a family from, with the family it found there; empty when
// it finds none.
std::pair<QString, QString> fontFile(const QString& family, bool bold)
{
    FcPattern* pattern = FcPatternCreate();
    const QByteArray name = family.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::pair<QString, QString> out;
    FcChar8* file = nullptr;
    FcChar8* found = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
        FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch)
        out = {QFileInfo(QString::fromUtf8(reinterpret_cast<const char*>(file))).fileName(),
               QString::fromUtf8(reinterpret_cast<const char*>(found))};
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return out;
}

struct Kind {
    const char* name;
    ChildKind kind;
};

const Kind Kinds[] = {{"Fo", ChildKind::Fo},       {"Fo23", ChildKind::Fo23},   {"Form1", ChildKind::Form1},
                      {"Form2", ChildKind::Form2}, {"Form3", ChildKind::Form3}, {"Form4", ChildKind::Form4}};

// A window as it opens, with no timer running, nothing focused and its pictures drawn. The plate
// window's clock would rewrite its label at the first tick: the timer stops before any can come.
std::unique_ptr<heatcalc::ui::FormWidget> opened(ChildKind kind)
{
    std::unique_ptr<heatcalc::ui::FormWidget> form(heatcalc::createChildForm(kind));
    for (QTimer* timer : form->findChildren<QTimer*>())
        timer->stop();
    form->show();
    QCoreApplication::processEvents();
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
    QCoreApplication::processEvents();
    return form;
}

// The pixels that differ, in red over a faint copy of the picture.
QImage differences(const QImage& actual, const QImage& expected, int& count, QRect& where)
{
    QImage map(actual.size(), QImage::Format_RGB32);
    count = 0;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y);
            if (expected.valid(x, y) && expected.pixel(x, y) == a) {
                const int grey = 192 + qGray(a) / 4;
                map.setPixel(x, y, qRgb(grey, grey, grey));
            } else {
                map.setPixel(x, y, qRgb(255, 0, 0));
                where |= QRect(x, y, 1, 1);
                ++count;
            }
        }
    return map;
}

}  // namespace

class WindowPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void windowLooksAsItsPicture_data();
    void windowLooksAsItsPicture();
};

void WindowPicturesTest::initTestCase()
{
    QVERIFY2(QApplication::style()->name() == QLatin1String("fusion"),
             qPrintable(QStringLiteral("the pictures are drawn in the Fusion style, not in %1")
                            .arg(QApplication::style()->name())));
    // Every font a window draws with, and the reference tables' font, from its pinned file.
    std::set<std::pair<QString, bool>> used{{QStringLiteral("Noto Sans CJK SC"), false}};
    for (const Kind& k : Kinds) {
        const auto form = opened(k.kind);
        for (const heatcalc::Control& c : form->design().controls) {
            QWidget* w = form->control(heatcalc::controlKey(c));
            if (w && c.kind != heatcalc::ControlKind::Line && c.kind != heatcalc::ControlKind::PictureBox)
                used.insert({QFontInfo(w->font()).family(), w->font().bold()});
        }
    }
    QStringList faults;
    for (const auto& [family, bold] : used) {
        const auto pinned = PinnedFiles.find(family);
        if (pinned == PinnedFiles.end()) {
            faults << QStringLiteral("a window draws with \"%1\", which is none of the stand-ins %2")
                          .arg(family, "AR PL UMing CN, WenQuanYi Zen Hei");
            continue;
        }
        const auto [file, found] = fontFile(family, bold);
        if (found != family || file != pinned->second)
            faults << QStringLiteral("\"%1\"%2 comes from %3 (family \"%4\"), not from %5")
                          .arg(family, bold ? QStringLiteral(" bold") : QString(), file.isEmpty() ? "no file" : file,
                               found, pinned->second);
    }
    QVERIFY2(faults.isEmpty(),
             qPrintable(QStringLiteral("the reference pictures need the stand-in fonts scripts/setup installs: ") +
                        faults.join(QStringLiteral("; "))));
}

void WindowPicturesTest::windowLooksAsItsPicture_data()
{
    QTest::addColumn<ChildKind>("kind");
    for (const Kind& k : Kinds)
        QTest::newRow(k.name) << k.kind;
}

void WindowPicturesTest::windowLooksAsItsPicture()
{
    QFETCH(ChildKind, kind);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const auto form = opened(kind);
    if (auto* clock = qobject_cast<QLabel*>(form->control("Label1")))
        QVERIFY2(!clock->text().contains(QStringLiteral("星期")), "the clock has ticked");
    QCOMPARE(form->devicePixelRatioF(), 1.0);
    const QImage actual = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString reference = QStringLiteral(HEATCALC_REFERENCE_PICTURES "/%1.png").arg(name);
    if (qEnvironmentVariableIntValue("HEATCALC_UPDATE_REFERENCE_PICTURES") == 1) {
        QVERIFY(QDir().mkpath(QStringLiteral(HEATCALC_REFERENCE_PICTURES)));
        QVERIFY2(actual.save(reference), qPrintable(reference));
        qInfo("wrote %s", qPrintable(reference));
        return;
    }
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!expected.isNull(),
             qPrintable(reference + QStringLiteral(" is missing: scripts/update-reference-pictures writes it")));
    if (actual == expected)
        return;
    int count = 0;
    QRect where;
    const QImage map = differences(actual, expected, count, where);
    const QString folder = QStringLiteral(HEATCALC_PICTURE_FAILURES);
    QDir().mkpath(folder);
    const QString actualFile = folder + QStringLiteral("/%1-actual.png").arg(name);
    const QString mapFile = folder + QStringLiteral("/%1-differences.png").arg(name);
    actual.save(actualFile);
    map.save(mapFile);
    QFAIL(qPrintable(
        QStringLiteral("%1 differs from %2: %3x%4 against %5x%6, %7 pixels in %8,%9 %10x%11; see %12 and %13")
            .arg(name, reference)
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height())
            .arg(count)
            .arg(where.x())
            .arg(where.y())
            .arg(where.width())
            .arg(where.height())
            .arg(actualFile, mapFile)));
}

int main(int argc, char** argv)
{
    // The pictures are drawn offscreen at the design's own scale, whatever the desktop asks for.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    for (const char* scaling : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_STYLE_OVERRIDE"})
        qunsetenv(scaling);
    QApplication app(argc, argv);
    WindowPicturesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_pictures_test.moc"
