#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <map>
#include <string>
#include <vector>

#include "main/reference_pictures.h"
#include "reference/ampacity_tables.h"
#include "ui/text.h"

// The reference pictures: each current-carrying capacity table drawn as a ruled grid (black
// lines, black text on white, grey header cells) at the picture's fixed size.

namespace heatcalc {

using ui::qs;

namespace {

QString amperesText(const Amperes& a)
{
    return a ? QString::number(*a) : QStringLiteral("-");
}

const QColor HeaderGrey(192, 192, 192);

QFont tableFont(int pixelSize)
{
    QFont f;
    f.setFamilies(
        {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans")});
    f.setPixelSize(pixelSize);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// A piece of one text line: its text in a font, raised (negative) or lowered (positive) from the
// line's baseline, and a gap after it.
struct Run {
    QString text;
    QFont font;
    int drop = 0;
    int gapAfter = 0;
};

using Line = std::vector<Run>;

int lineWidth(const Line& line)
{
    int width = 0;
    for (const Run& run : line)
        width += QFontMetrics(run.font).horizontalAdvance(run.text) + run.gapAfter;
    return width;
}

// Pieces of one font set apart by a gap.
Line spaced(const QStringList& pieces, const QFont& font, int gap)
{
    Line line;
    for (const QString& piece : pieces)
        line.push_back({piece, font, 0, gap});
    if (!line.empty())
        line.back().gapAfter = 0;
    return line;
}

Line plain(const QString& text, const QFont& font)
{
    return {{text, font, 0, 0}};
}

// The characters of a text set apart by a gap: "型  号".
Line letterSpaced(const QString& text, const QFont& font, int gap)
{
    QStringList pieces;
    for (const QChar c : text)
        pieces << QString(c);
    return spaced(pieces, font, gap);
}

// A ruled grid of fixed column and row edges (pixel positions of the lines); cells may span.
class Grid {
public:
    Grid(QImage& image, std::vector<int> xs, std::vector<int> ys)
        : painter_(&image), xs_(std::move(xs)), ys_(std::move(ys))
    {
        painter_.fillRect(image.rect(), Qt::white);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setRenderHint(QPainter::TextAntialiasing, true);
    }

    // Draws the cell's border and fill, and its lines of text centred in it, top to bottom.
    void cell(int col, int row, int colSpan, int rowSpan, const std::vector<Line>& lines, bool grey = false)
    {
        const int x0 = xs_.at(static_cast<std::size_t>(col));
        const int x1 = xs_.at(static_cast<std::size_t>(col + colSpan));
        const int y0 = ys_.at(static_cast<std::size_t>(row));
        const int y1 = ys_.at(static_cast<std::size_t>(row + rowSpan));
        if (grey)
            painter_.fillRect(QRect(QPoint(x0 + 1, y0 + 1), QPoint(x1 - 1, y1 - 1)), HeaderGrey);
        painter_.setPen(QPen(Qt::black, 0));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(x0, y0, x1 - x0, y1 - y0);

        // Each line is as tall as the cap height of its first font plus a leading, and the block
        // of lines sits in the middle of the cell.
        std::vector<int> heights;
        int total = 0;
        for (const Line& line : lines) {
            const QFontMetrics fm(line.front().font);
            heights.push_back(fm.capHeight());
            total += fm.capHeight();
        }
        const int leading = lines.empty() ? 0 : QFontMetrics(lines.front().front().font).capHeight();
        total += leading * (static_cast<int>(lines.size()) - 1);
        int top = y0 + 1 + (y1 - y0 - 1 - total + 1) / 2;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int baseline = top + heights[i];
            int x = x0 + 1 + (x1 - x0 - 1 - lineWidth(lines[i]) + 1) / 2;
            for (const Run& run : lines[i]) {
                painter_.setFont(run.font);
                painter_.setPen(Qt::black);
                painter_.drawText(QPoint(x, baseline + run.drop), run.text);
                x += QFontMetrics(run.font).horizontalAdvance(run.text) + run.gapAfter;
            }
            top = baseline + leading;
        }
    }

    void cell(int col, int row, const Line& line, bool grey = false) { cell(col, row, 1, 1, {line}, grey); }
    void span(int col, int row, int colSpan, const Line& line, bool grey = false)
    {
        cell(col, row, colSpan, 1, {line}, grey);
    }

private:
    QPainter painter_;
    std::vector<int> xs_;
    std::vector<int> ys_;
};

// Edges of `parts` equal parts from `from` to `to`, appended to `edges` (which ends at `from`).
void split(std::vector<int>& edges, int to, int parts)
{
    const int from = edges.back();
    for (int i = 1; i <= parts; ++i)
        edges.push_back(from + (to - from) * i / parts);
}

// Column edges: a label column of the given width, then value columns sharing the rest.
std::vector<int> columnEdges(int width, int labelWidth, int valueColumns)
{
    std::vector<int> xs{0, labelWidth};
    split(xs, width - 1, valueColumns);
    return xs;
}

// Row edges: header rows sharing what the body rows of the given height leave over.
std::vector<int> rowEdges(int height, int headerRows, int bodyRows, int bodyHeight)
{
    std::vector<int> ys{0};
    split(ys, height - 1 - bodyRows * bodyHeight, headerRows);
    split(ys, height - 1, bodyRows);
    return ys;
}

const QString Celsius = QStringLiteral("（° C）");

// The cable type row and the core row, alike in both cable tables.
void cableTypeRow(Grid& grid, int row, int columns, const QFont& font)
{
    grid.cell(0, row, letterSpaced(QStringLiteral("型号"), font, 14));
    QStringList types;
    for (std::string_view t : CableTypes)
        types << qs(t);
    grid.span(1, row, columns, spaced(types, font, 18), true);
}

void coreRow(Grid& grid, int row, int columns, const QFont& font)
{
    grid.cell(0, row, plain(QStringLiteral("标称截面（mm2）"), font));
    for (int c = 0; c < columns; ++c)
        grid.cell(1 + c, row, plain(c % 2 == 0 ? QStringLiteral("铜芯") : QStringLiteral("铝芯"), font));
}

// The body of a cable table under its six header rows: the cross-section, then its values.
template <class Table> void cableBody(Grid& grid, const Table& table, int columns, const QFont& text)
{
    for (int r = 0; r < CableRowCount; ++r) {
        const auto& row = table.rows[static_cast<std::size_t>(r)];
        grid.cell(0, 6 + r, plain(qs(row.sectionMm2), text));
        for (int c = 0; c < columns; ++c)
            grid.cell(1 + c, 6 + r, plain(amperesText(row.amperes[static_cast<std::size_t>(c)]), text));
    }
}

void drawCableOpen(Grid& grid)
{
    const CableOpenTable& table = CableOpenAmpacity();
    constexpr int Cols = CableOpenTable::Columns;
    const QFont label = tableFont(9);
    const QFont text = tableFont(10);

    cableTypeRow(grid, 0, Cols, text);
    grid.cell(0, 1, plain(QStringLiteral("额定电压（KV）"), label));
    for (int v = 0; v < 2; ++v)
        grid.span(1 + CableOpenTable::column(v, 0, Core::Copper), 1, 6,
                  plain(qs(table.ratedVoltagesKv[static_cast<std::size_t>(v)]), text));
    grid.cell(0, 2, plain(QStringLiteral("敷设方式"), label));
    grid.span(1, 2, Cols, letterSpaced(QStringLiteral("明敷"), text, 30));
    grid.cell(0, 3, plain(QStringLiteral("导体工作温度") + Celsius, label));
    grid.span(1, 3, Cols, plain(qs(table.conductorTempC), text));
    grid.cell(0, 4, plain(QStringLiteral("环境温度") + Celsius, label));
    for (int v = 0; v < 2; ++v)
        for (int a = 0; a < 3; ++a)
            grid.span(1 + CableOpenTable::column(v, a, Core::Copper), 4, 2,
                      plain(qs(table.ambientsC[static_cast<std::size_t>(a)]), text));
    coreRow(grid, 5, Cols, label);

    cableBody(grid, table, Cols, text);
}

void drawCableSoil(Grid& grid)
{
    const CableSoilTable& table = CableSoilAmpacity();
    constexpr int Cols = CableSoilTable::Columns;
    const QFont label = tableFont(9);
    const QFont text = tableFont(10);
    const QFont subscript = tableFont(7);

    cableTypeRow(grid, 0, Cols, text);
    grid.cell(0, 1, plain(QStringLiteral("额定电压（KV）"), label));
    grid.span(1, 1, Cols, plain(qs(table.ratedVoltageKv), text));
    grid.cell(0, 2, plain(QStringLiteral("敷设方式"), label));
    grid.span(1, 2, Cols, letterSpaced(QStringLiteral("土壤中穿管"), text, 14));
    grid.cell(0, 3, plain(QStringLiteral("土壤热阻系数"), label));
    for (int s = 0; s < 4; ++s) {
        const Line rho{{QStringLiteral("ρ"), text, 0, 0},
                       {QStringLiteral("T"), subscript, 2, 0},
                       {QStringLiteral("=") + qs(table.soilResistivities[static_cast<std::size_t>(s)]), text, 0, 0}};
        grid.span(1 + CableSoilTable::column(s, 0, Core::Copper), 3, 4, rho);
    }
    grid.cell(0, 4, plain(QStringLiteral("导体工作温度") + Celsius, label));
    for (int s = 0; s < 4; ++s)
        for (int t = 0; t < 2; ++t)
            grid.span(1 + CableSoilTable::column(s, t, Core::Copper), 4, 2,
                      plain(qs(table.conductorTempsC[static_cast<std::size_t>(t)]), text));
    coreRow(grid, 5, Cols, label);

    cableBody(grid, table, Cols, text);
}

void drawBusbar(Grid& grid)
{
    const BusbarTable& table = BusbarAmpacity();
    constexpr int Cols = BusbarTable::Columns;
    const QFont text = tableFont(11);
    const QFont cross = tableFont(8);

    grid.cell(0, 0, 1, 3, {plain(QStringLiteral("母线尺寸"), text), plain(QStringLiteral("(宽X厚, mm)"), text)});
    for (Metal m : {Metal::Aluminium, Metal::Copper}) {
        const QString metal = m == Metal::Aluminium ? QStringLiteral("铝（A）") : QStringLiteral("铜（A）");
        grid.span(1 + BusbarTable::column(m, Current::AC, 0), 0, 8, plain(metal, text), true);
        for (Current k : {Current::AC, Current::DC}) {
            const QString current = k == Current::AC ? QStringLiteral("交流") : QStringLiteral("直流");
            grid.span(1 + BusbarTable::column(m, k, 0), 1, 4, plain(current, text), true);
            for (int a = 0; a < 4; ++a)
                grid.cell(1 + BusbarTable::column(m, k, a), 2,
                          plain(qs(table.ambientsC[static_cast<std::size_t>(a)]) + QStringLiteral("℃"), text));
        }
    }

    for (int r = 0; r < BusbarTable::RowCount; ++r) {
        const auto& row = table.rows[static_cast<std::size_t>(r)];
        const Line size{
            {qs(row.widthMm), text, 0, 3}, {QStringLiteral("×"), cross, -1, 3}, {qs(row.thicknessMm), text, 0, 0}};
        grid.cell(0, 3 + r, size);
        for (int c = 0; c < Cols; ++c)
            grid.cell(1 + c, 3 + r, plain(QString::number(row.amperes[static_cast<std::size_t>(c)]), text));
    }
}

// A picture of the given size with its grid's column and row edges, painted by `draw`.
QImage picture(QSize size, std::vector<int> xs, std::vector<int> ys, void (*draw)(Grid&))
{
    QImage image(size, QImage::Format_RGB32);
    {
        Grid grid(image, std::move(xs), std::move(ys));
        draw(grid);
    }
    return image;
}

}  // namespace

QPixmap referencePicture(std::string_view name)
{
    // Each picture is drawn once, the first time a window asks for it.
    static std::map<std::string, QImage, std::less<>> drawn;
    auto it = drawn.find(name);
    if (it == drawn.end()) {
        QImage image;
        if (name == "cable_open")
            image = picture({374, 313}, columnEdges(374, 90, CableOpenTable::Columns),
                            rowEdges(313, 6, CableRowCount, 14), drawCableOpen);
        else if (name == "cable_soil")
            image = picture({463, 317}, columnEdges(463, 90, CableSoilTable::Columns),
                            rowEdges(317, 6, CableRowCount, 14), drawCableSoil);
        else if (name == "busbar")
            image = picture({706, 360}, columnEdges(706, 82, BusbarTable::Columns),
                            rowEdges(360, 3, BusbarTable::RowCount, 16), drawBusbar);
        else
            return {};
        it = drawn.emplace(std::string(name), std::move(image)).first;
    }
    return QPixmap::fromImage(it->second);
}

}  // namespace heatcalc
