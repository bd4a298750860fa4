#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegion>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

// The widgets a window design draws besides its fields and lists: rules, frames, captions,
// command buttons and picture boxes.
namespace heatcalc::ui {

// A character of a caption where the renderer draws it: its cell (its advance wide and a line of
// the font high), the rectangle its ink lies in and the baseline point it is drawn at. Until the
// ink has been drawn, the cell grown by a pixel on every side stands for it: no
// character inks beyond that.
struct PlacedChar {
    QChar c;
    QRect cell;
    QRect ink;
    QPoint origin;
};

// A decorative line; it takes no clicks and paints nothing else. Where a caption's characters
// would touch it, it leaves a gap.
class LineWidget : public QWidget {
public:
    LineWidget(QPoint from, QPoint to, int penWidth, QWidget* parent);

    // The pixels the line covers, in its parent's coordinates.
    QRect stroke() const;

    // Leaves the part of the line inside the rectangle (parent's coordinates) unpainted.
    void leaveGap(const QRect& area);

    // Called once, before the line is first drawn, to place the captions near it.
    void setPlacer(std::function<void()> placer) { placer_ = std::move(placer); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPoint from_, to_;
    int pen_;
    QRegion gaps_;
    std::function<void()> placer_;
};

// A frame as the design draws it: an etched border whose top edge runs through the middle of the
// title, and the title at the top left with the border broken around it. The whole title is
// always drawn: nothing is elided.
class FrameBox : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

    // Called once, before the frame is first drawn, to keep its title and the captions near its
    // border clear of the rules.
    void setPlacer(std::function<void(FrameBox&)> placer) { placer_ = std::move(placer); }

    // The title's characters, in the frame's coordinates.
    std::vector<PlacedChar> titleLayout() const;
    // The title's characters with their ink to the pixel.
    std::vector<PlacedChar> drawnTitleLayout() const;

    // The four edges of the border, each two pixels wide, in the frame's coordinates.
    QList<QRect> edges() const;

    // Leaves the part of the border inside the rectangle (frame coordinates) unpainted.
    void leaveGap(const QRect& area) { gaps_ += area; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int titleLeft() const { return fontMetrics().height() / 2; }
    QRect border() const;

    QRegion gaps_;
    std::function<void(FrameBox&)> placer_;
};

// A caption laid out as on the design: characters a font size apart line by line, a blank half
// as wide as a character, and the lines broken where the next character or word no longer fits.
// The stand-in CJK fonts keep a much larger line gap than the designed font, which would push a
// two-line caption out of its box; the caption keeps the designed spacing instead. The text may be
// drawn a pixel or two off its place inside the box, to keep it clear of the rules around it.
class CaptionLabel : public QLabel {
public:
    using QLabel::QLabel;

    // Called before the caption is first drawn, and again when its text has changed, to place it
    // clear of the rules; told whether it is the first time.
    void setPlacer(std::function<void(CaptionLabel&, bool first)> placer) { placer_ = std::move(placer); }

    // The height one line of this label's font needs.
    int lineStep() const { return em() + 1; }

    void setShift(QPoint shift);

    // Each character where it is drawn, blanks left out, in the label's coordinates, moved by the
    // shift given.
    std::vector<PlacedChar> layout(QPoint shift) const;
    // The characters where they are drawn, placed first when the text is new.
    std::vector<PlacedChar> layout();

    // Takes the ink of each character that lies near one of the areas (label coordinates) to the
    // pixel, by drawing it, instead of its cell.
    void useDrawnInk(const std::vector<QRect>& near);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    // The font's size in pixels.
    int em() const;
    int advance(QChar c) const;
    QStringList lines() const;
    std::vector<PlacedChar> place() const;

    QPoint shift_;
    std::function<void(CaptionLabel&, bool)> placer_;
    QString placedText_;
    bool everPlaced_ = false;
    mutable std::vector<PlacedChar> laidOut_;
    mutable QString laidOutText_;
    mutable int laidOutWidth_ = -1;
    mutable QFont laidOutFont_;
};

// A command button that Enter presses as Space does, its caption broken onto as many lines as
// its width needs.
class CommandButton : public QPushButton {
public:
    using QPushButton::QPushButton;

    // Sets the caption, wrapped to the button's width in its font.
    void setCaption(const QString& caption);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A picture box: shows the picture its design names at its top left, at the picture's own size.
class PictureBox : public QLabel {
public:
    PictureBox(std::string pictureName, QWidget* parent);

    const std::string& pictureName() const { return name_; }

private:
    std::string name_;
};

}  // namespace heatcalc::ui
