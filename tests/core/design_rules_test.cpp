// Rules of layout that every window design keeps, over the four calculator windows and the two
// reference windows: caption labels beside their fields, the keyboard order, controls that do not
// overlap, controls inside their frames, and the items of the lists. What each window's
// description says is written here as data; the rules then hold the design tables to it.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/controls.h"
#include "plate/fo.h"
#include "reference/reference_forms.h"
#include "tube/fo23.h"
#include "unit/form1.h"
#include "weight/form2.h"

using heatcalc::Control;
using heatcalc::controlKey;
using heatcalc::ControlKind;
using heatcalc::FormDesign;

namespace {

using Keys = std::vector<std::string_view>;
using Pair = std::pair<std::string_view, std::string_view>;

struct WindowRules {
    const FormDesign& design;
    // The keyboard order of the visible controls; the focus starts in the first.
    Keys keyboardOrder;
    // Places of that order where the next control of the same group stands higher up, or to the
    // left on the same row, because the window's stated order says so.
    std::vector<Pair> offTheRows;
    // Visible controls drawn over one another.
    std::vector<Pair> overlaps;
    // Controls whose box reaches over the edge of their frame (a caption's box larger than its text).
    Keys acrossFrameEdge;
    // The items of each list, in order.
    std::vector<std::pair<std::string_view, Keys>> lists;
};

// clang-format off
const std::vector<WindowRules>& windows()
{
    static const std::vector<WindowRules> all = {
        {heatcalc::Fo::designTable(),
         // As the window states it.
         {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Command1", "Text7", "Text8", "Text9", "Text46", "Text47",
          "Text13", "Combo1", "Combo2", "Command3", "Command4", "Text19", "Text20", "Text21", "Command5", "Command6",
          "Text26", "Text18", "Text27", "Command2", "Text44", "Text45", "Text48", "Text49"},
         {{"Text19", "Text20"}, {"Command5", "Command6"}, {"Text45", "Text48"}},
         // The check temperatures in red over the right part of the temperatures they check; the
         // caption of the plate designation on the frame's top edge, reaching under its field.
         {{"Text3", "Text48"}, {"Text4", "Text49"}, {"Label44", "Text44"}},
         // The two-line captions of the plate lists, below the plate frame's foot.
         {"Label2", "Label29"},
         {{"Combo1", {"0.1", "0.25", "0.5", "0.85", "1.1", "1.4", "1.7"}},
          {"Combo2", {"0.35", "0.5", "0.52", "0.85", "1.2"}}}},
        {heatcalc::Fo23::designTable(),
         // No order stated: as on the plate window, the inputs row by row (the exchanger's
         // dimensions last), the area button, the results row by row, then the other buttons.
         {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text26", "Text45", "Text27", "Text23", "Text24",
          "Text25", "Command1", "Text7", "Text8", "Text9", "Text46", "Text47", "Text20", "Text21", "Text13", "Text19",
          "Command3", "Command6"},
         {}, {}, {}, {}},
        {heatcalc::Form1::designTable(),
         // No order stated: the inputs row by row, the fitting counts left to right, the button,
         // the results row by row.
         {"Text1", "Text11", "Text2", "Text3", "Combo1", "Combo2", "Text15", "Text16", "Text17", "Command1", "Text13",
          "Text5", "Text14", "Text7", "Text8", "Text12"},
         {},
         // The unit labels of the input group are 615 wide: those at Left 1920 reach into the
         // output group. The fitting captions reach under their fields.
         {{"Label13", "Frame2"}, {"Label14", "Frame2"}, {"Label27", "Text15"}, {"Label28", "Text16"},
          {"Label29", "Text17"}},
         {"Label12", "Label23", "Label13", "Label14", "Label15", "Label16", "Label17", "Label18", "Label19", "Label20",
          "Label21", "Label25"},
         {{"Combo1", {"10", "15", "20", "25", "32", "40", "50", "65", "80", "100", "125", "150", "200", "250", "300",
                      "350", "400", "450", "500", "600"}},
          {"Combo2", {"01", "02", "03"}}}},
        // The material list is checked item by item with the densities (form2_test).
        {heatcalc::Form2::designTable(),
         // As the window states it.
         {"Text1", "Text2", "Text3", "Text5", "Command1", "Text7", "Text8", "Text10", "Command2", "Text12", "Text13",
          "Text14", "Text16", "Command3", "Combo1", "Text18", "Text19", "Text20"},
         {},
         // The 615-wide weight captions of the bar and the plate reach under their fields.
         {{"Label11(0)", "Text10"}, {"Label11(1)", "Text16"}},
         {}, {}},
        {heatcalc::Form3Design(), {}, {}, {}, {}, {}},
        {heatcalc::Form4Design(), {}, {}, {}, {}, {}},
    };
    return all;
}
// clang-format on

// One pixel: boxes that share no more than their border pixel touch rather than overlap.
constexpr int Pixel = 15;

struct Box {
    int left, top, right, bottom;
};

const Control* find(const FormDesign& d, std::string_view key)
{
    for (const Control& c : d.controls)
        if (controlKey(c) == key)
            return &c;
    return nullptr;
}

// A control's box in window coordinates.
Box box(const FormDesign& d, const Control& c)
{
    Box b{c.left, c.top, c.left + c.width, c.top + c.height};
    if (d.frameRelative && !c.parent.empty()) {
        const Control* frame = find(d, c.parent);
        b = {b.left + frame->left, b.top + frame->top, b.right + frame->left, b.bottom + frame->top};
    }
    return b;
}

int shared(int a0, int a1, int b0, int b1)
{
    return std::min(a1, b1) - std::max(a0, b0);
}

bool sameRow(const Box& a, const Box& b)
{
    return shared(a.top, a.bottom, b.top, b.bottom) > Pixel;
}

bool visible(const Control& c)
{
    return c.kind != ControlKind::Line && c.kind != ControlKind::Timer && !c.workField;
}

// Two keys in the order of their text, so that a pair is the same whichever comes first.
Pair ordered(std::string_view a, std::string_view b)
{
    return a < b ? Pair{a, b} : Pair{b, a};
}

}  // namespace

