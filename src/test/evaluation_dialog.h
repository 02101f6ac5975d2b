#pragma once
// The evaluation that closes every test: the counts, the two percentages and the pie. Opening
// it writes the end of the test to disk (recordTestEnd).

#include "test/test_state.h"
#include "ui/dialog_frame.h"

namespace lexivo {

struct TestSession;

class EvaluationDialog : public FramedDialog {
    Q_OBJECT
public:
    EvaluationDialog(Program& program, TestSession& tests, QWidget* mainWindow, TestEnd end);

    int percentRight() const { return percent_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int percent_ = 0;
    bool answered_ = false;
};

}  // namespace lexivo
