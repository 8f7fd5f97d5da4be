#include "controls/combobox97.h"
#include "pad/categorytables.h"
#include "pad/classcombo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

const QColor Background(255, 255, 255);
const QColor Selection(0, 0, 128);

QPalette itemPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Base, Background);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Highlight, Selection);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

// Columns [from, to) of `image` that hold anything but `background`.
bool hasInk(const QImage &image, int from, int to, const QColor &background)
{
    for (int x = from; x < to && x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y) != background)
                return true;
        }
    }
    return false;
}

QImage drawItem(const QString &item, bool selected, int comboWidth, int imageWidth)
{
    QImage image(imageWidth, ClassItemDelegate::ItemHeight, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    ClassItemDelegate::ComboBox_classDrawItem(&painter, image.rect(), item, selected, comboWidth,
                                              itemPalette(), QApplication::font());
    return image;
}

} // namespace

class TestClassCombo : public QObject
{
    Q_OBJECT

private slots:
    void classBoxHoldsTheTableAsFlatOwnerDrawnList();
    void categoryBoxHoldsTheElevenItems();
    void classIsChosenByKeyAfterStartup_data();
    void classIsChosenByKeyAfterStartup();
    void anEmptyKeyClearsAnEarlierChoice();

    void drawItemShowsTheKeyAndPutsTheNamesBeyondTheList_data();
    void drawItemShowsTheKeyAndPutsTheNamesBeyondTheList();
    void closedBoxShowsOnlyTheClassKey();
    void disabledClassBoxShowsItsParentsColourBehindTheKey();
    void dropDownListShowsThirteenKeysAsWideAsTheBox();
};

void TestClassCombo::classBoxHoldsTheTableAsFlatOwnerDrawnList()
{
    TComboBox97 combo;
    ClassCombos::setupClassCombo(&combo);
    QCOMPARE(combo.count(), CategoryTables::ClassRowCount);
    QCOMPARE(combo.itemText(0), CategoryTables::classItems().first());
    QVERIFY(combo.isFlat());
    QVERIFY(combo.isOwnerDrawn());
    QVERIFY(!combo.isEditable());
    QCOMPARE(combo.currentIndex(), -1);
    QCOMPARE(combo.maxVisibleItems(), ClassCombos::VisibleItems);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 150, 40);
    const QModelIndex index = combo.model()->index(5, 0);
    QCOMPARE(combo.itemDelegate()->sizeHint(option, index).height(), 13);
}

void TestClassCombo::categoryBoxHoldsTheElevenItems()
{
    TComboBox97 combo;
    ClassCombos::setupCategoryCombo(&combo);
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items.append(combo.itemText(i));
    QCOMPARE(items, CategoryTables::categoryItems());
    QVERIFY(combo.isFlat());
    QVERIFY(!combo.isEditable());
    QVERIFY(!combo.isOwnerDrawn());
    ClassCombos::chooseCategory(&combo, "internet");
    QCOMPARE(combo.currentIndex(), 7);
    ClassCombos::chooseCategory(&combo, "Screen Savers");
    QCOMPARE(combo.currentIndex(), 9);
    ClassCombos::chooseCategory(&combo, "Screen");
    QCOMPARE(combo.currentIndex(), -1);
}

void TestClassCombo::classIsChosenByKeyAfterStartup_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("field48");
    QTest::newRow("own row, not the later one") << "Development::Other" << 54 << "Development::Other";
    QTest::newRow("site name") << "Encoders" << 0 << "Audio & Multimedia::Audio Encoders/Decoders";
    QTest::newRow("no match") << "Nothing::Here" << -1 << "";
    QTest::newRow("empty") << "" << -1 << "";
}

void TestClassCombo::classIsChosenByKeyAfterStartup()
{
    QFETCH(QString, key);
    QFETCH(int, index);
    QFETCH(QString, field48);
    TComboBox97 combo;
    ClassCombos::setupClassCombo(&combo);
    ClassCombos::appendStartupTab(&combo);
    QVERIFY(combo.itemText(112).endsWith("\t\t"));
    ClassCombos::chooseClass(&combo, key);
    QCOMPARE(combo.currentIndex(), index);
    QCOMPARE(CategoryTables::classKey(combo.currentText()), field48);
}

void TestClassCombo::anEmptyKeyClearsAnEarlierChoice()
{
    TComboBox97 combo;
    ClassCombos::setupClassCombo(&combo);
    ClassCombos::chooseClass(&combo, "Servers::Web Servers");
    QCOMPARE(combo.currentIndex(), 134);
    ClassCombos::chooseClass(&combo, "");
    QCOMPARE(combo.currentIndex(), -1);
    QCOMPARE(combo.currentText(), QString());
}

