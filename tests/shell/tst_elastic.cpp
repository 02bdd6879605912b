#include "widgets/Twips.h"
#include "widgets/class_Elastic.h"

#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTest>

namespace {

// A window with a label, a text box inside a frame-like panel and a line,
// laid out in twips, with the window font of the design (8.25 points).
struct ElasticWindow {
    QWidget window;
    QLabel* label = new QLabel(QStringLiteral("Etiqueta"), &window);
    QWidget* panel = new QWidget(&window);
    QLineEdit* text = new QLineEdit(panel);
    QWidget* line = new QWidget(&window);

    ElasticWindow() {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(8.25);
        window.setFont(font);
        setOuterSize(9300, 6000);
        label->setObjectName(QStringLiteral("Label1"));
        panel->setObjectName(QStringLiteral("Frame1"));
        text->setObjectName(QStringLiteral("Text1"));
        line->setObjectName(QStringLiteral("Line1"));
        Twips::place(label, 600, 300, 3000, 300);
        Twips::place(panel, 600, 900, 6000, 3000);
        Twips::place(text, 300, 600, 4500, 375);
        line->setProperty("X1", 600);
        line->setProperty("Y1", 4500);
        line->setProperty("X2", 7200);
        line->setProperty("Y2", 4500);
    }

    QSize decorations() const {
        const int border = window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        return QSize(2 * border, window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border);
    }
    void setOuterSize(int widthTwips, int heightTwips) {
        window.resize(Twips::toPixels(widthTwips) - decorations().width(),
                      Twips::toPixels(heightTwips) - decorations().height());
    }
    int outerHeight() const { return Twips::fromPixels(window.height() + decorations().height()); }
};

QRect twips(const QWidget* control) {
    const QRect g = control->geometry();
    return {Twips::fromPixels(g.x()), Twips::fromPixels(g.y()), Twips::fromPixels(g.width()),
            Twips::fromPixels(g.height())};
}

}  // namespace

class TestElastic : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initFitsTheWindowToTheScreen();
    void firstResizeIsSkipped();
    void designSizeRestoresTheDesign();
    void widerWindowScalesTheFont();
    void tooSmallWindowIsSetBackToHalf();
    void lineIsScaledByItsEndPoints();
    void resizeBeforeInitChangesNothing();
    void maximisedWindowKeepsItsSize();
};

void TestElastic::initFitsTheWindowToTheScreen() {
    ElasticWindow w;
    class_Elastic elastic;
    const QSize screen = w.window.screen()->geometry().size();
    elastic.Init(&w.window);
    const double expectedHeight = 6000.0 * Twips::fromPixels(screen.height()) / 7290;
    QVERIFY(std::abs(w.outerHeight() - expectedHeight) <= 30);
}

void TestElastic::firstResizeIsSkipped() {
    ElasticWindow w;
    class_Elastic elastic;
    elastic.Init(&w.window);
    const QRect before = w.text->geometry();
    elastic.FormResize(&w.window);
    QCOMPARE(w.text->geometry(), before);
    elastic.FormResize(&w.window);
    QVERIFY(w.text->geometry() != before);
}

void TestElastic::designSizeRestoresTheDesign() {
    ElasticWindow w;
    class_Elastic elastic;
    elastic.Init(&w.window);
    elastic.FormResize(&w.window);
    w.setOuterSize(9300, 6000);
    elastic.FormResize(&w.window);
    QCOMPARE(twips(w.label), QRect(600, 300, 3000, 300));
    QCOMPARE(twips(w.text), QRect(300, 600, 4500, 375));
    // 0.7 × 8 (the window's 8.25 points rounded) would be 5.6: too small to read.
    QCOMPARE(w.label->font().pointSizeF(), 8.0);
    QCOMPARE(w.text->font().pointSizeF(), 8.0);
    w.setOuterSize(4650, 3000);
    elastic.FormResize(&w.window);
    QCOMPARE(w.label->font().pointSizeF(), 8.0);
}

void TestElastic::widerWindowScalesTheFont() {
    ElasticWindow w;
    class_Elastic elastic;
    elastic.Init(&w.window);
    elastic.FormResize(&w.window);
    w.setOuterSize(15360, 6000);
    elastic.FormResize(&w.window);
    QCOMPARE(w.label->font().pointSizeF(), 9.8);
    QCOMPARE(twips(w.label).left(), 990);  // ⌊600 / (9300 / 15360)⌋ = 990
}

void TestElastic::tooSmallWindowIsSetBackToHalf() {
    ElasticWindow w;
    class_Elastic elastic;
    elastic.Init(&w.window);
    elastic.FormResize(&w.window);
    w.setOuterSize(9300, 2000);
    elastic.FormResize(&w.window);
    QVERIFY(std::abs(w.outerHeight() - 3000) <= 15);
    // ry = (6000 − 400) / (3000 − 400): the panel's top of 900 becomes ⌊900 / 2.1538⌋ = 417.
    QVERIFY(std::abs(twips(w.panel).top() - 417) <= 15);
}

void TestElastic::lineIsScaledByItsEndPoints() {
    ElasticWindow w;
    const QFont lineFont = w.line->font();
    class_Elastic elastic;
    elastic.Init(&w.window);
    elastic.FormResize(&w.window);
    w.setOuterSize(18600, 6000);
    elastic.FormResize(&w.window);
    QCOMPARE(w.line->property("X1").toInt(), 1200);
    QCOMPARE(w.line->property("X2").toInt(), 14400);
    QCOMPARE(w.line->property("Y1").toInt(), 4500);
    QCOMPARE(w.line->font(), lineFont);
}

void TestElastic::resizeBeforeInitChangesNothing() {
    ElasticWindow w;
    class_Elastic elastic;
    const QRect before = w.text->geometry();
    elastic.FormResize(&w.window);
    QCOMPARE(w.text->geometry(), before);
}

void TestElastic::maximisedWindowKeepsItsSize() {
    ElasticWindow w;
    w.window.showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    const QSize size = w.window.size();
    class_Elastic elastic;
    elastic.Init(&w.window);
    QCOMPARE(w.window.size(), size);
}

QTEST_MAIN(TestElastic)
#include "tst_elastic.moc"
