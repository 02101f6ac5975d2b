#include "app/add_package_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>

#include "app/main_window.h"
#include "editing/import_preview_dialog.h"
#include "editing/word_import.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/add_package_dialog.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"

namespace lexivo {
namespace {

namespace control = add_package_dialog_control;

constexpr int kWidth = 375;
constexpr int kHeight = 355;
// The third option's frame and title, in the add-package mode only; the buttons move below it.
constexpr int kImportRoom = 70;
constexpr int kTakeOverTitleY = 146;
constexpr QRectF kImportFrame(50.5, 273.5, 270, 50);
constexpr QPoint kImportTitle(60, 266);
constexpr int kNameFieldLength = 255;
const QColor kInactiveText(100, 100, 100);
const QColor kInactiveFieldText(80, 80, 80);

QString qt(const std::string& text) { return QString::fromStdString(text); }

// A text the dialog paints.
struct PaintedText {
    QString text;
    QPoint place;
    QFont font;
    QColor colour;
};

}  // namespace

AddPackageDialog::AddPackageDialog(Program& program, MainWindow& mainWindow, AddPackageMode mode)
    : FramedDialog(program, &mainWindow, centredCorner(program, kWidth, kHeight / 2), QSize(kWidth, kHeight)),
      mainWindow_(mainWindow),
      mode_(mode)
{
    setCloseKeys(CloseKeys::Swallow);
    createControls();
    createNew_->setChecked(true);
    for (const std::string& group : sourceGroups(program.collection, mode)) {
        sourceGroup_->addItem(qt(group));
    }
    sourceGroup_->setCurrentIndex(0);
    widenListToEntries(sourceGroup_);
    fillSourcePackages();
    if (mode == AddPackageMode::SaveRemainingWords) {
        sourceGroup_->hide();
        copyName_->hide();
        importFromFile_->hide();
    } else {
        makeRoomBelow(findControl(this, control::Ok)->y(), kImportRoom);
        moveOverMainWindow(centredCorner(program, kWidth, height() / 2));
    }
    enableOptionFields();
    attachControlBehaviour(this, WindowKind::AddPackage, [this] {
        QuickHelpState state;
        state.addPackagePurpose =
            mode_ == AddPackageMode::SaveRemainingWords ? AddPackagePurpose::StoreWords : AddPackagePurpose::AddPackage;
        return state;
    });
    newName_->setFocus();
}

void AddPackageDialog::createControls()
{
    const DialogUnits units(templateFont());
    createNew_ = new QRadioButton(this);
    setControlId(createNew_, control::CreateNew);
    createNew_->setGeometry(units.rect(20, 42, 193, 8).adjusted(0, -2, 0, 2));
    takeOver_ = new QRadioButton(this);
    setControlId(takeOver_, control::TakeOver);
    takeOver_->setGeometry(units.rect(20, 90, 193, 8).adjusted(0, -2, 0, 2));
    importFromFile_ = new QRadioButton(this);
    setControlId(importFromFile_, control::ImportFromFile);
    // Beside its title, as the other two stand beside theirs.
    importFromFile_->setGeometry(takeOver_->geometry().translated(0, kImportTitle.y() - kTakeOverTitleY));
    for (QRadioButton* radio : {createNew_, takeOver_, importFromFile_}) {
        connect(radio, &QRadioButton::clicked, this, &AddPackageDialog::optionChosen);
    }

    auto edit = [&](int id, QRect place) {
        auto* field = new QLineEdit(this);
        setControlId(field, id);
        field->setGeometry(place);
        field->setFont(templateFont());
        field->setMaxLength(kNameFieldLength);
        return field;
    };
    auto dropDown = [&](int id, QRect place) {
        auto* box = new QComboBox(this);
        setControlId(box, id);
        box->setGeometry(place);
        box->setFont(templateFont());
        return box;
    };
    // Closed drop-downs are one line high; the template's height is that of the open list.
    const int dropDownHeight = units.y(13);
    newName_ = edit(control::NewName, units.rect(78, 55, 126, 12));
    sourceGroup_ = dropDown(control::SourceGroup, units.rect(75, 104, 129, 0).adjusted(0, 0, 0, dropDownHeight));
    sourcePackage_ = dropDown(control::SourcePackage, units.rect(75, 120, 129, 0).adjusted(0, 0, 0, dropDownHeight));
    copyName_ = edit(control::CopyName, units.rect(116, 136, 88, 12));
    sourcePackage_->installEventFilter(this);  // its focus changes copy its name too
    connect(sourceGroup_, &QComboBox::currentIndexChanged, this, &AddPackageDialog::fillSourcePackages);
    connect(sourcePackage_, &QComboBox::currentIndexChanged, this, &AddPackageDialog::copySourcePackageName);

    auto* ok = new OwnerDrawnButton(program_, WindowKind::AddPackage, control::Ok, "OK", this);
    ok->setGeometry(units.rect(89, 180, 70, 28));
    connect(ok, &QPushButton::clicked, this, &AddPackageDialog::confirm);
    auto* cancel = new OwnerDrawnButton(program_, WindowKind::AddPackage, control::Cancel, "Storno", this);
    cancel->setGeometry(units.rect(178, 186, 58, 16));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

AddPackageOption AddPackageDialog::option() const
{
    if (importFromFile_->isChecked()) {
        return AddPackageOption::ImportFromFile;
    }
    return takeOver_->isChecked() ? AddPackageOption::TakeOver : AddPackageOption::CreateNew;
}

void AddPackageDialog::optionChosen()
{
    if (option() == AddPackageOption::TakeOver) {
        if (auto refusal = takeOverRefusal(mode_, static_cast<std::size_t>(sourceGroup_->count()))) {
            createNew_->setChecked(true);
            program_.dialogs.showMessage(this, *refusal);
        }
    }
    enableOptionFields();
    update();
}

void AddPackageDialog::enableOptionFields()
{
    const bool creating = option() == AddPackageOption::CreateNew;
    const bool copying = option() == AddPackageOption::TakeOver;
    const ColourScheme& scheme = program_.scheme();
    for (QWidget* field : std::initializer_list<QWidget*>{newName_, sourceGroup_, sourcePackage_, copyName_}) {
        setFieldColours(field, toQColor(scheme.editColour), toQColor(fixed_colour::kControlText),
                        toQColor(scheme.dialogColour), kInactiveFieldText);
        field->setEnabled(field == newName_ ? creating : copying);
    }
    // A field that has just become inactive gives the keyboard to the chosen option.
    if (focusWidget() != nullptr && !focusWidget()->isEnabled()) {
        (creating ? createNew_ : copying ? takeOver_ : importFromFile_)->setFocus();
    }
}

void AddPackageDialog::fillSourcePackages()
{
    // Without a source group there is nothing to list: the box and the name field stay hidden.
    const std::vector<std::string> packages =
        sourceGroup_->count() == 0 ? std::vector<std::string>{}
                                   : groupPackages(program_.collection, sourceGroup_->currentText().toStdString());
    {
        const QSignalBlocker quiet(sourcePackage_);
        sourcePackage_->clear();
        for (const std::string& package : packages) {
            sourcePackage_->addItem(qt(package));
        }
        sourcePackage_->setCurrentIndex(packages.empty() ? -1 : 0);
    }
    widenListToEntries(sourcePackage_);
    sourceHasPackages_ = !packages.empty();
    sourcePackage_->setVisible(sourceHasPackages_);
    copyName_->setVisible(sourceHasPackages_ && mode_ == AddPackageMode::AddPackage);
    copySourcePackageName();
    update();
}

void AddPackageDialog::copySourcePackageName() { copyName_->setText(sourcePackage_->currentText()); }

bool AddPackageDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Every notice of the package box, a change of focus too, copies its name.
    if (watched == sourcePackage_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        copySourcePackageName();
    }
    return FramedDialog::eventFilter(watched, event);
}

void AddPackageDialog::confirm()
{
    AddPackageForm form;
    form.mode = mode_;
    form.option = option();
    form.newName = newName_->text().toStdString();
    form.sourceGroup = sourceGroup_->currentText().toStdString();
    form.sourcePackage = sourcePackage_->currentText().toStdString();
    form.copyName = copyName_->text().toStdString();
    const AddPackageOutcome outcome = confirmAddPackage(program_.collection, form);
    if (outcome.next == AfterAddPackage::ChooseImportFile) {
        if (importFromFile()) {
            accept();
        }
        return;
    }
    if (outcome.message) {
        program_.dialogs.showMessage(this, *outcome.message);
    }
    if (outcome.next == AfterAddPackage::StayOpen) {
        if (outcome.focus) {
            QLineEdit* field = *outcome.focus == AddPackageField::NewName ? newName_ : copyName_;
            field->selectAll();
            field->setFocus();
        }
        return;
    }
    if (!outcome.package.empty()) {
        mainWindow_.fillPackageListSelecting(qt(outcome.package));
    }
    if (outcome.next == AfterAddPackage::OpenTransfer) {
        transferTarget_ = outcome.package;
    }
    accept();
}

bool AddPackageDialog::importFromFile()
{
    const OpenFileRequest request{"Importovat slovíčka ze souboru", QDir::homePath(),
                                  {"Seznamy slovíček (*.csv *.tsv *.txt *.kvtml)", "Všechny soubory (*)"}};
    const std::optional<QString> chosen = mainWindow_.editingSession().choosers.chooseOpenFile(this, request);
    if (!chosen) {
        return false;
    }
    Result<ImportFile> file = readImportFile(std::filesystem::path(chosen->toStdString()));
    if (!file) {
        program_.dialogs.showMessage(this, file.message());
        return false;
    }
    Result<ImportPreview> preview = ImportPreview::open(program_.collection, std::move(file).value());
    if (!preview) {
        program_.dialogs.showMessage(this, preview.message());
        return false;
    }
    ImportPreviewDialog dialog(program_, &mainWindow_, std::move(preview).value(), QFileInfo(*chosen).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.writtenPackage().empty()) {
        return false;
    }
    mainWindow_.fillPackageListSelecting(qt(dialog.writtenPackage()));
    return true;
}

void AddPackageDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();  // as "Storno"
        return;
    }
    FramedDialog::keyPressEvent(event);
}

