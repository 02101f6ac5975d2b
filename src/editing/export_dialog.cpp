#include "editing/export_dialog.h"

#include <algorithm>
#include <filesystem>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>

#include "editing/editing_session.h"
#include "editing/export_font.h"
#include "editing/package_editor.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/export_dialog.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"

namespace lexivo {
namespace {

namespace control = export_dialog_control;

// The window's template: Arial 10 points; its places are dialog units of that font.
constexpr QSize kTemplateSize(265, 250);
constexpr int kBoxTextHeight = 17;
constexpr int kIndicatorRoom = 22;  // a check box's or radio's box and the gap after it
constexpr std::size_t kMaxFaceCharacters = 59;
constexpr int kTextPreviewHeight = 12;
// The sample, in pixels: the page, its caption above, and where its text starts and ends.
constexpr QRect kPreviewPage(QPoint(200, 155), QPoint(414, 280));
constexpr QRect kPreviewCaption(QPoint(200, 135), QPoint(414, 155));
constexpr QRect kPreviewText(QPoint(205, 160), QPoint(413, 278));

QSize windowSize()
{
    const DialogUnits units(templateFont(kArial, 10));
    return {units.x(kTemplateSize.width()), units.y(kTemplateSize.height())};
}

// Centred on the screen, in the editor's coordinates (the editor may be hidden).
QPoint cornerOverEditor(const Program& program, const PackageEditor& editor)
{
    const QSize size = windowSize();
    const QPoint inMainWindow = centredCorner(program, size.width(), size.height() / 2);
    const QWidget* mainWindow = editor.parentWidget();
    return editor.mapFromGlobal(mainWindow ? mainWindow->mapToGlobal(inMainWindow) : inMainWindow);
}

template <typename Box>
Box* addBox(QWidget* window, int id, const QString& text, QRect place)
{
    // A box beside the sample ends before it.
    if (place.top() <= kPreviewPage.bottom() && place.bottom() >= kPreviewPage.top()) {
        place.setRight(std::min(place.right(), kPreviewPage.left() - 3));
    }
    auto* box = new Box(text, window);
    setControlId(box, id);
    box->setGeometry(place);
    box->setFont(fittedFont(cellFont(kArial, kBoxTextHeight), text, place.width() - kIndicatorRoom));
    QPalette colours = box->palette();
    colours.setColor(QPalette::WindowText, Qt::black);
    box->setPalette(colours);
    return box;
}

QColor qtColour(Rgb colour) { return toQColor(colour); }
Rgb rgbOf(const QColor& colour)
{
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

// At most the first `count` characters of a UTF-8 text.
std::string firstCharacters(const QString& text, std::size_t count)
{
    return text.left(static_cast<qsizetype>(count)).toStdString();
}

}  // namespace

ExportDialog::ExportDialog(Program& program, EditingSession& session, PackageEditor& editor)
    : FramedDialog(program, &editor, cornerOverEditor(program, editor), windowSize()),
      session_(session),
      editor_(editor),
      style_(session.exportStyle)
{
    style_.resetForOpening();
    createControls();
    chooseDirection(ExportDirection::ForeignFirst);
    chooseFormat();
    attachControlBehaviour(this, WindowKind::Export);
    findControl(this, control::Continue)->setFocus();
}

void ExportDialog::createControls()
{
    const DialogUnits units(templateFont(kArial, 10));
    const QColor editColour = toQColor(program_.scheme().editColour);

    auto* title = addStatic(this, control::Title, "Tisk", units.rect(10, 7, 245, 22), cellFont(kArial, 35));
    title->setAlignment(Qt::AlignCenter);
    const QRect packageLabel = units.rect(10, 38, 62, 12);
    addStatic(this, control::PackageLabel, "Vybraný balíček:", packageLabel,
              fittedFont(cellFont(kArial, kBoxTextHeight), "Vybraný balíček:", units.x(71) - packageLabel.left()));
    addStatic(this, control::OrderLabel, "Pořadí:", units.rect(10, 86, 85, 13), cellFont(kArial, kBoxTextHeight));
    addStatic(this, control::FormatLabel, "Exportovat do:", units.rect(127, 154, 51, 10),
              fittedFont(cellFont(kArial, 16), "Exportovat do:", units.x(51)));

    auto addDropDown = [&](int id, QRect place, const QStringList& entries) {
        auto* dropDown = new QComboBox(this);
        setControlId(dropDown, id);
        dropDown->setFont(cellFont(kArial, 15));
        dropDown->addItems(entries);
        place.setHeight(dropDown->sizeHint().height());
        dropDown->setGeometry(place);
        QPalette colours = dropDown->palette();
        colours.setColor(QPalette::Button, editColour);
        colours.setColor(QPalette::Base, editColour);
        dropDown->setPalette(colours);
        return dropDown;
    };
    package_ = addDropDown(control::Package, units.rect(71, 36, 164, 94), editor_.packageNames());
    package_->setCurrentIndex(editor_.chosenPackage());
    QStringList formats;
    for (const std::string& label : exportFormatLabels()) {
        formats << QString::fromStdString(label);
    }
    format_ = addDropDown(control::Format, units.rect(176, 153, 59, 57), formats);

    auto* foreignFirst = addBox<QRadioButton>(this, control::EnglishFirst, "Anglicky - česky", units.rect(27, 99, 67, 10));
    czechFirst_ = addBox<QRadioButton>(this, control::CzechFirst, "Česky - anglicky", units.rect(27, 114, 67, 10));
    auto* directions = new QButtonGroup(this);
    directions->addButton(foreignFirst);
    directions->addButton(czechFirst_);
    foreignFirst->setChecked(true);
    showExamples_ = addBox<QCheckBox>(this, control::ShowExamples, "Zobrazovat příklad použití", units.rect(10, 139, 97, 10));
    separateWords_ = addBox<QCheckBox>(this, control::SeparatingLine, "Oddělovat slovíčka čarou", units.rect(10, 154, 97, 10));
    numberWords_ = addBox<QCheckBox>(this, control::NumberWords, "Číslovat slovíčka", units.rect(10, 169, 70, 10));
    hideLanguage_ = addBox<QCheckBox>(this, control::HideCzech, QString(), units.rect(10, 184, 115, 10));

    auto addButton = [&](int id, const QString& text, QRect place) {
        auto* button = new OwnerDrawnButton(program_, WindowKind::Export, id, text, this);
        button->setGeometry(place);
        return button;
    };
    connect(addButton(control::ChangeFont, "Změnit písmo...", units.rect(145, 169, 94, 10)), &QPushButton::clicked,
            this, &ExportDialog::chooseFont);
    connect(addButton(control::ChangeBackground, "Změnit barvu pozadí...", units.rect(145, 184, 94, 10)),
            &QPushButton::clicked, this, &ExportDialog::chooseBackground);
    connect(addButton(control::Continue, "Pokračovat", units.rect(80, 219, 93, 22)), &QPushButton::clicked, this,
            &ExportDialog::exportPackage);
    connect(addButton(control::Cancel, "Storno", units.rect(183, 223, 61, 13)), &QPushButton::clicked, this,
            &QDialog::reject);

    connect(package_, &QComboBox::currentIndexChanged, this, [this](int index) {
        editor_.choosePackage(index);
        refreshPreview();
    });
    connect(foreignFirst, &QRadioButton::clicked, this, [this] { chooseDirection(ExportDirection::ForeignFirst); });
    connect(czechFirst_, &QRadioButton::clicked, this, [this] { chooseDirection(ExportDirection::CzechFirst); });
    for (QCheckBox* box : {showExamples_, separateWords_, numberWords_, hideLanguage_}) {
        connect(box, &QCheckBox::toggled, this, &ExportDialog::refreshPreview);
    }
    connect(format_, &QComboBox::currentIndexChanged, this, &ExportDialog::chooseFormat);
}

ExportOptions ExportDialog::options() const
{
    ExportOptions chosen;
    chosen.direction = czechFirst_->isChecked() ? ExportDirection::CzechFirst : ExportDirection::ForeignFirst;
    chosen.showExamples = showExamples_->isChecked();
    chosen.separateWords = separateWords_->isChecked();
    chosen.numberWords = numberWords_->isChecked();
    chosen.hideOneLanguage = hideLanguage_->isChecked();
    chosen.format = static_cast<ExportFormat>(std::max(format_->currentIndex(), 0));
    return chosen;
}

void ExportDialog::chooseDirection(ExportDirection direction)
{
    editor_.chooseOrder(wordOrderFor(direction));
    const QString label = QString::fromStdString(hideLanguageLabel(direction, program_.language.adjective.toStdString()));
    hideLanguage_->setText(label);
    hideLanguage_->setFont(fittedFont(cellFont(kArial, kBoxTextHeight), label, hideLanguage_->width() - kIndicatorRoom));
    refreshPreview();
}

void ExportDialog::chooseFormat()
{
    const bool styled = isStyledFormat(options().format);
    findControl(this, control::ChangeFont)->setVisible(styled);
    findControl(this, control::ChangeBackground)->setVisible(styled);
    refreshPreview();
}

void ExportDialog::chooseFont()
{
    const FontChoice current{QString::fromStdString(style_.face), style_.size,     style_.weight, style_.italic,
                             style_.underline,                    style_.strikeOut, qtColour(style_.colour)};
    const std::optional<FontChoice> chosen = session_.choosers.chooseFont(this, current);
    if (!chosen) {
        return;
    }
    style_.face = firstCharacters(chosen->face, kMaxFaceCharacters);
    style_.size = std::max(chosen->pixelHeight, 1);
    style_.weight = chosen->weight;
    style_.italic = chosen->italic;
    style_.underline = chosen->underline;
    style_.strikeOut = chosen->strikeOut;
    style_.colour = rgbOf(chosen->colour);
    update();
}

void ExportDialog::chooseBackground()
{
    if (const std::optional<QColor> chosen = session_.choosers.chooseColour(this, qtColour(style_.background))) {
        style_.background = rgbOf(*chosen);
        update();
    }
}

void ExportDialog::refreshPreview()
{
    preview_ = QString::fromStdString(exportPreview(exportSource(editor_.editing()), options()));
    update();
}

TextWidth ExportDialog::lineWidth() const { return exportLineWidth(style_); }

QFont ExportDialog::previewFont() const
{
    if (isStyledFormat(options().format)) {
        return exportDocumentFont(style_, style_.documentFontSize());
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(cellFont(kArial, kTextPreviewHeight).pixelSize());
    return font;
}

void ExportDialog::exportPackage()
{
    const ExportOptions chosen = options();
    const SaveFileRequest request{QString::fromUtf8(kExportDialogTitle.data(), kExportDialogTitle.size()),
                                  QString::fromStdString(program_.tree.programDirectory().string()),
                                  package_->currentText(), QString::fromUtf8(exportExtension(chosen.format).data())};
    const std::optional<QString> file = session_.choosers.chooseSaveFile(this, request);
    if (!file) {
        return;
    }
    const ExportSource source = exportSource(editor_.editing());
    const auto lines = exportLines(source, chosen);
    if (!lines) {
        program_.dialogs.showMessage(this, lines.message());
        return;
    }
    const int pageWidth = exportPageWidth(source, chosen, lineWidth());
    const auto bytes = exportDocument(lines.value(), chosen, style_, pageWidth);
    if (!bytes) {
        program_.dialogs.showMessage(this, bytes.message());
        return;
    }
    if (Status written = writeExportFile(std::filesystem::path(file->toStdString()), bytes.value()); !written) {
        program_.dialogs.showMessage(this, written.message());
        return;
    }
    if (program_.dialogs.askYesNo(this, exportDoneQuestion())) {
        program_.shell.open(*file);
    }
    accept();
}

void ExportDialog::keyPressEvent(QKeyEvent* event)
{
    // Esc leaves as "Storno" does; Enter finds no default button here.
    if (event->key() == Qt::Key_Escape) {
        reject();
    } else if (!isCloseKey(event->key())) {
        FramedDialog::keyPressEvent(event);
    }
}

void ExportDialog::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(kPreviewPage, qtColour(style_.background));
    painter.setPen(Qt::black);
    painter.drawRect(kPreviewPage.adjusted(0, 0, -1, -1));
    painter.setFont(cellFont(kArial, 14));
    painter.drawText(kPreviewCaption, Qt::AlignCenter | Qt::TextSingleLine, "Přibližná ukázka:");

    const bool styled = isStyledFormat(options().format);
    painter.setFont(previewFont());
    painter.setPen(styled ? qtColour(style_.colour) : QColor(Qt::black));
    painter.setClipRect(kPreviewText);
    painter.drawText(QRect(kPreviewText.topLeft(), QSize(100000, kPreviewText.height())),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, preview_);
}

}  // namespace lexivo
