// Whether the start says that no font for the Chinese captions is installed. Run twice: on this
// desktop's fonts, and with HEATCALC_TEST_FONTS=latin under a font configuration that knows only
// Latin fonts.

#include <QAbstractButton>
#include <QFontDatabase>
#include <QMessageBox>

#include "gui_support.h"
#include "ui/appearance.h"
#include "ui/translations.h"

using heatcalc::MDIForm1;
using heatcalc::ui::chineseCaptionFontInstalled;

class CaptionFontTest : public QObject {
    Q_OBJECT

private slots:
    void captionsNeedAStandInOrAnotherChineseFont();
    void startSaysOnceWhenNoChineseFontIsInstalled();
};

void CaptionFontTest::captionsNeedAStandInOrAnotherChineseFont()
{
    const QStringList latin{"DejaVu Sans", "DejaVu Serif", "Liberation Mono"};
    QVERIFY(!chineseCaptionFontInstalled({}, {}));
    QVERIFY(!chineseCaptionFontInstalled(latin, {}));
    // A stand-in of 宋体 or 黑体 by its name, whatever writing systems it reports.
    QVERIFY(chineseCaptionFontInstalled(latin + QStringList{"AR PL UMing CN"}, {}));
    QVERIFY(chineseCaptionFontInstalled(latin + QStringList{"WenQuanYi Zen Hei"}, {}));
    QVERIFY(chineseCaptionFontInstalled({"simsun"}, {}));
    QVERIFY(chineseCaptionFontInstalled({"Noto Sans CJK SC"}, {}));
    // Any other font that writes simplified Chinese: the font matching falls back to it.
    QVERIFY(chineseCaptionFontInstalled(latin + QStringList{"Droid Sans Fallback"}, {"Droid Sans Fallback"}));
    // A family whose name merely contains a stand-in's is no stand-in.
    QVERIFY(!chineseCaptionFontInstalled({"SimSun Latin Subset"}, {}));
}

void CaptionFontTest::startSaysOnceWhenNoChineseFontIsInstalled()
{
    const bool latinOnly = qEnvironmentVariable("HEATCALC_TEST_FONTS") == QLatin1String("latin");
    QCOMPARE(QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty(), latinOnly);

    MDIForm1 w;
    w.show();
    {
        WarningLog log;
        heatcalc::ui::warnIfNoChineseCaptionFont(&w);
        if (!latinOnly) {
            QVERIFY(log.entries.isEmpty());
            return;
        }
        QCOMPARE(log.entries.size(), 1);
        QCOMPARE(log.entries[0].owner, &w);
        const QString& text = log.entries[0].text;
        QVERIFY(text.contains(QStringLiteral("No font for the Chinese captions")));
        QVERIFY(text.contains(QStringLiteral("fonts-arphic-uming")));
        QVERIFY(text.contains(QStringLiteral("fonts-wqy-zenhei")));
    }

    // The message box itself, under the Chinese translation of the standard buttons that the
    // program loads: its one button reads in English, not in characters drawn as boxes.
    QVERIFY(heatcalc::ui::installTranslations(*qApp));
    QVERIFY(QMessageBox(QMessageBox::Warning, {}, {}, QMessageBox::Ok).button(QMessageBox::Ok)->text() !=
            QLatin1String("OK"));
    heatcalc::ui::warnIfNoChineseCaptionFont(&w);
    auto* box = w.findChild<QMessageBox*>();
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->buttons()[0]->text(), QStringLiteral("OK"));
    QVERIFY(box->text().contains(QStringLiteral("No font for the Chinese captions")));

    // The program goes on: the menus still open windows.
    menuAction(w, "ZHONGLIANG")->trigger();
    QVERIFY(w.childWindow(heatcalc::ChildKind::Form2));
}

QTEST_MAIN(CaptionFontTest)
#include "caption_font_test.moc"
