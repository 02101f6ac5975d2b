#pragma once
// The voice chooser: which speech engine and which of its English voices pronounce the words,
// and how fast. "Vyzkoušet" speaks a sample; "OK" keeps the choice in the file `voice`,
// "Storno" and Esc go back to the voice in use before.

#include "ui/dialog_frame.h"
#include "ui/voice_settings.h"

class QComboBox;
class QSlider;

namespace lexivo {

class VoiceDialog : public FramedDialog {
    Q_OBJECT
public:
    VoiceDialog(Program& program, QWidget* owner);

    // The choice as the controls show it.
    VoiceSettings chosen() const;
    // Goes back to the voice in use before the window opened.
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillVoices();
    void keep();

    VoiceSettings before_;
    QComboBox* engine_ = nullptr;
    QComboBox* voice_ = nullptr;
    QSlider* rate_ = nullptr;
};

}  // namespace lexivo
