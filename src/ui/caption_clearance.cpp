#include "ui/caption_clearance.h"

#include <algorithm>
#include <map>
#include <utility>

namespace heatcalc::ui {

namespace {

// The ink grown by a pixel on every side: a stroke inside it crosses or touches the character.
QRect around(const Glyph& g, QPoint shift)
{
    return g.ink.translated(shift).adjusted(-1, -1, 1, 1);
}

// Each meeting of a stroke and a character moved by the shift: the stroke and the area around
// the character's ink.
std::vector<std::pair<std::size_t, QRect>> meetings(const std::vector<Glyph>& glyphs, const std::vector<QRect>& strokes,
                                                    QPoint shift)
{
    std::vector<std::pair<std::size_t, QRect>> out;
    for (const Glyph& g : glyphs) {
        const QRect ink = around(g, shift);
        for (std::size_t r = 0; r < strokes.size(); ++r)
            if (strokes[r].intersects(ink))
                out.emplace_back(r, ink);
    }
    return out;
}

// One gap per stroke, from the first character it meets to the last. A stub of a few pixels left
// beside the gap would read as a stray mark: the gap takes it too.
std::vector<RuleGap> gapsFor(const std::vector<std::pair<std::size_t, QRect>>& met, const std::vector<QRect>& strokes)
{
    std::map<std::size_t, QRect> gaps;
    for (const auto& [rule, ink] : met)
        gaps[rule] |= ink;
    const int stub = 4;
    std::vector<RuleGap> out;
    for (auto& [rule, gap] : gaps) {
        const QRect& s = strokes[rule];
        if (s.width() >= s.height()) {
            if (gap.left() - s.left() < stub)
                gap.setLeft(s.left());
            if (s.right() - gap.right() < stub)
                gap.setRight(s.right());
        } else {
            if (gap.top() - s.top() < stub)
                gap.setTop(s.top());
            if (s.bottom() - gap.bottom() < stub)
                gap.setBottom(s.bottom());
        }
        out.push_back({rule, gap});
    }
    return out;
}

// The moves tried, nearest first: a pixel, two, three up or down, then the diagonals.
constexpr QPoint Shifts[] = {{0, 1},  {0, -1}, {1, 0},  {-1, 0},  {0, 2},   {0, -2}, {2, 0},  {-2, 0}, {0, 3},
                             {0, -3}, {1, 1},  {-1, 1}, {1, -1},  {-1, -1}, {2, 1},  {-2, 1}, {2, -1}, {-2, -1},
                             {1, 2},  {-1, 2}, {1, -2}, {-1, -2}, {2, 2},   {-2, 2}, {2, -2}, {-2, -2}};

}  // namespace

bool meetsAnyRule(const std::vector<Glyph>& glyphs, const std::vector<QRect>& strokes)
{
    return !meetings(glyphs, strokes, QPoint(0, 0)).empty();
}

CaptionPlacement placeCaption(const std::vector<Glyph>& glyphs, const QRect& box, const std::vector<QRect>& strokes,
                              bool breakRules)
{
    auto inside = [&](QPoint shift) {
        return std::all_of(glyphs.begin(), glyphs.end(),
                           [&](const Glyph& g) { return box.contains(g.cell.translated(shift)); });
    };
    QPoint best(0, 0);
    auto left = meetings(glyphs, strokes, best);
    for (const QPoint shift : Shifts) {
        if (left.empty())
            break;
        if (!inside(shift))
            continue;
        auto met = meetings(glyphs, strokes, shift);
        if (met.size() < left.size()) {
            best = shift;
            left = std::move(met);
        }
    }
    CaptionPlacement placement{best, {}};
    if (breakRules)
        placement.gaps = gapsFor(left, strokes);
    return placement;
}

std::vector<RuleGap> gapsAroundTitle(const std::vector<Glyph>& glyphs, const std::vector<QRect>& strokes)
{
    return gapsFor(meetings(glyphs, strokes, QPoint(0, 0)), strokes);
}

}  // namespace heatcalc::ui
