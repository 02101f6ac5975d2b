// Owner-drawn buttons, list items and the shared keyboard habits, on small test windows.

#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

#include "support/window_test_support.h"
#include "ui/artwork.h"
#include "ui/button_font.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/about_dialog.h"
#include "ui/control_ids/evaluation_dialog.h"
#include "ui/control_ids/main_window.h"
#include "ui/control_ids/rename_dialog.h"
#include "ui/control_ids/test_run_window.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"

namespace lexivo {

using testing::TestProgram;

class OwnerDrawnTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    // The looks of the owner-drawn buttons; in each, the keyboard focus is a dotted rectangle
    // inside the edge, drawn only while the button has the focus.
    void bitmapButtonsLinksAndTheWordBox()
    {
        TestProgram test;
        QWidget window;
        auto* button = new OwnerDrawnButton(test.program, WindowKind::Evaluation, evaluation_dialog_control::Ok, "OK", &window);
        button->setGeometry(0, 0, 120, 50);
        QCOMPARE(button->textRect(), QRect(0, 0, 120, 50));
        button->setDown(true);
        QCOMPARE(button->textRect(), QRect(2, 2, 118, 48));

        const QImage up = [&] { button->setDown(false); return button->grab().toImage(); }();
        const QImage down = [&] { button->setDown(true); return button->grab().toImage(); }();
        QCOMPARE(up.pixelColor(1, 25), down.pixelColor(1, 25));  // the face's edge stays put
        QVERIFY(up != down);                                     // the text moved
        button->setDown(false);

        QVERIFY(!testing::paintsColour(up, button->rect(), Qt::red));
        button->setProhibited([] { return true; });  // a red sign over the middle
        QVERIFY(testing::paintsColour(testing::screenshot(*button, "button-prohibited"), QRect(35, 0, 50, 50), Qt::red));

        auto* link = new OwnerDrawnButton(test.program, WindowKind::About, about_dialog_control::ProjectLink, "napište nám", &window);
        QCOMPARE(link->look(), OwnerDrawnButton::Look::Link);
        link->setGeometry(0, 60, 200, 25);
        QVERIFY(testing::paintsColour(link->grab().toImage(), link->rect(), QColor(0xB4, 0x14, 0x14)));
        auto* box = new OwnerDrawnButton(test.program, WindowKind::TestRun, test_run_window_control::Question,
                                         "a long sentence", &window, OwnerDrawnButton::Look::WordBox);
        box->setGeometry(0, 90, 300, 60);
        const QImage picture = box->grab().toImage();
        QCOMPARE(picture.pixelColor(0, 0), QColor(0x7F, 0x9D, 0xB9));
        QCOMPARE(picture.pixelColor(5, 30), toQColor(test.program.scheme().editColour));

        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        for (OwnerDrawnButton* focused : {button, link, box}) {
            const QRect edge = focused->focusRect();
            const QRect rightEdge(edge.right(), edge.top(), 1, edge.height());
            focused->setFocus();
            QVERIFY(testing::paintsColour(focused->grab().toImage(), rightEdge, focused->focusColour()));
            window.setFocus();
            QVERIFY(!testing::paintsColour(focused->grab().toImage(), rightEdge, focused->focusColour()));
        }
    }

    void selectedItemsLeaveAGapBetweenThem()
    {
        const QRect row(0, 20, 100, 20);
        QCOMPARE(OwnerDrawnItemDelegate::fillRect(row, false, 1), row);
        QCOMPARE(OwnerDrawnItemDelegate::fillRect(row, true, 1), QRect(0, 21, 100, 18));
        QCOMPARE(OwnerDrawnItemDelegate::fillRect(row, true, 2), QRect(0, 20, 100, 19));
    }

    void itemsWithAnExampleShowADot()
    {
        TestProgram test;
        QListWidget list;
        list.setItemDelegate(new OwnerDrawnItemDelegate(test.program, &list));
        list.resize(200, 100);
        list.addItem("dog - pes");
        list.addItem("cat - kočka");
        list.item(1)->setData(OwnerDrawnItemDelegate::kMarkerRole, 1);
        list.show();
        const QImage picture = list.viewport()->grab().toImage();
        const QRect first = list.visualItemRect(list.item(0));
        const QRect second = list.visualItemRect(list.item(1));
        QVERIFY(!testing::paintsColour(picture, QRect(3, first.top() + 5, 4, 4), Qt::black));
        QVERIFY(testing::paintsColour(picture, QRect(3, second.top() + 5, 4, 4), Qt::black));
    }

    void buttonsAndEditsKeepTheirKeys()
    {
        TestProgram test;
        QWidget window;
        auto* ok = new OwnerDrawnButton(test.program, WindowKind::Rename, rename_dialog_control::Ok, "OK", &window);
        auto* cancel = new OwnerDrawnButton(test.program, WindowKind::Rename, rename_dialog_control::Cancel, "Storno", &window);
        auto* name = new QLineEdit(&window);
        setControlId(name, rename_dialog_control::NewName);
        attachControlBehaviour(&window, WindowKind::Rename);
        QSignalSpy okClicks(ok, &QPushButton::clicked);
        QSignalSpy cancelClicks(cancel, &QPushButton::clicked);

        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(okClicks.count(), 1);
        QTest::keyClick(ok, Qt::Key_Escape);  // Esc presses only the close buttons
        QCOMPARE(okClicks.count(), 1);
        QTest::keyClick(cancel, Qt::Key_Escape);
        QCOMPARE(cancelClicks.count(), 1);

        // The rename window's own rules: Enter and Esc in the name field press OK and Storno.
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(okClicks.count(), 2);
        QTest::keyClick(name, Qt::Key_Escape);
        QCOMPARE(cancelClicks.count(), 2);
        name->setText("abc");
        QTest::keyClick(name, Qt::Key_Tab);  // swallowed: no tab character, no focus change
        QCOMPARE(name->text(), QString("abc"));

        // A right click asks for quick help and presses nothing.
        struct Asked final : QuickHelpHandler {
            void showQuickHelp(QWidget* control, WindowKind, const QuickHelpState&) override { asked = control; }
            void closeQuickHelp() override {}
            QWidget* asked = nullptr;
        } handler;
        setQuickHelpHandler(&handler);
        QTest::mouseClick(ok, Qt::RightButton);
        QCOMPARE(handler.asked, static_cast<QWidget*>(ok));
        QCOMPARE(okClicks.count(), 2);
        setQuickHelpHandler(nullptr);
    }

    void theProgramIconIsDrawnAtTheSizeAsked()
    {
        for (int size : {16, 256}) {
            const QImage icon = programIcon().pixmap(size).toImage();
            QCOMPARE(icon.size(), QSize(size, size));
            QVERIFY(icon.pixelColor(size / 2, size / 2).alpha() > 0);
        }
    }
};

}  // namespace lexivo

QTEST_MAIN(lexivo::OwnerDrawnTest)
#include "owner_drawn_test.moc"