void TestClassCombo::drawItemShowsTheKeyAndPutsTheNamesBeyondTheList_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("selected");
    QTest::newRow("class row") << 55 << false;
    QTest::newRow("selected class row") << 55 << true;
    QTest::newRow("separator row") << 13 << false;
    QTest::newRow("selected separator row") << 13 << true;
}

void TestClassCombo::drawItemShowsTheKeyAndPutsTheNamesBeyondTheList()
{
    QFETCH(int, position);
    QFETCH(bool, selected);
    const QString item = CategoryTables::classItems().at(position - 1) + '\t';
    const QString key = CategoryTables::classKey(item);
    const int comboWidth = 300;
    const QImage image = drawItem(item, selected, comboWidth, 900);
    const QColor background = selected ? Selection : Background;

    // The whole rectangle is filled; nothing is left of the red underneath.
    QVERIFY(!hasInk(image, 0, 1, background));
    const int keyEnd = 1 + QFontMetrics(QApplication::font()).horizontalAdvance(key) + 2;
    QVERIFY(keyEnd < comboWidth);
    QCOMPARE(hasInk(image, 1, keyEnd, background), !key.isEmpty());
    // Between the key and the list's right edge: nothing.
    QVERIFY(!hasInk(image, keyEnd, comboWidth + 1, background));
    // The names start one combo width further right.
    QCOMPARE(hasInk(image, comboWidth + 1, image.width(), background), !key.isEmpty());
}

void TestClassCombo::closedBoxShowsOnlyTheClassKey()
{
    TComboBox97 withNames;
    ClassCombos::setupClassCombo(&withNames);
    ClassCombos::appendStartupTab(&withNames);
    TComboBox97 keysOnly;
    ClassCombos::setupClassCombo(&keysOnly);
    for (int i = 0; i < keysOnly.count(); ++i)
        keysOnly.setItemText(i, CategoryTables::classKey(keysOnly.itemText(i)));

    for (TComboBox97 *combo : {&withNames, &keysOnly}) {
        combo->resize(250, 21);
        ClassCombos::chooseClass(combo, "Security & Privacy::Anti-Spam & Anti-Spy Tools");
    }
    QCOMPARE(withNames.currentIndex(), 121);
    const QImage shown = withNames.grab().toImage();
    QCOMPARE(shown, keysOnly.grab().toImage());
    // The key itself is drawn: the picture is not that of an empty box.
    withNames.setCurrentIndex(-1);
    QVERIFY(withNames.grab().toImage() != shown);
}

void TestClassCombo::disabledClassBoxShowsItsParentsColourBehindTheKey()
{
    QWidget parent;
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(10, 120, 40));
    parent.setPalette(palette);
    auto *combo = new TComboBox97(&parent);
    ClassCombos::setupClassCombo(combo);
    combo->resize(250, 21);
    combo->setColor(QColor(250, 250, 210));
    ClassCombos::chooseClass(combo, "Graphic Apps::CAD");
    QCOMPARE(combo->currentIndex(), 84);
    // Right of the short key, inside the text part.
    const QPoint probe(120, 10);

    QCOMPARE(combo->grab().toImage().pixelColor(probe), QColor(250, 250, 210));
    combo->setEnabled(false);
    QCOMPARE(combo->grab().toImage().pixelColor(probe), QColor(10, 120, 40));
    combo->setEnabled(true);
    QCOMPARE(combo->grab().toImage().pixelColor(probe), QColor(250, 250, 210));
}

void TestClassCombo::dropDownListShowsThirteenKeysAsWideAsTheBox()
{
    QWidget window;
    window.resize(400, 400);
    auto *combo = new TComboBox97(&window);
    ClassCombos::setupClassCombo(combo);
    ClassCombos::appendStartupTab(combo);
    combo->setGeometry(10, 10, 200, 21);
    ClassCombos::chooseClass(combo, "Development::Other");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    combo->showPopup();
    QAbstractItemView *list = combo->view();
    QVERIFY(list->isVisible());
    // The item texts are far wider than the box; the list is not.
    QCOMPARE(list->window()->width(), combo->width());
    QCOMPARE(list->viewport()->height(), ClassCombos::VisibleItems * ClassItemDelegate::ItemHeight);
    QCOMPARE(list->visualRect(combo->model()->index(54, 0)).height(), ClassItemDelegate::ItemHeight);
    QVERIFY(list->viewport()->rect().contains(list->visualRect(combo->model()->index(54, 0))));
    combo->hidePopup();
}

QTEST_MAIN(TestClassCombo)
#include "test_classcombo.moc"
