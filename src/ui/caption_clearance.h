#pragma once

#include <QPoint>
#include <QRect>

#include <cstddef>
#include <vector>

// Keeping captions clear of the rules, as plain geometry in one coordinate system (the window's):
// the characters' cells and inks and the rules' strokes in, the caption's move and the rules' gaps
// out. A character and a rule meet when the rule crosses the character's ink or runs in the pixel
// next to it.
namespace heatcalc::ui {

// One character of a caption: its cell (its advance wide, a line high) and the rectangle its ink
// lies in.
struct Glyph {
    QRect cell;
    QRect ink;
};

// A part of a rule left unpainted: the rule by its place in the list of strokes, and the area.
struct RuleGap {
    std::size_t rule;
    QRect area;
};

struct CaptionPlacement {
    QPoint shift;               // the move of the caption's text inside its box
    std::vector<RuleGap> gaps;  // the gaps the rules leave for the characters no move clears
};

// Whether any character meets any stroke.
bool meetsAnyRule(const std::vector<Glyph>& glyphs, const std::vector<QRect>& strokes);

// Places a caption whose characters lie inside the box: where a rule meets a character, the text
// moves by a pixel or two, its cells staying inside the box; the smallest move that clears every
// rule is taken, else the one that meets the fewest characters. Where no move clears a rule, that
// rule leaves one gap from the first character it meets to the last, when breaking rules is
// allowed.
CaptionPlacement placeCaption(const std::vector<Glyph>& glyphs, const QRect& box, const std::vector<QRect>& strokes,
                              bool breakRules);

// A frame's title does not move: each rule that meets its characters leaves a gap there.
std::vector<RuleGap> gapsAroundTitle(const std::vector<Glyph>& glyphs, const std::vector<QRect>& strokes);

}  // namespace heatcalc::ui
