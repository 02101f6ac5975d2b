#pragma once
// "Tipy k programu": one usage tip chosen at random, "Další tip" for another, and whether the
// window opens at every start. Closing it keeps that choice in `config`.

#include "ui/dialog_frame.h"

class QCheckBox;
class QLabel;

namespace lexivo {

class TipsDialog : public FramedDialog {
    Q_OBJECT
public:
    TipsDialog(Program& program, QWidget* mainWindow);

    QString tip() const;
    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showNextTip();

    QLabel* tip_ = nullptr;
    QCheckBox* showAtStart_ = nullptr;
};

}  // namespace lexivo
