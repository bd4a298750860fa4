// Keeping captions clear of the rules, as geometry alone: rectangles of characters and rules in,
// the caption's move and the rules' gaps out.

#include <QTest>

#include "ui/caption_clearance.h"

using heatcalc::ui::CaptionPlacement;
using heatcalc::ui::Glyph;
using heatcalc::ui::placeCaption;
using heatcalc::ui::RuleGap;

namespace {

// Two characters side by side, 12 pixels a cell, each inking its whole cell, on the row from y 10
// to 21.
std::vector<Glyph> twoCharacters()
{
    return {{QRect(10, 10, 12, 12), QRect(10, 10, 12, 12)}, {QRect(22, 10, 12, 12), QRect(22, 10, 12, 12)}};
}

QRect horizontal(int left, int right, int y)
{
    return QRect(QPoint(left, y), QPoint(right, y));
}

}  // namespace

class CaptionClearanceTest : public QObject {
    Q_OBJECT

private slots:
    void textMovesTheLeastThatClearsEveryRule();
    void ruleNoMoveClearsLeavesOneGapWithoutStubs();
};

void CaptionClearanceTest::textMovesTheLeastThatClearsEveryRule()
{
    const std::vector<Glyph> text = twoCharacters();
    const QRect roomy(6, 6, 34, 20);
    // A rule two pixels below the ink stays clear; one in the next pixel touches it, and the text
    // moves up a pixel; one through the ink's last row needs two.
    for (const auto& [y, shift] : {std::pair{23, QPoint(0, 0)}, {22, QPoint(0, -1)}, {21, QPoint(0, -2)}}) {
        const CaptionPlacement p = placeCaption(text, roomy, {horizontal(0, 100, y)}, true);
        QCOMPARE(p.shift, shift);
        QVERIFY(p.gaps.empty());
    }
    // A rule touching the left of the text moves it right; where the box leaves no room the text
    // stays and the rule breaks instead.
    const QRect leftRule(QPoint(9, 0), QPoint(9, 40));
    QCOMPARE(placeCaption(text, roomy, {leftRule}, true).shift, QPoint(1, 0));
    const CaptionPlacement boxed = placeCaption(text, QRect(10, 10, 24, 12), {leftRule}, true);
    QCOMPARE(boxed.shift, QPoint(0, 0));
    QCOMPARE(boxed.gaps.size(), std::size_t(1));
    // Rules touching above and below: no move clears both, and the first that clears one is
    // taken, the other rule breaking.
    const std::vector<QRect> both{horizontal(0, 100, 9), horizontal(0, 100, 22)};
    const CaptionPlacement fewest = placeCaption(text, roomy, both, true);
    QCOMPARE(fewest.shift, QPoint(0, 1));
    QCOMPARE(fewest.gaps.size(), std::size_t(1));
    QCOMPARE(fewest.gaps[0].rule, std::size_t(1));
    // A rule through the middle of the text: every move meets it as much, the text stays, and
    // without leave to break the rule nothing else changes.
    const CaptionPlacement stuck = placeCaption(text, roomy, {horizontal(0, 100, 15)}, false);
    QCOMPARE(stuck.shift, QPoint(0, 0));
    QVERIFY(stuck.gaps.empty());
}

void CaptionClearanceTest::ruleNoMoveClearsLeavesOneGapWithoutStubs()
{
    const std::vector<Glyph> text = twoCharacters();
    // The box is the cells: the text cannot move, and a rule through it leaves one gap around both
    // characters and the pixel beside them.
    const QRect tight(10, 10, 24, 12);
    const QRect around(9, 9, 26, 14);
    auto gaps = [&](const std::vector<QRect>& strokes) {
        const CaptionPlacement p = placeCaption(text, tight, strokes, true);
        return p.shift == QPoint(0, 0) ? p.gaps : std::vector<RuleGap>{};
    };
    std::vector<RuleGap> g = gaps({horizontal(0, 100, 15)});
    QCOMPARE(g.size(), std::size_t(1));
    QCOMPARE(g[0].rule, std::size_t(0));
    QCOMPARE(g[0].area, around);
    // A rule ending four pixels beside the gap keeps its end; one ending nearer loses it with the
    // gap, at either end and on a vertical rule too.
    g = gaps({horizontal(5, 38, 15)});
    QCOMPARE(g[0].area, around);
    g = gaps({horizontal(6, 37, 15)});
    QCOMPARE(g[0].area, QRect(QPoint(6, 9), QPoint(37, 22)));
    g = gaps({QRect(QPoint(15, 0), QPoint(15, 200)), QRect(QPoint(27, 6), QPoint(27, 25))});
    QCOMPARE(g.size(), std::size_t(2));
    QCOMPARE(g[0].area, QRect(QPoint(9, 9), QPoint(22, 22)));
    QCOMPARE(g[1].area, QRect(QPoint(21, 6), QPoint(34, 25)));

    // A frame's title stays where it is: gaps for the rules it meets only.
    g = heatcalc::ui::gapsAroundTitle(text, {horizontal(0, 100, 30), horizontal(0, 100, 16)});
    QCOMPARE(g.size(), std::size_t(1));
    QCOMPARE(g[0].rule, std::size_t(1));
    QCOMPARE(g[0].area, around);
}

QTEST_APPLESS_MAIN(CaptionClearanceTest)
#include "caption_clearance_test.moc"
