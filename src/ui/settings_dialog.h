#pragma once
// The settings: what the test shows, the colour scheme and how words are pronounced. Every
// change takes effect at once; closing the dialog (OK, Esc or the window's close) saves `config`.

#include "store/program_config.h"
#include "ui/dialog_frame.h"

class QComboBox;

namespace lexivo {

class SettingsDialog : public FramedDialog {
    Q_OBJECT
public:
    SettingsDialog(Program& program, QWidget* mainWindow);

    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void createControls();
    void chooseScheme(int number);
    void chooseSpeechMode(SpeechMode mode);
    void showSpeechControls(SpeechMode mode);
    void applyColours();

    QComboBox* scheme_ = nullptr;
    QRect speechFrame_;  // the rounded frame around the pronunciation controls
    QRect schemeCaption_;
};

}  // namespace lexivo