TEST(DesignRules, CaptionLabelsStandOnTheirFieldsRowsToTheirLeft)
{
    for (const WindowRules& w : windows()) {
        const FormDesign& d = w.design;
        for (const Control& field : d.controls) {
            if (field.captionLabel.empty())
                continue;
            const Control* label = find(d, field.captionLabel);
            ASSERT_TRUE(label) << d.name << " " << field.name << ": no label " << field.captionLabel;
            const Box f = box(d, field);
            const Box l = box(d, *label);
            EXPECT_TRUE(sameRow(f, l)) << d.name << " " << field.name << " is named by " << field.captionLabel << " \""
                                       << label->text << "\", which stands on another row";
            EXPECT_LT(l.left, f.left) << d.name << " " << field.name << ": its caption " << field.captionLabel
                                      << " does not start left of it";
        }
    }
}

TEST(DesignRules, KeyboardOrderRunsAlongTheRows)
{
    for (const WindowRules& w : windows()) {
        const FormDesign& d = w.design;
        std::vector<std::pair<int, std::string>> tabbed;
        for (const Control& c : d.controls)
            if (c.tab >= 0)
                tabbed.emplace_back(c.tab, controlKey(c));
        std::sort(tabbed.begin(), tabbed.end());
        Keys order;
        for (std::size_t i = 0; i < tabbed.size(); ++i) {
            EXPECT_EQ(tabbed[i].first, static_cast<int>(i)) << d.name << " " << tabbed[i].second;
            order.push_back(tabbed[i].second);
        }
        EXPECT_EQ(order, w.keyboardOrder) << d.name;

        // Within a group each next control stands on a later row, or further right on the same row.
        for (std::size_t i = 1; i < w.keyboardOrder.size(); ++i) {
            const Control* a = find(d, w.keyboardOrder[i - 1]);
            const Control* b = find(d, w.keyboardOrder[i]);
            ASSERT_TRUE(a && b) << d.name << " " << w.keyboardOrder[i - 1] << " " << w.keyboardOrder[i];
            if (a->parent != b->parent)
                continue;
            const Box ba = box(d, *a);
            const Box bb = box(d, *b);
            const bool alongTheRows = sameRow(ba, bb) ? bb.left > ba.left : bb.top > ba.top;
            const Pair step{w.keyboardOrder[i - 1], w.keyboardOrder[i]};
            const bool stated = std::find(w.offTheRows.begin(), w.offTheRows.end(), step) != w.offTheRows.end();
            EXPECT_NE(alongTheRows, stated) << d.name << ": from " << step.first << " to " << step.second;
        }
    }
}

TEST(DesignRules, NoControlsOverlapButTheDesigned)
{
    for (const WindowRules& w : windows()) {
        const FormDesign& d = w.design;
        std::set<Pair> found, designed;
        for (const auto& [a, b] : w.overlaps)
            designed.insert(ordered(a, b));
        std::vector<const Control*> shown;
        for (const Control& c : d.controls)
            if (visible(c))
                shown.push_back(&c);
        std::vector<std::string> keys;
        for (const Control* c : shown)
            keys.push_back(controlKey(*c));
        for (std::size_t i = 0; i < shown.size(); ++i) {
            for (std::size_t j = i + 1; j < shown.size(); ++j) {
                const Control& a = *shown[i];
                const Control& b = *shown[j];
                if (b.parent == a.name || a.parent == b.name)
                    continue;  // a frame and a control it holds
                const Box ba = box(d, a);
                const Box bb = box(d, b);
                if (shared(ba.left, ba.right, bb.left, bb.right) > Pixel &&
                    shared(ba.top, ba.bottom, bb.top, bb.bottom) > Pixel)
                    found.insert(ordered(keys[i], keys[j]));
            }
        }
        EXPECT_EQ(found, designed) << d.name;
    }
}

TEST(DesignRules, ControlsStayInsideTheirFrames)
{
    for (const WindowRules& w : windows()) {
        const FormDesign& d = w.design;
        std::set<std::string> found;
        for (const Control& c : d.controls) {
            if (!visible(c) || c.parent.empty())
                continue;
            const Control* frame = find(d, c.parent);
            ASSERT_TRUE(frame) << d.name << " " << c.name << ": no frame " << c.parent;
            const Box b = box(d, c);
            const Box f = box(d, *frame);
            if (b.left < f.left - Pixel || b.top < f.top - Pixel || b.right > f.right + Pixel ||
                b.bottom > f.bottom + Pixel)
                found.insert(controlKey(c));
        }
        EXPECT_EQ(found, std::set<std::string>(w.acrossFrameEdge.begin(), w.acrossFrameEdge.end())) << d.name;
    }
}

TEST(DesignRules, ListItemsAsDesigned)
{
    for (const WindowRules& w : windows()) {
        for (const auto& [list, items] : w.lists) {
            const Control* c = find(w.design, list);
            ASSERT_TRUE(c) << w.design.name << " " << list;
            EXPECT_EQ(c->items, items) << w.design.name << " " << list;
        }
    }
}
