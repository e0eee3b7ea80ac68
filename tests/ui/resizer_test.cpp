#include "fakepanel.h"
#include "resizer.h"

#include "failure.h"
#include "settingsstore.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// Three panels stacked: first 0..height, a 45-twip bar, second below; 3000 twips in all.
struct Stack
{
    explicit Stack(qint32 firstHeight, qint32 total = 3000)
        : first(0, 0, 7590, firstHeight),
          bar(0, firstHeight, 7590, 45),
          second(0, firstHeight + 45, 7590, total - firstHeight - 45)
    {
        resizer.InitHorizontal(&first, &bar, &second);
    }

    FakePanel first;
    FakePanel bar;
    FakePanel second;
    Resizer resizer;
};

class ResizerTest : public QObject
{
    Q_OBJECT

private slots:
    void dragMovesBoundaryWithinLimits_data();
    void dragMovesBoundaryWithinLimits();
    void clampedDragMovesBackAtOnce();
    void unchangedSizeRaisesNoEvent();
    void queryResizeHandlerDecidesTheSize();
    void startedHandlerCancelsDrag();
    void resizeMakesRoomForSecondMinimum();
    void minimumBeforeInitFails();
    void minimumRaisedToWhatThePanelAllows();
    void verticalMovesWidths();
    void positionRoundTripThroughStore();
};

void ResizerTest::dragMovesBoundaryWithinLimits_data()
{
    QTest::addColumn<qint32>("firstHeight");
    QTest::addColumn<qint32>("firstMin");
    QTest::addColumn<qint32>("secondMin");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<qint32>("expectedFirst");

    QTest::newRow("free move down") << 1000 << 900 << 15 << 10 << 1150;
    QTest::newRow("-10 px from 1000, minimum 900") << 1000 << 900 << 15 << -10 << 900;
    QTest::newRow("second minimum stops it") << 1000 << 900 << 1500 << 100 << 1455;
    QTest::newRow("second minimum wins over first") << 1000 << 2000 << 2000 << 0 << 955;
}

void ResizerTest::dragMovesBoundaryWithinLimits()
{
    QFETCH(qint32, firstHeight);
    QFETCH(qint32, firstMin);
    QFETCH(qint32, secondMin);
    QFETCH(int, pixels);
    QFETCH(qint32, expectedFirst);

    Stack s(firstHeight);
    s.resizer.setSecondPanelMinSize(secondMin);
    s.resizer.setFirstPanelMinSize(firstMin);
    s.resizer.MouseDown(QPoint(40, 300));
    s.resizer.MouseMove(QPoint(47, 300 + pixels));
    s.resizer.MouseUp();

    QCOMPARE(s.first.height(), expectedFirst);
    QCOMPARE(s.resizer.Position(), expectedFirst);
    QCOMPARE(s.bar.top(), expectedFirst);
    QCOMPARE(s.second.top(), expectedFirst + 45);
    QCOMPARE(s.second.top() + s.second.height(), 3000);
}

void ResizerTest::clampedDragMovesBackAtOnce()
{
    Stack s(1000);
    s.resizer.setFirstPanelMinSize(900);
    QSignalSpy resized(&s.resizer, &Resizer::Resized);
    QSignalSpy stopped(&s.resizer, &Resizer::Stoped);

    s.resizer.MouseDown(QPoint(0, 500));
    QCOMPARE(s.bar.shade(), ResizerBar::Shade::Dragged);
    s.resizer.MouseMove(QPoint(0, 490)); // -150 twips, clamped to -100
    QCOMPARE(s.first.height(), 900);
    QCOMPARE(resized.size(), 1);
    QCOMPARE(resized.at(0).at(0).toInt(), 900);

    s.resizer.MouseMove(QPoint(0, 480)); // further up: nothing
    QCOMPARE(s.first.height(), 900);
    QCOMPARE(resized.size(), 1);

    s.resizer.MouseMove(QPoint(0, 482)); // back down 2 px moves 30 twips at once
    QCOMPARE(s.first.height(), 930);
    QCOMPARE(resized.size(), 2);

    s.resizer.MouseUp();
    QCOMPARE(stopped.size(), 1);
    QCOMPARE(s.bar.shade(), ResizerBar::Shade::Rest);
    s.resizer.MouseMove(QPoint(0, 600)); // no drag any more
    QCOMPARE(s.first.height(), 930);
}

void ResizerTest::unchangedSizeRaisesNoEvent()
{
    Stack s(1000);
    QSignalSpy query(&s.resizer, &Resizer::QueryResize);
    QSignalSpy resized(&s.resizer, &Resizer::Resized);
    s.resizer.ResizeFirstPanel(1000);
    s.resizer.ResizeSecondPanel(s.second.height());
    QCOMPARE(query.size(), 0);
    QCOMPARE(resized.size(), 0);
}

