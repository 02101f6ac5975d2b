#include "ui/seams.h"

#include <memory>

#include <QCollator>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QUrl>
#include <QVBoxLayout>

namespace lexivo {
namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

// A box narrower than its title has the title cut short by the window manager: a long
// title ("Internetový skript vrátil tuto chybu") widens the box. The frame's buttons and icon
// take about 120 pixels beside the title.
void fitTitle(QMessageBox& box)
{
    QFont font = box.font();
    font.setBold(true);
    const int width = QFontMetrics(font).horizontalAdvance(box.windowTitle()) * 11 / 10 + 120;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
}

}  // namespace

void QtDialogs::showMessage(QWidget* parent, const Message& message)
{
    QMessageBox box(boxIcon(message.icon), QString::fromStdString(message.title), QString::fromStdString(message.text),
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);  // names and words that look like markup are shown as typed
    fitTitle(box);
    box.exec();
}

bool QtDialogs::askYesNo(QWidget* parent, const Message& question)
{
    QMessageBox box(boxIcon(question.icon), QString::fromStdString(question.title),
                    QString::fromStdString(question.text), QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)->setText("Ano");
    box.button(QMessageBox::No)->setText("Ne");
    fitTitle(box);
    return box.exec() == QMessageBox::Yes;
}

bool DesktopShell::open(const QString& fileOrAddress)
{
    const QUrl url = QFileInfo::exists(fileOrAddress) ? QUrl::fromLocalFile(fileOrAddress) : QUrl(fileOrAddress);
    return QDesktopServices::openUrl(url);
}

namespace {

constexpr double kPointsPerInch = 72.0;

// The desktop's font dialog with a colour button beside its effects, since a font's colour is
// part of the choice.
class FontAndColourDialog : public QDialog {
public:
    FontAndColourDialog(QWidget* parent, const FontChoice& current)
        : QDialog(parent), face_(current.face), colour_(current.colour)
    {
        setWindowTitle("Písmo");
        fonts_ = new QFontDialog(this);
        fonts_->setOptions(QFontDialog::DontUseNativeDialog | QFontDialog::NoButtons);
        fonts_->setWindowFlags(Qt::Widget);
        QFont font(current.face);
        font.setPointSizeF(current.pixelHeight * kPointsPerInch / logicalDpiY());
        if (current.weight > 0) {
            font.setWeight(QFont::Weight(current.weight));
        }
        font.setItalic(current.italic);
        font.setUnderline(current.underline);
        font.setStrikeOut(current.strikeOut);
        // A face the desktop stands another in for (Arial) is shown as that one.
        shownFace_ = QFontInfo(font).family();
        font.setFamily(shownFace_);
        fonts_->setCurrentFont(font);

        colourButton_ = new QPushButton("Barva písma...", this);
        connect(colourButton_, &QPushButton::clicked, this, [this] {
            const QColor chosen = QColorDialog::getColor(colour_, this, "Barva písma");
            if (chosen.isValid()) {
                colour_ = chosen;
                showColour();
            }
        });
        showColour();
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Cancel)->setText("Storno");
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(fonts_);
        layout->addWidget(colourButton_, 0, Qt::AlignLeft);
        layout->addWidget(buttons);
    }

    FontChoice choice() const
    {
        const QFont font = fonts_->currentFont();
        // The face keeps its own name unless the user picked another.
        return {font.family() == shownFace_ ? face_ : font.family(),
                qRound(font.pointSizeF() * logicalDpiY() / kPointsPerInch),
                font.weight(),
                font.italic(),
                font.underline(),
                font.strikeOut(),
                colour_};
    }

private:
    void showColour()
    {
        QPixmap swatch(16, 16);
        swatch.fill(colour_);
        colourButton_->setIcon(QIcon(swatch));
    }

    QFontDialog* fonts_;
    QPushButton* colourButton_;
    QString face_;
    QString shownFace_;
    QColor colour_;
};

}  // namespace

std::optional<FontChoice> QtDesktopChoosers::chooseFont(QWidget* parent, const FontChoice& current)
{
    FontAndColourDialog dialog(parent, current);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.choice();
}

std::optional<QColor> QtDesktopChoosers::chooseColour(QWidget* parent, const QColor& current)
{
    constexpr int kCustomColours = 16;
    for (int i = 0; i < kCustomColours; ++i) {
        QColorDialog::setCustomColor(i, Qt::white);
    }
    const QColor chosen = QColorDialog::getColor(current, parent, "Barva pozadí");
    return chosen.isValid() ? std::optional(chosen) : std::nullopt;
}

std::optional<QString> QtDesktopChoosers::chooseSaveFile(QWidget* parent, const SaveFileRequest& request)
{
    QFileDialog dialog(parent, request.title, QDir(request.directory).filePath(request.fileName + "." + request.extension),
                       "*." + request.extension);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.extension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDesktopChoosers::chooseOpenFile(QWidget* parent, const OpenFileRequest& request)
{
    QFileDialog dialog(parent, request.title, request.directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

NameOrder localeNameOrder()
{
    auto collator = std::make_shared<QCollator>(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    collator->setCaseSensitivity(Qt::CaseInsensitive);
    return [collator](std::string_view a, std::string_view b) {
        const int order = collator->compare(QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size())),
                                            QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())));
        // Names equal to the collation still need a fixed order.
        return order != 0 ? order < 0 : a < b;
    };
}

}  // namespace lexivo
