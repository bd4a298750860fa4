#pragma once

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "common/form_model.h"

class QTimer;

namespace heatcalc::ui {

// The client area of one window, built from its model's control table: every visible control at
// its design position (twips / 15 = pixels), font and colours, with the widget texts bound to the
// model's field texts. A click, a list pick, the load and a timer tick run the model's handler of
// that name; after it the widgets show the model's texts again, and a calculation failure is
// reported without undoing what the handler wrote before it.
class FormWidget : public QWidget {
    Q_OBJECT

public:
    explicit FormWidget(std::unique_ptr<FormModel> model, QWidget* parent = nullptr);
    ~FormWidget() override;

    FormModel& model() { return *model_; }
    const FormDesign& design() const { return model_->design(); }

    // The widget of a control key ("Text1", "Label3(0)"); null for what is not shown.
    QWidget* control(std::string_view key) const;

    // Where the window's picture boxes take their pictures from, by the name in their design text.
    using PictureSource = std::function<QPixmap(std::string_view name)>;
    void setPictureSource(PictureSource source) { pictures_ = std::move(source); }

    // A handler that needs the platform (printing) rather than the model.
    void setPlatformHandler(std::string name, std::function<void()> body);

    // Runs a handler by name as the event would, reports a calculation failure, and shows the
    // model's texts again. False when neither the model nor the platform has that handler.
    bool press(std::string_view handler);

    // Shows every field's current model text in its widget.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    // The widget of one control, at its design place, font and colours, bound to the model.
    QWidget* makeControl(const Control& c);
    void setKeyboardOrder();
    // Sets each caption, frame and rule to keep the captions clear of the rules when first drawn.
    void placeCaptions();
    void startTimers();

    std::unique_ptr<FormModel> model_;
    std::map<std::string, QWidget*, std::less<>> widgets_;
    std::map<std::string, std::function<void()>, std::less<>> platformHandlers_;
    std::map<std::string, QTimer*, std::less<>> timers_;
    PictureSource pictures_;
    bool loaded_ = false;
};

// Where the renderer puts the characters of a caption label or of a frame's title: one rectangle
// per character, its advance wide and a line of the font high, in that widget's coordinates (a
// caption not drawn yet is placed first). Empty for any other widget.
QList<QRect> captionCells(QWidget* widget);

}  // namespace heatcalc::ui
