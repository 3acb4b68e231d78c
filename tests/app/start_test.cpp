#include "app/address_main.h"
#include "app/splash_form.h"
#include "platform/program_dir.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class StartTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(home.isValid());
        platform::SetProgramDir(home.path());
    }

    void mainWindowHasFixedSizeAndNoDataText() {
        TAddressMain form;
        QCOMPARE(form.windowTitle(), QString("Corvane"));
        QCOMPARE(form.minimumSize(), QSize(610, 450));
        QCOMPARE(form.maximumSize(), QSize(610, 450));
        QVERIFY(form.NoData);
        QCOMPARE(form.NoData->text(), QString("Please Open or Create a Corvane Address file"));
        QVERIFY(form.NoData->font().bold());
        QVERIFY(form.NoData->font().italic());
        QCOMPARE(form.NoData->font().pixelSize(), 19);
        QVERIFY(form.firstActivation());
    }

    void splashClosesOnFirstActivation() {
        TSplashform splash;
        QVERIFY(!splash.OKButton->isVisibleTo(&splash));
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
        splash.show();
        TAddressMain form;
        form.setSplash(&splash);
        form.show();
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&form, &activate);
        QVERIFY(!splash.isVisible());
        QVERIFY(!form.firstActivation());
    }

    void aboutBoxShowsItsOkButton() {
        TSplashform about(true);
        QVERIFY(about.OKButton->isVisibleTo(&about));
    }

private:
    QTemporaryDir home;
};

QTEST_MAIN(StartTest)
#include "start_test.moc"
