// The outcome banner never cuts an outcome off at its edges.

#include "BannerLabel.h"
#include "GuiFixture.h"

#include <QFontMetricsF>
#include <QListView>
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
    void twoLineOutcomesShowBothLines() {
        BannerLabel banner;
        banner.resize(425, BannerLabel::kMinimumHeight);
        banner.setText(QStringLiteral("Programowanie mikroindeksera\nlinia 12 różni się"));
        QVERIFY(!banner.wrapped());
        QVERIFY(banner.fittedPointSize() > 8.0);
        QFont f = banner.font();
        f.setPointSizeF(banner.fittedPointSize());
        const QRectF needed = QFontMetricsF(f).boundingRect(QRectF(banner.contentsRect()),
                                                            Qt::AlignCenter, banner.text());
        QVERIFY(needed.height() <= banner.height());
        QCOMPARE(banner.heightForWidth(425), BannerLabel::kMinimumHeight);
    }
    void longOutcomesWrapAndNeverSqueezeTheProgramList() {
        GuiFixture f;
        auto *list = f.child<QListView>("ListBoxProg");
        auto *banner = f.child<BannerLabel>("Panel5");
        QWidget *area = banner->parentWidget();
        f.form->resize(900, 600);
        QTRY_VERIFY(list->width() > 300);
        const int listWidth = list->width();
        const int areaWidth = area->width();
        QString outcome;
        while (outcome.size() < 200)
            outcome +=
                QStringLiteral("Nie można otworzyć pliku /home/użytkownik/programy/maszyna ");
        outcome.truncate(200);
        f.form->ShowMessageEx(outcome);
        QTest::qWait(50);
        QCOMPARE(area->width(), areaWidth);
        QCOMPARE(list->width(), listWidth);
        // Wrapped at the smallest size into a strip high enough for all its lines.
        QVERIFY(banner->wrapped());
        QCOMPARE(banner->fittedPointSize(), 8.0);
        QVERIFY(banner->height() >= banner->heightForWidth(banner->width()));
        QFont small = banner->font();
        small.setPointSizeF(8);
        const QRectF needed =
            QFontMetricsF(small).boundingRect(QRectF(banner->contentsRect()).adjusted(2, 0, -2, 0),
                                              Qt::AlignCenter | Qt::TextWordWrap, outcome);
        QVERIFY(needed.height() <= banner->height());
        QVERIFY(needed.width() <= banner->width());
        // A short outcome gives the strip back its height.
        f.form->ShowMessageEx(QStringLiteral("Weryfikacja OK"));
        QTRY_COMPARE(banner->height(), BannerLabel::kMinimumHeight);
        QCOMPARE(list->width(), listWidth);
    }
};

QTEST_MAIN(TestGuiBanner)
#include "tst_gui_banner.moc"
