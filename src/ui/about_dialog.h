#pragma once
// "O programu": who made the program and its version, with the way to the user manual and to
// the usage tips.

#include <filesystem>

#include "store/data_tree.h"
#include "ui/dialog_frame.h"

namespace lexivo {

class AboutDialog : public FramedDialog {
    Q_OBJECT
public:
    // The manual is looked for beside the program found in `executableDirectory`.
    AboutDialog(Program& program, QWidget* mainWindow,
                std::filesystem::path executableDirectory = lexivo::executableDirectory());

    static QString aboutText();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openManual();
    void showTip();
    void open(const QString& fileOrAddress);

    std::filesystem::path executableDirectory_;
};

}  // namespace lexivo
