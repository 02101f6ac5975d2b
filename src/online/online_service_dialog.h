#pragma once
// "Online zázemí": the user picks one of the three catalogues of the web service, or logs in to
// download their personal store. The login names used so far are offered in a list.

#include <QRadioButton>
#include <vector>

#include "online/catalogue.h"
#include "online/online_session.h"
#include "ui/dialog_frame.h"

class QComboBox;
class QLineEdit;

namespace lexivo {

class OwnerDrawnButton;

enum class OnlineServiceChoice { Store, Catalogue };

class OnlineServiceDialog : public FramedDialog {
    Q_OBJECT
public:
    OnlineServiceDialog(Program& program, QWidget* mainWindow);

    // What the user chose, once the dialog was accepted.
    OnlineServiceChoice choice() const { return choice_; }
    CatalogueKind catalogue() const { return catalogue_; }
    const Login& login() const { return login_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Text of the bottom lines and the two links placed within it.
    struct TextPiece {
        QString text;
        QPoint position;
    };
    void createControls();
    void layOutHelpText();
    bool storeChosen() const;
    void serviceChosen();
    void applyFieldColours();
    void focusLoginField(bool password);
    void confirm();
    void openManual();
    void openGuide();

    QComboBox* name_ = nullptr;
    QLineEdit* password_ = nullptr;
    std::vector<QRadioButton*> services_;
    OwnerDrawnButton* manualLink_ = nullptr;
    OwnerDrawnButton* guideLink_ = nullptr;
    std::vector<TextPiece> helpText_;
    OnlineServiceChoice choice_ = OnlineServiceChoice::Store;
    CatalogueKind catalogue_ = CatalogueKind::Thematic;
    Login login_;
};

}  // namespace lexivo