void AddPackageDialog::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    const bool saving = mode_ == AddPackageMode::SaveRemainingWords;
    const AddPackageOption active = option();
    auto colour = [&](AddPackageOption of) { return of == active ? QColor(Qt::black) : kInactiveText; };
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    painter.setPen(Qt::black);
    painter.setFont(cellFont(kArial, 30));
    painter.drawText(QRect(0, 10, kWidth, 30), Qt::AlignCenter | Qt::TextSingleLine,
                     saving ? "Uložit zbývající slovíčka" : "Přidat balíček");

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour(AddPackageOption::CreateNew), 1));
    painter.drawRoundedRect(QRectF(50.5, 73.5, 270, 50), 5, 5);
    painter.setPen(QPen(colour(AddPackageOption::TakeOver), 1));
    painter.drawRoundedRect(QRectF(50.5, 153.5, 270, 100), 5, 5);
    if (!saving) {
        painter.setPen(QPen(colour(AddPackageOption::ImportFromFile), 1));
        painter.drawRoundedRect(kImportFrame, 5, 5);
    }

    const QColor first = colour(AddPackageOption::CreateNew);
    const QColor second = colour(AddPackageOption::TakeOver);
    const QFont title = cellFont(kArial, 17);
    // The labels end where their fields begin.
    const QFont label = fittedFont(cellFont(kArial, 16), {{"Skupina:", sourceGroup_->x() - 60 - 3},
                                                          {"Uložit pod jménem:", copyName_->x() - 60 - 3}});
    std::vector<PaintedText> texts = {
        {saving ? " Vytvořit nový balíček " : " Vytvořit nový ", {60, 66}, title, first},
        {saving ? " Přidat do existujícího " : " Přejmout z jiné skupiny ", {60, kTakeOverTitleY}, title, second},
        {"Jméno:", {60, 90}, label, first},
        {"Balíček:", {60, 196}, label, second},
    };
    if (!saving) {
        const QColor third = colour(AddPackageOption::ImportFromFile);
        texts.push_back({"Skupina:", {60, 170}, label, second});
        texts.push_back({" Importovat ze souboru ", kImportTitle, title, third});
        texts.push_back({"seznam slovíček CSV, TSV, TXT nebo KVTML", {60, 290},
                         fittedFont(cellFont(kArial, 16), "seznam slovíček CSV, TSV, TXT nebo KVTML", 250), third});
    }
    if (!sourceHasPackages_) {
        const bool dim = active != AddPackageOption::TakeOver;
        texts.push_back({"skupina neobsahuje žádné balíčky", {115, 196}, label, dim ? kInactiveFieldText : second});
    } else if (!saving) {
        texts.push_back({"Uložit pod jménem:", {60, 221}, label, second});
    }
    const QColor background = toQColor(program_.scheme().dialogColour);
    for (const PaintedText& text : texts) {
        painter.setFont(text.font);
        const QFontMetrics metrics(text.font);
        const QRect place(text.place, QSize(metrics.horizontalAdvance(text.text), metrics.height()));
        // The option titles stand on their frame's edge: their background hides the line.
        painter.fillRect(place, background);
        painter.setPen(text.colour);
        painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text.text);
    }
}

}  // namespace lexivo
