// "Wykres": the air temperature of the slice against time, ti = f(t), for the
// inputs currently typed in the duct cooling window. The chart keeps no data:
// every paint validates the inputs, runs the model once to find the end of
// the run for the scales and a second time to draw the curve step by step.
#pragma once

#include "core/Messages.h"
#include "core/ui/Form.h"

#include <exception>
#include <vector>

class QMenu;
class QPainter;

namespace vimtal {

class TForm9;

class TForm13 : public Form {
    Q_OBJECT
public:
    // `duct`: the window whose inputs the chart runs and into which it
    // writes the air properties it computes.
    explicit TForm13(TForm9& duct);

    // The whole drawing into the paint area, W x H pixels. Messages go to
    // `messages`; errors propagate.
    void PaintBox1Paint(QPainter& painter, int W, int H, MessageSink& messages);

    // Paint event of the paint area: draws, then reports what the drawing
    // had to say once the painting is over (a message box must not open in
    // the middle of a paint).
    void PaintArea(QPainter& painter, int W, int H);

protected:
    void FormShow() override;

private:
    void Report(const std::vector<RecordingMessageSink::Message>& messages, std::exception_ptr error);

    QWidget* PaintBox1 = nullptr;
    QMenu* Opcje1 = nullptr;
    // A message or error is shown once per opening of the window: each
    // repaint would otherwise raise it again, and the box itself, covering
    // and uncovering the chart, makes the chart repaint.
    bool reported_ = false;
    TForm9& duct_;
};

}  // namespace vimtal
