// The outcome banner never cuts an outcome off at its edges.

#include "BannerLabel.h"

#include <QFontMetricsF>
#include <QTest>

using namespace korven;

class TestGuiBanner : public QObject {
    Q_OBJECT
private slots:
    void shortTextsKeepTheBannerFont() {
        BannerLabel banner;
        banner.resize(425, 38);
        banner.setText(QStringLiteral("Stop awaryjny"));
        QCOMPARE(banner.fittedPointSize(), 12.0);
        QCOMPARE(banner.text(), QStringLiteral("Stop awaryjny"));
    }
    void longTextsShrinkUntilTheyFit() {
        BannerLabel banner;
        banner.resize(425, 38);
        const QString text = QStringLiteral("Programowanie mikroindeksera zakończone pomyślnie");
        banner.setText(text);
        const qreal size = banner.fittedPointSize();
        QVERIFY(size < 12.0);
        QFont f = banner.font();
        f.setPointSizeF(size);
        QVERIFY(QFontMetricsF(f).horizontalAdvance(text) <= banner.contentsRect().width());
        QVERIFY(!banner.grab().isNull());
    }
    void textsTooLongForOneLineAreStillDrawn() {
        BannerLabel banner;
        banner.resize(425, 38);
        banner.setText(QStringLiteral("Program nie został wysłany: linia 12 nie jest poleceniem: "
                                      "„012: coś bardzo długiego, co nie mieści się w pasku”"));
        QCOMPARE(banner.fittedPointSize(), 8.0);
        QVERIFY(!banner.grab().isNull());
    }
};

QTEST_MAIN(TestGuiBanner)
#include "tst_gui_banner.moc"