void ResizerTest::queryResizeHandlerDecidesTheSize()
{
    Stack s(1000);
    QList<qint32> proposals;
    qint32 answer = 1000;
    connect(&s.resizer, &Resizer::QueryResize, this, [&](qint32 &size) {
        proposals.append(size);
        size = answer;
    });
    QSignalSpy resized(&s.resizer, &Resizer::Resized);

    s.resizer.ResizeFirstPanel(1500);
    QCOMPARE(proposals, QList<qint32>{1500});
    QCOMPARE(s.first.height(), 1000);
    QCOMPARE(s.second.top(), 1045);
    QCOMPARE(resized.size(), 1);
    QCOMPARE(resized.at(0).at(0).toInt(), 1000);

    // The handler's size is taken without another limit check.
    answer = 100;
    s.resizer.ResizeFirstPanel(1200);
    QCOMPARE(s.first.height(), 100);
    QCOMPARE(s.bar.top(), 100);
}

void ResizerTest::startedHandlerCancelsDrag()
{
    Stack s(1000);
    connect(&s.resizer, &Resizer::Started, this, [](bool &cancel) { cancel = true; });
    QSignalSpy stopped(&s.resizer, &Resizer::Stoped);
    s.resizer.MouseDown(QPoint(0, 100));
    QVERIFY(!s.resizer.isDragging());
    QCOMPARE(s.bar.shade(), ResizerBar::Shade::Rest);
    s.resizer.MouseMove(QPoint(0, 150));
    QCOMPARE(s.first.height(), 1000);
    s.resizer.MouseUp();
    QCOMPARE(stopped.size(), 0);
}

void ResizerTest::resizeMakesRoomForSecondMinimum()
{
    Stack s(1000);
    s.resizer.setSecondPanelMinSize(1500);
    QCOMPARE(s.second.height(), 1955); // already large enough
    // The owner lays the second panel out smaller; Resize shrinks the first to make room.
    s.second.move(0, 1045, 7590, 600);
    s.resizer.Resize();
    QCOMPARE(s.second.height(), 1500);
    QCOMPARE(s.first.height(), 100);
    QCOMPARE(s.bar.top(), 100);
    QCOMPARE(s.second.top(), 145);
}

void ResizerTest::minimumBeforeInitFails()
{
    Resizer resizer;
    QCOMPARE(resizer.FirstPanelMinSize(), 135);
    QCOMPARE(resizer.SecondPanelMinSize(), 135);
    try {
        resizer.setFirstPanelMinSize(900);
        QFAIL("no failure");
    } catch (const Failure &failure) {
        QCOMPARE(failure.number, Failure::InvalidCall);
    }
    resizer.ResizeFirstPanel(100); // without panels: nothing
    resizer.Resize();
    QCOMPARE(resizer.Position(), 0);
}

void ResizerTest::minimumRaisedToWhatThePanelAllows()
{
    FakePanel first(0, 0, 7590, 1000, 300);
    FakePanel bar(0, 1000, 7590, 45);
    FakePanel second(0, 1045, 7590, 1955);
    Resizer resizer;
    resizer.InitHorizontal(&first, &bar, &second);
    QCOMPARE(resizer.FirstPanelMinSize(), 300);
    resizer.setFirstPanelMinSize(120);
    QCOMPARE(resizer.FirstPanelMinSize(), 300);
    QCOMPARE(first.height(), 1000); // the probe put the size back
}

void ResizerTest::verticalMovesWidths()
{
    FakePanel left(0, 0, 2000, 3000);
    FakePanel bar(2000, 0, 45, 3000);
    FakePanel right(2045, 0, 3000, 3000);
    Resizer resizer;
    resizer.InitVertical(&left, &bar, &right);
    resizer.MouseDown(QPoint(100, 100));
    resizer.MouseMove(QPoint(110, 50)); // only x counts
    QCOMPARE(left.width(), 2150);
    QCOMPARE(bar.left(), 2150);
    QCOMPARE(right.left(), 2195);
    QCOMPARE(right.width(), 2850);
    QCOMPARE(left.height(), 3000);
}

void ResizerTest::positionRoundTripThroughStore()
{
    QTemporaryDir folder;
    SettingsStore store(folder.filePath(QStringLiteral("store.ini")));
    Stack s(1000);
    s.resizer.ResizeFirstPanel(1234);
    s.resizer.SavePosToRegistry(store);
    QCOMPARE(store.get(QStringLiteral("Resizer"), QStringLiteral("frmTest.lblResizer.Position")),
             QStringLiteral("1234"));

    Stack other(1000);
    other.resizer.SetPosFromRegistry(store);
    QCOMPARE(other.resizer.Position(), 1234);
    store.save(QStringLiteral("Resizer"), QStringLiteral("frmTest.lblResizer.Position"),
               QStringLiteral("1500.5xyz"));
    other.resizer.SetPosFromRegistry(store);
    QCOMPARE(other.resizer.Position(), 1500); // leading number, halves to even
}

QTEST_GUILESS_MAIN(ResizerTest)
#include "resizer_test.moc"
