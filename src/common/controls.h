#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace heatcalc {

// A window's controls as one declarative table: what the model takes its design texts from and
// what the renderer builds the window from. Positions and sizes are in twips (15 to a pixel).

enum class ControlKind { Frame, Label, TextBox, ComboBox, CommandButton, Line, Timer, PictureBox };

enum class FontFace : std::uint8_t { Default, SongTi /* 宋体 */, HeiTi /* 黑体 */ };

struct Font {
    FontFace face = FontFace::Default;
    double points = 0;  // 0: the window's default size
    bool bold = false;
};

enum class SystemColour : std::uint8_t { ScrollBar, ThreeDLight, WindowFrame, AppWorkspace };

struct Colour {
    enum class Source : std::uint8_t { Default, Rgb, System };
    Source source = Source::Default;
    std::uint8_t r = 0, g = 0, b = 0;
    SystemColour system = SystemColour::ScrollBar;
};

constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return Colour{Colour::Source::Rgb, r, g, b, SystemColour::ScrollBar};
}

constexpr Colour System(SystemColour c)
{
    return Colour{Colour::Source::System, 0, 0, 0, c};
}

// Where a work field takes its value from a table whose row another field's value picks: the
// last row whose threshold is not above the value. A value below the first threshold picks no
// row, and the work field keeps what it held.
struct ThresholdLookup {
    std::string_view key;    // the field whose value picks the row ("Text5")
    std::string_view table;  // the table as the user knows it
    double first = 0;        // threshold of the table's first row
    double last = 0;         // threshold of the table's last row
};

struct Control {
    ControlKind kind = ControlKind::Label;
    std::string_view name;
    int index = -1;                                // member of a control array, or -1
    std::string_view parent;                       // the frame (key) that holds it, or empty for the window
    std::string_view text;                         // design text or caption
    int left = 0, top = 0, width = 0, height = 0;  // a line's start point is left, top
    int x2 = 0, y2 = 0;                            // a line's end point
    int borderPx = 1;                              // a line's width in pixels
    Font font{};
    Colour back{};
    Colour fore{};
    std::vector<std::string_view> items{};  // list items of a combo box
    int tab = -1;                           // place in the keyboard order, 0 takes the focus first; -1 none
    bool workField = false;                 // an intermediate result kept outside the client area
    // For a work field: the handlers that write it ("Command1_Click"); a field that two series of
    // steps share names the handler of each series.
    std::vector<std::string_view> filledBy{};
    std::string_view role{};                  // for a work field: what it holds, in the user's words
    std::optional<ThresholdLookup> lookup{};  // for a work field taken from a threshold table
    std::string_view captionLabel{};          // key of the label naming this field
    bool wordWrap = false;                    // a label whose caption may run onto more lines
    // For a button: the list whose text picks the table row its handler works with; the buttons
    // of one list make one series of steps. A work field that the handler fills from that row
    // and reads back holds no number only when the list's text picked no row.
    std::string_view choiceList{};
};

struct FormDesign {
    std::string_view name;  // the window class ("Fo", "Form2")
    std::string_view caption;
    int clientWidth = 0, clientHeight = 0;  // twips
    std::string_view icon;                  // resource name of the window's icon
    // True when controls inside a frame are given relative to the frame; false when every
    // position is given in window coordinates.
    bool frameRelative = false;
    std::vector<Control> controls;
};

// "Label3(1)" for a member of a control array, the plain name otherwise.
std::string controlKey(const Control& c);

}  // namespace heatcalc
